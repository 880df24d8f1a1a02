#include "Panel/UI/AboutDlg.h"

#include "Platform/System/ProgramModule.h"
#include "SVFramework/Application/Version.h"
#include "SVFramework/ControlBase/ControlCreation.h"

namespace SV {

namespace {

const ::Platform::System::IModule* gVersionModule = nullptr;

const ::Platform::System::IModule& VersionModule() {
  return gVersionModule ? *gVersionModule : ::Platform::System::ProgramModule::Instance();
}

SVRESULT SetChildText(const LControl& dialog, const char16_t* name, const String& text) {
  const RCPtr<LControl> label = dialog.FindChild(name);
  return label ? label->SetText(text) : S_OK;
}

}  // namespace

RCPtr<LControl>& LAboutDlg::Create(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                   const RCPtr<LControlDescriptor>& descriptor) {
  return LControlCreation::Create<LAboutDlg>(out, parent, descriptor);
}

LAboutDlg::LAboutDlg(const RCPtr<LControl>& parent, const String& name) : LDialog(parent, name) {}

LAboutDlg::~LAboutDlg() = default;

SVRESULT LAboutDlg::Initialize() {
  const SVRESULT result = LDialog::Initialize();
  if (result < 0) return result;
  const Version version(VersionModule());
  const SVRESULT product = SetChildText(*this, u"labelProduct", version.GetProductVersion());
  if (product < 0) return product;
  return SetChildText(*this, u"labelCopyright", version.GetLegalCopyright());
}

void LAboutDlg::UseVersionModule(const ::Platform::System::IModule* module) { gVersionModule = module; }

}  // namespace SV
