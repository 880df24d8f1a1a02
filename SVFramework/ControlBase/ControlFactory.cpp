#include "SVFramework/ControlBase/ControlFactory.h"

#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

namespace {

RCPtr<LControlFactory>& ApplicationFactory() {
  static RCPtr<LControlFactory> factory;
  return factory;
}

const RCPtr<LControlDescriptor>& NoDescriptor() {
  static const RCPtr<LControlDescriptor> none;
  return none;
}

int32_t FallbackLanguage(int32_t language) {
  if (language == 0x0404 || language == 0x0C04 || language == 0x1404) return LControlFactory::kChineseTraditional;
  return language & 0xFF;
}

}  // namespace

const RCPtr<LControlFactory>& GetApplicationControlFactory() { return ApplicationFactory(); }

void SetApplicationControlFactory(const RCPtr<LControlFactory>& factory) { ApplicationFactory() = factory; }

LControlFactory::LControlFactory(const String& applicationName) : mReader(mRegistry) {
  mRegistry.applicationName = applicationName;
}

RCPtr<LControlFactory> LControlFactory::Create(const String& applicationName) {
  return RCPtr<LControlFactory>(new LControlFactory(applicationName));
}

void LControlFactory::SetResourceSource(std::shared_ptr<const ::Platform::Resources::IResourceSource> resources) {
  mDocuments.SetResources(std::move(resources));
}

SVRESULT LControlFactory::LoadResources(const String& folder, int32_t language) {
  const bool builtIn = folder == u"::";
  mRegistry.baseFolder = builtIn ? folder : folder + u"/";
  const String& base = mRegistry.baseFolder;
  const SVRESULT strings = builtIn ? LoadStrings(base + u"APP_STRINGS", base + u"FRAMEWORK_STRINGS", language)
                                   : LoadStrings(base + u"StringTables.xml", base + u"FrameworkStrings.xml", language);
  if (strings < 0) return strings;
  return LoadSkins(base + (builtIn ? u"APP_SKINS" : u"Skins.xml"));
}

SVRESULT LControlFactory::ReadStringDocument(const String& path, std::string& document) const {
  const SVRESULT result = mDocuments.Read(path, document);
  if (result == E_OUTOFMEMORY) return result;
  if (result < 0) document.clear();
  return S_OK;
}

int32_t LControlFactory::ParseStringDocument(const std::string& document, int32_t language) {
  mReader.BeginStringDocument(language);
  mReader.Parse(document.data(), document.size());
  return mReader.GetMatchedCount();
}

SVRESULT LControlFactory::LoadStrings(const String& applicationPath, const String& frameworkPath, int32_t language) {
  std::string application, framework;
  if (ReadStringDocument(applicationPath, application) < 0 || ReadStringDocument(frameworkPath, framework) < 0)
    return E_OUTOFMEMORY;
  int32_t chosen = language;
  mReader.BeginStringDocument(chosen);
  if (!application.empty()) {
    if (ParseStringDocument(application, chosen) == 0) {
      chosen = FallbackLanguage(language);
      if (ParseStringDocument(application, chosen) == 0) {
        chosen = kEnglish;
        ParseStringDocument(application, chosen);
      }
    }
  }
  if (!framework.empty() && ParseStringDocument(framework, chosen) == 0 && chosen != kEnglish)
    ParseStringDocument(framework, kEnglish);
  return S_OK;
}

SVRESULT LControlFactory::LoadSkins(const String& path) {
  std::string document;
  const SVRESULT read = mDocuments.Read(path, document);
  if (read < 0) return read;
  mReader.BeginSkinDocument();
  const SVRESULT result = mReader.Parse(document.data(), document.size());
  mRegistry.currentSkinIndex = 0;
  return result;
}

SVRESULT LControlFactory::RegisterControlCreateFunction(const String& className, LControlCreateFunction function) {
  mCreateFunctions.try_emplace(className, function);
  return S_OK;
}

SVRESULT LControlFactory::GetControlCreateFunction(const String& className, LControlCreateFunction& function) const {
  const auto found = mCreateFunctions.find(className);
  if (found == mCreateFunctions.end()) SV_RAISE(std::runtime_error, "", "SV::LControlFactory::GetControlCreateFunction");
  function = found->second;
  return S_OK;
}

LControlCreateFunction LControlFactory::CachedCreateFunction(LControlDescriptor& descriptor) const {
  if (!descriptor.CreateFunction) GetControlCreateFunction(descriptor.ClassName, descriptor.CreateFunction);
  return descriptor.CreateFunction;
}

RCPtr<LControl>& LControlFactory::CreateControl(RCPtr<LControl>& out, const RCPtr<LControlDescriptor>& descriptor,
                                                const RCPtr<LControl>& parent) {
  out = nullptr;
  if (!descriptor) return out;
  return CachedCreateFunction(*descriptor)(out, parent, descriptor);
}

RCPtr<LControl>& LControlFactory::CreateControl(RCPtr<LControl>& out, const String& name, LRootWindow* rootWindow) {
  out = nullptr;
  const RCPtr<LControlDescriptor> descriptor = FindControlDescriptor(name);
  if (!descriptor) return out;
  if (descriptor->Layout) descriptor->Layout->IsVisible = true;
  CachedCreateFunction(*descriptor)(out, RCPtr<LControl>(), descriptor);
  if (out) out->SetRootWindow(rootWindow);
  return out;
}

LControlDescriptor* LControlFactory::CurrentSkin() const {
  const int32_t index = mRegistry.currentSkinIndex;
  if (index < 0 || static_cast<uint32_t>(index) >= mRegistry.skins.GetCount()) return nullptr;
  return mRegistry.skins[static_cast<uint32_t>(index)].Get();
}

const RCPtr<LControlDescriptor>& LControlFactory::FindControlDescriptor(const String& name) const {
  const LControlDescriptor* skin = CurrentSkin();
  if (!skin) return NoDescriptor();
  for (uint32_t index = skin->Children.GetCount(); index-- > 0;)
    if (skin->Children[index]->Name == name) return skin->Children[index];
  return NoDescriptor();
}

RCPtr<LControlDescriptor> LControlFactory::CloneControlDescriptor(const RCPtr<LControlDescriptor>& descriptor,
                                                                  const RCPtr<LLayoutDescriptor>& layout,
                                                                  const String& name) const {
  if (!descriptor) return {};
  RCPtr<LControlDescriptor> clone = descriptor->Copy(name);
  clone->SetLayout(layout);
  return clone;
}

SVRESULT LControlFactory::ApplySkinToControl(const RCPtr<LControl>& control) const {
  if (!control) return E_FAIL;
  const RCPtr<LControlDescriptor>& descriptor = FindControlDescriptor(control->GetName());
  if (!descriptor) return E_FAIL;
  return control->ApplyDescriptor(descriptor);
}

SVRESULT LControlFactory::GetSkinFont(String& fontName, float& fontSize, int32_t& fontStyle) const {
  const LControlDescriptor* root = CurrentSkin();
  const LSkinDescriptor* skin = root ? root->Skin.Get() : nullptr;
  if (!skin) return S_FALSE;
  if (!skin->FontName.IsEmpty()) fontName = skin->FontName;
  if (skin->HasFontSize()) fontSize = skin->FontSize;
  if (skin->HasFontStyle()) fontStyle = skin->FontStyle;
  const bool copied = !skin->FontName.IsEmpty() || skin->HasFontSize() || skin->HasFontStyle();
  return copied ? S_OK : S_FALSE;
}

RCPtr<LStringTable> LControlFactory::GetNamedStringTable(const String& tableName) const {
  const auto found = mRegistry.stringTables.find(tableName);
  if (found == mRegistry.stringTables.end()) return {};
  return LStringTable::Create(found->second);
}

RCPtr<LStringTable> LControlFactory::GetStringTable(const LControl* parent, const String& controlName) const {
  const LControlDescriptor* parentDescriptor = parent ? parent->GetDescriptor().Get() : nullptr;
  const String& owner = parentDescriptor ? parentDescriptor->ClassName : mRegistry.applicationName;
  return GetNamedStringTable(owner + u"|" + controlName);
}

RCPtr<LStringTable> LControlFactory::GetApplicationStringTable() const {
  return GetNamedStringTable(u"|" + mRegistry.applicationName);
}

RCPtr<LStringTable> LControlFactory::GetFrameworkStringTable() const { return GetNamedStringTable(u"Framework"); }

}  // namespace SV
