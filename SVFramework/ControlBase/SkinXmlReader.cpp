#include "SVFramework/ControlBase/SkinXmlReader.h"

#include <expat.h>

#include <climits>
#include <exception>
#include <memory>

namespace SV {

namespace {

void XMLCALL OnStartElement(void* reader, const XML_Char* name, const XML_Char** attributes) {
  static_cast<SkinXmlReader*>(reader)->StartElement(name, attributes);
}

void XMLCALL OnEndElement(void* reader, const XML_Char* name) { static_cast<SkinXmlReader*>(reader)->EndElement(name); }

void XMLCALL OnCharacterData(void* reader, const XML_Char* text, int length) {
  static_cast<SkinXmlReader*>(reader)->CharacterData(text, length);
}

struct ParserFree {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};

}  // namespace

SkinXmlReader::SkinXmlReader(SkinRegistry& registry)
    : mRegistry(registry),
      mStrings(registry, mState),
      mResources(registry, mState),
      mControls(registry, mState) {}

void SkinXmlReader::BeginStringDocument(int32_t language) {
  mState.stringMode = true;
  mState.language = language;
  mState.textPending = false;
  mState.matchedCount = 0;
}

void SkinXmlReader::BeginSkinDocument() {
  mState.stringMode = false;
  mState.parameterPending = false;
  mState.inLooks = false;
  mState.currentControl = nullptr;
}

SVRESULT SkinXmlReader::Parse(const char* bytes, size_t length) {
  if (!bytes || length == 0 || length > INT_MAX) {
    mLastError = {u"empty or oversized document", 0};
    return E_FAIL;
  }
  const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
  if (!parser) return E_OUTOFMEMORY;
  mState.skipFirst = true;
  mHandlerFailed = false;
  mParser = parser.get();
  XML_SetUserData(parser.get(), this);
  XML_SetElementHandler(parser.get(), OnStartElement, OnEndElement);
  XML_SetCharacterDataHandler(parser.get(), OnCharacterData);
  const XML_Status status = XML_Parse(parser.get(), bytes, static_cast<int>(length), XML_TRUE);
  mParser = nullptr;
  if (mHandlerFailed) {
    mLastError = {String(mHandlerError.c_str()), XML_GetCurrentLineNumber(parser.get())};
    return E_FAIL;
  }
  if (status != XML_STATUS_OK) {
    mLastError = {String(XML_ErrorString(XML_GetErrorCode(parser.get()))), XML_GetCurrentLineNumber(parser.get())};
    return E_FAIL;
  }
  return S_OK;
}

template <class Handler>
void SkinXmlReader::Guarded(Handler handler) {
  if (mHandlerFailed) return;
  try {
    handler();
  } catch (const std::exception& error) {
    mHandlerFailed = true;
    mHandlerError = error.what();
    XML_StopParser(static_cast<XML_Parser>(mParser), XML_FALSE);
  }
}

void SkinXmlReader::StartElement(const char* name, const char** attributes) {
  Guarded([&] {
    if (mState.skipFirst) {
      mState.skipFirst = false;
      return;
    }
    const std::string_view element(name);
    const XmlAttributes values(attributes);
    if (element == "Application") {
      String applicationName;
      values.GetString(u"Name", applicationName);
      if (!(applicationName == mRegistry.applicationName)) mRegistry.applicationName = applicationName;
    } else if (mState.stringMode) {
      mStrings.Start(element, values);
    } else {
      StartSkinElement(element, values);
    }
  });
}

void SkinXmlReader::StartSkinElement(std::string_view name, const XmlAttributes& attributes) {
  if (!mResources.Start(name, attributes)) mControls.Start(name, attributes);
}

void SkinXmlReader::EndElement(const char* name) {
  Guarded([&] {
    if (mState.stringMode) {
      mStrings.End();
      return;
    }
    const std::string_view element(name);
    if (!mControls.End(element)) mResources.End(element);
  });
}

void SkinXmlReader::CharacterData(const char* text, int length) {
  Guarded([&] {
    if (!mState.textPending && !mState.parameterPending) return;
    String piece;
    piece.AssignUTF8(text, length);
    if (mState.stringMode)
      mStrings.Text(piece);
    else
      mControls.ParameterText(piece);
  });
}

}  // namespace SV
