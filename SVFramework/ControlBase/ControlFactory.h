#pragma once
#include <cstdint>
#include <map>
#include <memory>

#include "Platform/Resources/ResourceSource.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlCreateFunction.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/SkinDocumentSource.h"
#include "SVFramework/ControlBase/SkinRegistry.h"
#include "SVFramework/ControlBase/SkinXmlReader.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LRootWindow;

// The registry through which every control is made by class name, and the owner of
// everything read from the skin and string-table documents: the skins, the named
// colorizers, parts, looks and look lists, and the string tables.
// One per process, made with the application name; used on the UI thread only.
class LControlFactory : public virtual LRefCountedObject {
public:
  // Language identifiers of the string-table fallback.
  static constexpr int32_t kEnglish = 9;
  static constexpr int32_t kChineseTraditional = 0x7C04;

  static RCPtr<LControlFactory> Create(const String& applicationName);

  // Where "::" documents are found; without a source they are missing.
  void SetResourceSource(std::shared_ptr<const ::Platform::Resources::IResourceSource> resources);

  // The string tables, then the skins, of a folder, or of the built-in resources for
  // the folder "::". The first negative result, else the skins' result.
  SVRESULT LoadResources(const String& folder, int32_t language);
  // Both string-table documents in the language with its fallbacks, chosen per
  // document: the application tables in the language, else (no Locale of the document
  // matched) in 0x7C04 for 0x0404, 0x0C04 and 0x1404 or in the primary language
  // (language & 0xFF), else in 9 (English); the framework tables in the language the
  // application tables settled on, else in 9. A missing, empty or rejected document
  // is skipped. 0, or E_OUTOFMEMORY.
  SVRESULT LoadStrings(const String& applicationPath, const String& frameworkPath, int32_t language);
  // The skin document. Its parse result; E_FAIL when it is missing or empty.
  SVRESULT LoadSkins(const String& path);
  // One document in the reader's current mode (see SkinXmlReader::Parse).
  SVRESULT ParseXML(const char* bytes, size_t length) { return mReader.Parse(bytes, length); }
  const ParseError& GetLastParseError() const { return mReader.GetLastError(); }
  // The language the string tables settled on; FontLocale is compared with it.
  int32_t GetLanguage() const { return mReader.GetLanguage(); }
  String TranslateFontName(const String& fontName) const { return mReader.TranslateFontName(fontName); }

  // Classes. A second registration of a name is ignored; returns 0.
  SVRESULT RegisterControlCreateFunction(const String& className, LControlCreateFunction function);
  // 0 and the function; an unregistered class raises the runtime error
  // "... SV::LControlFactory::GetControlCreateFunction ...".
  SVRESULT GetControlCreateFunction(const String& className, LControlCreateFunction& function) const;

  // A control of the descriptor's class below the parent (may be empty); the class's
  // function is cached in the descriptor. An unregistered class raises.
  RCPtr<LControl>& CreateControl(RCPtr<LControl>& out, const RCPtr<LControlDescriptor>& descriptor,
                                 const RCPtr<LControl>& parent);
  // The current skin's top-level control of that name, made visible, shown in the
  // root window; empty when the skin has no such control.
  RCPtr<LControl>& CreateControl(RCPtr<LControl>& out, const String& name, LRootWindow* rootWindow);
  // The current skin's top-level descriptor of that name (the last of equal names),
  // or an empty pointer.
  const RCPtr<LControlDescriptor>& FindControlDescriptor(const String& name) const;
  // A copy of the descriptor named `name` that uses `layout`.
  RCPtr<LControlDescriptor> CloneControlDescriptor(const RCPtr<LControlDescriptor>& descriptor,
                                                   const RCPtr<LLayoutDescriptor>& layout, const String& name) const;
  // Re-applies the current skin's descriptor of the control's name. E_FAIL without
  // a control or such a descriptor, else the control's ApplyDescriptor result.
  SVRESULT ApplySkinToControl(const RCPtr<LControl>& control) const;
  // Copies what the current skin's font gives (a name, a size of at least 1, a
  // style other than -1); 0 when anything was copied, 1 when nothing was.
  SVRESULT GetSkinFont(String& fontName, float& fontSize, int32_t& fontStyle) const;

  // New, independent copies of a string table; empty when no such table was read.
  // A control's table is "<parent descriptor's class>|<name>", or
  // "<application name>|<name>" for a control without parent or whose parent was
  // not made from a descriptor.
  RCPtr<LStringTable> GetStringTable(const LControl* parent, const String& controlName) const;
  RCPtr<LStringTable> GetApplicationStringTable() const;
  RCPtr<LStringTable> GetFrameworkStringTable() const;
  RCPtr<LStringTable> GetNamedStringTable(const String& tableName) const;

  const String& GetApplicationName() const { return mRegistry.applicationName; }
  const RCPtrArray<LControlDescriptor, 1, 0>& GetSkins() const { return mRegistry.skins; }
  int32_t GetCurrentSkinIndex() const { return mRegistry.currentSkinIndex; }
  void SetCurrentSkinIndex(int32_t index) { mRegistry.currentSkinIndex = index; }
  const SkinRegistry& GetRegistry() const { return mRegistry; }

protected:
  explicit LControlFactory(const String& applicationName);

private:
  // Parses one string document in the language; returns the number of Locales matched.
  int32_t ParseStringDocument(const std::string& document, int32_t language);
  SVRESULT ReadStringDocument(const String& path, std::string& document) const;
  // The current skin's root, or null when the index lies outside the skins.
  LControlDescriptor* CurrentSkin() const;
  LControlCreateFunction CachedCreateFunction(LControlDescriptor& descriptor) const;

  SkinRegistry mRegistry;
  SkinXmlReader mReader;
  SkinDocumentSource mDocuments;
  std::map<String, LControlCreateFunction> mCreateFunctions;
};

// The application's factory, which controls use to take their string tables and to
// create their children. The application shell sets it at start-up (before any
// control is made) and clears it at exit. UI thread.
const RCPtr<LControlFactory>& GetApplicationControlFactory();
void SetApplicationControlFactory(const RCPtr<LControlFactory>& factory);

}  // namespace SV
