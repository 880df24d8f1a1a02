#include "Panel/UI/DeviceView.h"

#include <exception>
#include <string>

#include "Panel/UI/DriverCommon/AppString.h"
#include "Panel/UI/DriverCommon/MainControl.h"
#include "Panel/UI/PresetEditorCommon/KeybedPanel.h"
#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"
#include "Panel/UI/PresetTransferActions.h"
#include "Platform/Gui/DocumentOpener.h"
#include "SVFramework/Application/AppMessageBox.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Dialog.h"
#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/MenuItemState.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/DebugLog.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {

namespace {

constexpr const char* kDeviceViewInitialize = "SV::LDeviceView::Initialize";
constexpr uint32_t kMessageBoxIconError = 16;

using Panel = RCPtr<LVariantBufferSetterParameterPanel>;

// A direct child that the device view cannot work without.
RCPtr<LControl> RequireChild(const LControl& parent, const char16_t* name) {
  RCPtr<LControl> child = parent.FindChild(name);
  if (!child)
    SV_RAISE_NULL_POINTER(std::string("Cannot find child ") + String(name).ToUTF8().GetString(), kDeviceViewInitialize);
  return child;
}

// A direct child that must be a parameter panel.
Panel RequirePanel(const LControl& parent, const char16_t* name) {
  Panel panel(dynamic_cast<LVariantBufferSetterParameterPanel*>(parent.FindChild(name).Get()));
  if (!panel)
    SV_RAISE_NULL_POINTER(std::string("Cannot find child ") + String(name).ToUTF8().GetString(), kDeviceViewInitialize);
  return panel;
}

// A command of the File and Help menus or a file hot key, and where it comes from.
struct MenuCommand {
  bool fromApplicationCenter;
  const char16_t* id;
  void (*run)(LDeviceView& view);
};

const MenuCommand kMenuCommands[] = {
    {false, u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE", [](LDeviceView& view) { view.OnLoadPresetFromFile(); }},
    {false, u"NID_MENU_FILE_SAVE_PRESET_TO_FILE", [](LDeviceView& view) { view.OnSavePresetToFile(); }},
    {false, u"NID_MENU_FILE_EXIT_REQ", [](LDeviceView& view) { view.OnExit(); }},
    {false, u"NID_MENU_HELP_ABOUT_REQ", [](LDeviceView& view) { view.OnAbout(); }},
    {false, u"NID_MENU_HELP_OPEN_USERGUIDE_REQ", [](LDeviceView& view) { view.OnOpenUserGuide(); }},
    {false, u"NID_MENU_FILE_GET_PRESET_FROM_DEVICE", [](LDeviceView& view) { view.OnGetPresetFromDevice(); }},
    {false, u"NID_MENU_FILE_SEND_PRESET_TO_DEVICE", [](LDeviceView& view) { view.OnSendPresetToDevice(); }},
    {false, u"NID_MENU_FILE_GLOBALSETTINGS_REQ", [](LDeviceView& view) { view.OnGlobalSettings(); }},
    {true, u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE", [](LDeviceView& view) { view.OnLoadPresetFromFile(); }},
    {true, u"NID_MENU_FILE_SAVE_PRESET_TO_FILE", [](LDeviceView& view) { view.OnSavePresetToFile(); }},
};

// The text key of the box for a load result; null for a result that shows none.
const char16_t* LoadResultTextKey(SVRESULT result) {
  switch (result) {
    case -1: return u"SETTINGS_FILE_LOAD_OLDER_MESSAGE";
    case -2: return u"SETTINGS_FILE_LOAD_NEWER_MESSAGE";
    case -3: return u"SETTINGS_FILE_LOAD_CORRUPT_MESSAGE";
    case -4: return u"SETTINGS_FILE_LOAD_WRONG_DEVICE_MESSAGE";
    case -5: return u"SETTINGS_FILE_TRANSLATION_FAILURE_MESSAGE";
    default: return nullptr;
  }
}

}  // namespace

RCPtr<LControl>& LDeviceView::Create(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                     const RCPtr<LControlDescriptor>& descriptor) {
  return LControlCreation::Create<LDeviceView>(out, parent, descriptor);
}

LDeviceView::LDeviceView(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

LDeviceView::~LDeviceView() = default;

// --- Creation ---

SVRESULT LDeviceView::Initialize() {
  const SVRESULT result = LControl::Initialize();
  if (result < 0) return result;
  mHandlers = Handlers::Create(this);
  if (!mHandlers) SV_RAISE(FailedResultException, FormatResultCode(E_OUTOFMEMORY), kDeviceViewInitialize);
  mFileDialog = RCPtr<LFileDialog>(new LFileDialog(String(u".")));
  CreateParameterHandlers();
  HandMenuItemUpdaterToMenu();
  mStatusView = RCPtr<LStatusView>(new LStatusView);
  mPresetManager = LPresetManager::Create();
  return result;
}

void LDeviceView::CreateParameterHandlers() {
  const RCPtr<LControl> midiUsb = RequireChild(*this, u"midiUSB");
  const Panel channelA = RequirePanel(*midiUsb, u"portAMidiChannel");
  const Panel channelB = RequirePanel(*midiUsb, u"portBMidiChannel");
  const Panel midiDinA = RequirePanel(*midiUsb, u"midiDinPortA");
  const Panel midiDinB = RequirePanel(*midiUsb, u"midiDinPortB");
  const Panel usbA = RequirePanel(*midiUsb, u"usbPortA");
  const Panel usbB = RequirePanel(*midiUsb, u"usbPortB");
  const RCPtr<LControl> modPitchWheel = RequireChild(*this, u"modPitchWheel");
  const Panel modWheelA = RequirePanel(*modPitchWheel, u"modWheelA");
  const Panel modWheelB = RequirePanel(*modPitchWheel, u"modWheelB");
  const Panel pitchWheelA = RequirePanel(*modPitchWheel, u"pitchWheelA");
  const Panel pitchWheelB = RequirePanel(*modPitchWheel, u"pitchWheelB");
  const RCPtr<LControl> pedal1 = RequireChild(*this, u"pedal1");
  const Panel pedal1A = RequirePanel(*pedal1, u"portA");
  const Panel pedal1B = RequirePanel(*pedal1, u"portB");
  const RCPtr<LControl> pedal2 = RequireChild(*this, u"pedal2");
  const Panel pedal2A = RequirePanel(*pedal2, u"portA");
  const Panel pedal2B = RequirePanel(*pedal2, u"portB");
  const RCPtr<LControl> pedal3 = RequireChild(*this, u"pedal3");
  const Panel pedal3A = RequirePanel(*pedal3, u"portA");
  const Panel pedal3B = RequirePanel(*pedal3, u"portB");

  mZoneA = RCPtr<LMidiChannelsParamHandler>(
      new LMidiChannelsParamHandler({channelA, modWheelA, pitchWheelA, pedal1A, pedal2A, pedal3A, midiDinA, usbA}));
  mZoneB = RCPtr<LMidiChannelsParamHandler>(
      new LMidiChannelsParamHandler({channelB, modWheelB, pitchWheelB, pedal1B, pedal2B, pedal3B, midiDinB, usbB}));

  const Panel modPitchWheelCC = RequirePanel(*modPitchWheel, u"cc");
  const Panel pedal1CC = RequirePanel(*pedal1, u"cc");
  const Panel pedal2CC = RequirePanel(*pedal2, u"cc");
  const Panel pedal3CC = RequirePanel(*pedal3, u"cc");
  mCCHandler = RCPtr<LCCParamHandler>(new LCCParamHandler({modPitchWheelCC, pedal1CC, pedal2CC, pedal3CC}));
}

void LDeviceView::HandMenuItemUpdaterToMenu() {
  LControl* const parent = LControl::GetParent();
  if (!dynamic_cast<LMainControl*>(parent)) return;
  const RCPtr<LMainMenu> menu(dynamic_cast<LMainMenu*>(parent->FindChild(u"mainMenu").Get()));
  if (menu) menu->SetMenuItemUpdater(GetMenuItemUpdater());
}

void LDeviceView::OnRootWindowChanged() {
  RegisterMenuCommands();
  LControl::OnRootWindowChanged();
}

void LDeviceView::RegisterMenuCommands() {
  if (!mHandlers) return;
  const RCPtr<LNotificationDistributor> rootWindow(GetRootWindow());
  const RCPtr<LNotificationDistributor> center(GetApplicationNotificationCenter());
  for (const MenuCommand& command : kMenuCommands) {
    const RCPtr<LNotificationDistributor>& source = command.fromApplicationCenter ? center : rootWindow;
    if (!source) continue;
    const auto run = command.run;
    mHandlers->AddHandler(
        [run](LDeviceView& view, const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
          run(view);
          return 1;
        },
        source, command.id);
  }
}

SVRESULT LDeviceView::UpdateMenuItemState(const RCPtr<LMenuDescriptor>&, uint32_t, const String&, LMenuItemState&) {
  return S_OK;
}

int32_t LDeviceView::Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) {
  if (!IsCreated()) return 1;
  if (mHandlers) {
    const int32_t handled = mHandlers->Dispatch(source, notification);
    if (handled != 0) return handled;
  }
  return LControl::Receive(source, notification);
}

SVRESULT LDeviceView::UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) {
  if (mHandlers) mHandlers->RemoveHandler(source.Get(), idText);
  return LControl::UnsubscribeVirtual(source, idText);
}

SVRESULT LDeviceView::ReleaseInternalReferences() {
  mCCHandler = nullptr;
  mZoneA = nullptr;
  mZoneB = nullptr;
  mPresetManager = nullptr;
  mFileDialog = nullptr;
  mStatusView = nullptr;
  return LControl::ReleaseInternalReferences();
}

// --- The device module ---

RCPtr<IKeybed> LDeviceView::GetKeybed() { return RCPtr<IKeybed>(dynamic_cast<IKeybed*>(FindChild(u"keybed").Get())); }

RCPtr<ICCValues> LDeviceView::GetCCValues() { return RCPtr<ICCValues>(mCCHandler.Get()); }

RCPtr<IMidiChannels> LDeviceView::GetMidiChannels(int32_t zoneIndex) {
  if (zoneIndex == 0) return RCPtr<IMidiChannels>(mZoneA.Get());
  if (zoneIndex == 1) return RCPtr<IMidiChannels>(mZoneB.Get());
  return nullptr;
}

// --- Files ---

String LDeviceView::GetPresetFileFilter(int32_t) const {
  const String extension = GetPresetFileExtension();
  return GetAppString(u"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_1") + extension + String(u")|*.") + extension +
         GetAppString(u"CONTROL_PANEL_SETTINGS_FILTER_SEGMENT_2");
}

String LDeviceView::GetPresetFilePattern() const { return String(u"*.") + GetPresetFileExtension(); }

SVRESULT LDeviceView::ShowLoadPresetDialog(String& path) {
  if (!mFileDialog) return E_FAIL;
  const SVRESULT result = mFileDialog->ShowOpenDialog(GetPresetFileFilter(1), GetPresetFilePattern(),
                                                      GetAppString(u"LOAD_PRESET_DIALOG_TITLE"), false);
  if (result >= 0) path = mFileDialog->GetFilePath();
  return result;
}

SVRESULT LDeviceView::ShowSavePresetDialog(String& path) {
  if (!mFileDialog) return E_FAIL;
  const SVRESULT result = mFileDialog->ShowSaveDialog(GetPresetFileFilter(0), GetPresetFilePattern(),
                                                      GetAppString(u"SAVE_PRESET_DIALOG_TITLE"), -1);
  if (result >= 0) path = mFileDialog->GetFilePath();
  return result;
}

SVRESULT LDeviceView::OnLoadPresetFromFile() {
  const RCPtr<LDeviceView> self(this);
  String path;
  const SVRESULT chosen = ShowLoadPresetDialog(path);
  if (chosen < 0) return chosen;
  if (!mPresetManager) return chosen;
  const SVRESULT loaded = mPresetManager->LoadPresetFile(path);
  ShowLoadResult(loaded);
  return loaded;
}

void LDeviceView::ShowLoadResult(SVRESULT result) const {
  const char16_t* textKey = LoadResultTextKey(result);
  if (!textKey) return;
  ShowAppMessageBox(GetAppString(textKey), GetAppString(u"SETTINGS_FILE_LOAD_CAPTION"), kMessageBoxIconError);
}

SVRESULT LDeviceView::OnSavePresetToFile() {
  const RCPtr<LDeviceView> self(this);
  String path;
  const SVRESULT chosen = ShowSavePresetDialog(path);
  if (chosen < 0 || !mPresetManager) return chosen;
  const SVRESULT saved = mPresetManager->SavePresetFile(path);
  mPresetManager->StoreLastFolderPath(*mFileDialog);
  return saved;
}

// --- Menu commands ---

void LDeviceView::OnExit() { GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr); }

void LDeviceView::OnAbout() { RunDialog(u"dialogAbout"); }

void LDeviceView::OnGlobalSettings() { RunDialog(u"globalSettings"); }

void LDeviceView::RunDialog(const char16_t* name) {
  LFrameworkApp* const application = GetFrameworkApp();
  if (!application) return;
  RCPtr<LControl> dialog;
  try {
    application->CreateControl(dialog, String(name));
  } catch (const std::exception& error) {
    // A dialog whose skin lacks a part cannot be shown; the editor goes on without it.
    DebugLog::Instance().Narrow() << error.what() << std::endl;
    return;
  }
  if (!dynamic_cast<LDialog*>(dialog.Get())) return;
  application->DoModal(dialog, true);
}

void LDeviceView::OnOpenUserGuide() {
  LFrameworkApp* const application = GetFrameworkApp();
  const String folder = application ? application->GetFolder(0) : String();
  const String path = folder + String(u"/") + String(kUserGuideFileName);
  if (::Platform::Gui::GetDocumentOpener().Open(std::u16string(path.GetString()))) return;
  ShowAppMessageBox(GetAppString(u"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_TEXT"),
                    GetAppString(u"LABEL_OPEN_USERGUIDE_FILE_FAILED_MSGBOX_CAPTION"), kMessageBoxOk);
}

void LDeviceView::OnGetPresetFromDevice() { GetPresetFromDeviceAction(0); }

void LDeviceView::OnSendPresetToDevice() { SendPresetToDeviceAction(-1); }

}  // namespace SV
