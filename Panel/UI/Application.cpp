#include "Panel/UI/Application.h"

#include <iterator>

#include "Panel/UI/DriverCommon/MainControl.h"
#include "Panel/UI/EditorControlTypes.h"
#include "Platform/Gui/ImageCursors.h"
#include "Platform/Gui/ScreenInfo.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/Controls/Label.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Midi/DefaultMidiServices.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/HotKeyMap.h"

namespace SV {
namespace {

constexpr int32_t kDocumentsFolder = 4;

// The drop cursors' images, compiled into the program; the pointer's tip is the hot spot.
constexpr const char* kDropMoveCursorImage = ":/CURSORS/cursor_drop_move.png";
constexpr const char* kDropCopyCursorImage = ":/CURSORS/cursor_drop_copy.png";

// Names that show no cursor in the editor.
constexpr const char16_t* kCursorlessNames[] = {u"UI_CURSOR_SPLIT_V",   u"UI_CURSOR_SPLIT_H",
                                                u"UI_CURSOR_ROTATE",    u"UI_CURSOR_MAG",
                                                u"UI_CURSOR_MAG_PLUS",  u"UI_CURSOR_MAG_MINUS"};

}  // namespace

LApplication::LApplication(const RCPtr<LControlFactory>& factory, const RCPtr<LStringTable>& frameworkStrings,
                           const String& commandLine)
    : LApplicationBase<LApplication>(factory, frameworkStrings, commandLine) {
  SetRootModuleEngineOwner(this);
  ::Platform::Gui::RegisterImageCursor(kDropMoveCursor, kDropMoveCursorImage, 0, 0);
  ::Platform::Gui::RegisterImageCursor(kDropCopyCursor, kDropCopyCursorImage, 0, 0);
}

LApplication::~LApplication() {
  SetRootModuleEngineOwner(nullptr);
  mMidiManager.Reset();
  mEngine.Reset();
}

String LApplication::GetSettingsVersion() { return u"1_0_0"; }

String LApplication::GetMainControlName() { return u"mainControl"; }

int32_t LApplication::LoadCursor(const String& name) {
  if (name == String(u"UI_CURSOR_DROP_MOVE")) return kDropMoveCursor;
  if (name == String(u"UI_CURSOR_DROP_COPY")) return kDropCopyCursor;
  for (const char16_t* cursorless : kCursorlessNames)
    if (name == String(cursorless)) return 0;
  return LApplicationBase<LApplication>::LoadCursor(name);
}

String LApplication::GetFolder(int32_t folderId) {
  if (folderId == 5 || folderId == 6) folderId = kDocumentsFolder;
  return LApplicationBase<LApplication>::GetFolder(folderId);
}

int32_t LApplication::OpenSettingsFile(int32_t fileId) {
  if (fileId != 0 && fileId != 1) return 0;
  int32_t& handle = fileId == 0 ? mApplicationSettings : mUserSettings;
  if (handle != 0) return handle;
  handle = OpenSettingsFileIn(fileId == 0 ? 2 : 3, fileId == 0 ? u"AppSettings.ini" : u"UserSettings.ini");
  return handle;
}

SVRESULT LApplication::Initialize() {
  const SVRESULT started = LApplicationBase<LApplication>::Initialize();
  if (started < 0) return started;
  const SVRESULT hotKeys = LoadEditorHotKeys();
  if (hotKeys < 0) return hotKeys;
  if (GetControlFactory()) RegisterEditorControls(*GetControlFactory());
  StartEngine();
  mMidiManagerDue = true;
  ChooseSkinByResolution();
  return hotKeys;
}

SVRESULT LApplication::Shutdown() {
  mMidiManagerDue = false;
  if (mMidiManager) {
    mMidiManager->PauseStatusPolling();
    mMidiManager->ClosePorts();
  }
  mMidiManager.Reset();
  mEngine.Reset();
  const SVRESULT result = LApplicationBase<LApplication>::Shutdown();
  // The machine's MIDI services go with their last port manager, closing their ALSA
  // and JACK clients: a JACK server keeps the clients of a program that ended without
  // closing them until it notices, and the next start of the editor waits for that.
  SetDefaultMidiServices(nullptr);
  return result;
}

RCPtr<LMidiManager> LApplication::GetMidiManager() {
  StartMidiManagerIfDue();
  return mMidiManager;
}

bool LApplication::Idle(bool firstAfterMessage) {
  const bool workLeft = LApplicationBase<LApplication>::Idle(firstAfterMessage);
  if (mMidiManagerDue && HasMainWindowPresented()) StartMidiManagerIfDue();
  return workLeft;
}

void LApplication::RegisterEditorControls(LControlFactory& factory) {
  for (const ControlTypeEntry& entry : GetEditorControlTypes())
    factory.RegisterControlCreateFunction(entry.className, entry.create);
}

RCPtr<LControl>& LApplication::CreatePanel(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                           const RCPtr<LControlDescriptor>& descriptor) {
  return LControlCreation::Create<LPanel>(out, parent, descriptor);
}

RCPtr<LControl>& LApplication::CreateControllerBody(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                                    const RCPtr<LControlDescriptor>& descriptor) {
  return LControlCreation::Create<LLabel>(out, parent, descriptor);
}

int32_t LApplication::SkinForDotsPerInch(double dotsPerInch) {
  return dotsPerInch < kHighResolutionDotsPerInch ? kStandardResolutionSkin : kHighResolutionSkin;
}

RCPtr<LMidiManager> LApplication::CreateMidiManager() { return LMidiManager::Create(); }

RCPtr<LRootModuleEngine> LApplication::CreateEngine() { return RCPtr<LRootModuleEngine>(new LRootModuleEngine()); }

double LApplication::GetScreenDotsPerInch() { return ::Platform::Gui::ScreenDotsPerInch(); }

SVRESULT LApplication::LoadEditorHotKeys() {
  LGlobalHotKeyManager* const hotKeys = GetGlobalHotKeyManager();
  if (!hotKeys) return S_OK;
  return hotKeys->GetMap().LoadFromStringTable(GetApplicationStringTable().Get(), u"GHK_WIN");
}

void LApplication::StartEngine() {
  mEngine = CreateEngine();
  if (mEngine) mEngine->Initialize(0);
}

void LApplication::StartMidiManagerIfDue() {
  if (!mMidiManagerDue) return;
  mMidiManagerDue = false;
  mMidiManager = CreateMidiManager();
  if (mMidiManager) mMidiManager->ResumeStatusPolling();
}

bool LApplication::HasMainWindowPresented() {
  const RCPtr<LRootWindow> main = GetRootWindows().GetCount() > 0 ? GetRootWindows().GetAt(0) : RCPtr<LRootWindow>();
  return main && main->HasPresentedFrame();
}

void LApplication::ChooseSkinByResolution() {
  const RCPtr<LControlFactory>& factory = GetControlFactory();
  if (!factory || factory->GetSkins().GetCount() != 2) return;
  SetSkin(SkinForDotsPerInch(GetScreenDotsPerInch()));
}

LApplication* GetEditorApplication() { return dynamic_cast<LApplication*>(GetFrameworkApp()); }

}  // namespace SV
