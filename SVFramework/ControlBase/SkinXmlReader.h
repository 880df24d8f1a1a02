#pragma once
#include <string_view>
#include <cstddef>
#include <cstdint>
#include <string>

#include "SVFramework/ControlBase/SkinControlElements.h"
#include "SVFramework/ControlBase/SkinReaderState.h"
#include "SVFramework/ControlBase/SkinRegistry.h"
#include "SVFramework/ControlBase/SkinResourceElements.h"
#include "SVFramework/ControlBase/StringTableElements.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Why the last parse failed: expat's error text and line, or the text of the error
// an element raised and the line it stood on.
struct ParseError {
  String text;
  uint64_t line = 0;
};

// Runs expat over one skin or string-table document and hands each element to the
// element handlers, which fill the registry. Errors raised by a handler never cross
// expat: the parse is stopped and fails. Whatever was registered before a failure
// stays. UI thread.
class SkinXmlReader {
public:
  explicit SkinXmlReader(SkinRegistry& registry);

  // String mode for the language, nothing open and no Locale matched yet.
  void BeginStringDocument(int32_t language);
  // Skin mode: no control, create parameter or looks section open.
  void BeginSkinDocument();

  // Parses the whole buffer as one document. 0 on success; E_FAIL for an empty
  // buffer (nothing is parsed), a document expat rejects, or an element that raised
  // an error; the failure is kept in GetLastError.
  SVRESULT Parse(const char* bytes, size_t length);

  int32_t GetLanguage() const { return mState.language; }
  int32_t GetMatchedCount() const { return mState.matchedCount; }
  const ParseError& GetLastError() const { return mLastError; }
  String TranslateFontName(const String& fontName) const { return mControls.TranslateFontName(fontName); }

  // The handlers, as expat calls them (UTF-8).
  void StartElement(const char* name, const char** attributes);
  void EndElement(const char* name);
  void CharacterData(const char* text, int length);

private:
  void StartSkinElement(std::string_view name, const XmlAttributes& attributes);
  template <class Handler>
  void Guarded(Handler handler);

  SkinRegistry& mRegistry;
  SkinReaderState mState;
  StringTableElements mStrings;
  SkinResourceElements mResources;
  SkinControlElements mControls;
  ParseError mLastError;
  void* mParser = nullptr;
  bool mHandlerFailed = false;
  std::string mHandlerError;
};

}  // namespace SV
