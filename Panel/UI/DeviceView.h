#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/Controls/FileDialog.h"
#include "SVFramework/notification/NotificationHandler.h"
#include "DeviceControl/GeneratedCode/Engine/inc/DeviceInterface.h"
#include "Panel/UI/DriverCommon/PresetManager.h"
#include "Panel/UI/PresetEditorCommon/CCParamHandler.h"
#include "Panel/UI/PresetEditorCommon/MidiChannelsParamHandler.h"
#include "Panel/UI/StatusView.h"

namespace SV {

// The control that shows the controller ("PresetEditor.MainControl.DeviceView", skin child
// "viewDevice" of the main control). It is the device module of the editor's module tree:
// it groups the 24 parameter panels among its skin children into the keybed, one
// controller-number handler and two MIDI-zone handlers. It owns the file dialog and the
// preset manager, and it carries out the File and Help menu commands (from its root window)
// and the two file hot keys (from the "application" center): get and send the preset, open
// and save preset files, global settings, exit, About and the user guide.
// UI thread only; get and send block the UI thread for the MIDI exchange, the file dialogs
// and the dialogs run modally.
class LDeviceView : public LControl, public IDevice {
public:
  using Handlers = LNotificationHandler<LDeviceView>;

  static constexpr const char16_t* kPresetFileExtension = u"corvex";
  static constexpr const char16_t* kUserGuideFileName = u"Corvex Editor Setup - v1.2.pdf";

  // The creator registered under "PresetEditor.MainControl.DeviceView".
  static RCPtr<LControl>& Create(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                         const RCPtr<LControlDescriptor>& descriptor);

  LDeviceView(const RCPtr<LControl>& parent, const String& name);
  ~LDeviceView() override;

  // The control's initialisation, then the handler table, the file dialog, the parameter
  // panels grouped into the handlers (a missing child, or a panel of another class, raises
  // the null-pointer runtime error "Cannot find child <name>"), the menu's item updater, the
  // status view and the preset manager. The control base's result.
  SVRESULT Initialize() override;
  // Binds the menu commands of the new root window and the file hot keys (RegisterMenuCommands),
  // then the base's work.
  void OnRootWindowChanged() override;
  // Every item keeps its text and stays enabled: 0 without changing the state.
  SVRESULT UpdateMenuItemState(const RCPtr<LMenuDescriptor>& menu, uint32_t index,
                                   const String& commandID, LMenuItemState& state) override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source,
                  const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source,
                                  const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // --- The device module ---
  // The child "keybed" (looked up on every call); null when absent or of another class.
  RCPtr<IKeybed> GetKeybed() override;
  RCPtr<ICCValues> GetCCValues() override;
  // Zone 0 and zone 1; null for any other index.
  RCPtr<IMidiChannels> GetMidiChannels(int32_t zoneIndex) override;

  // --- Files ---
  RCPtr<LStatusView> GetStatusView() const { return mStatusView; }
  // Always 1.
  virtual int32_t IsDeviceViewReady() const { return 1; }
  virtual String GetPresetFileExtension() const { return kPresetFileExtension; }
  // The open and save dialogs' filter: the preset files, then all files.
  virtual String GetPresetFileFilter(int32_t fromOpenDialog) const;
  // "*." and the extension.
  virtual String GetPresetFilePattern() const;
  // Asks for a preset file and loads it, with a box for a file the editor cannot read. The
  // dialog's failure (cancelled) or the load result.
  virtual SVRESULT OnLoadPresetFromFile();
  // Asks where to save and saves the preset there, storing the dialog's folder. The dialog's
  // failure (cancelled: nothing written or stored) or the save result; no box.
  virtual SVRESULT OnSavePresetToFile();
  // The dialogs' results; on success (not negative) the chosen path in `path`.
  virtual SVRESULT ShowSavePresetDialog(String& path);
  virtual SVRESULT ShowLoadPresetDialog(String& path);

  // --- Menu commands ---
  // Posts "NID_APP_EXIT_REQ" to the "application" center: the application closes and ends.
  void OnExit();
  // Runs the dialog "dialogAbout" modally; a dialog that cannot be made shows nothing.
  void OnAbout();
  // Opens the user guide in the program's folder with the desktop; a box when it does not open.
  void OnOpenUserGuide();
  // GetPresetFromDeviceAction with 0 and SendPresetToDeviceAction with -1.
  void OnGetPresetFromDevice();
  void OnSendPresetToDevice();
  // Runs the dialog "globalSettings" modally; a dialog that cannot be made shows nothing.
  void OnGlobalSettings();

  const RCPtr<LPresetManager>& GetPresetManager() const { return mPresetManager; }
  const RCPtr<LFileDialog>& GetFileDialog() const { return mFileDialog; }

private:
  void CreateParameterHandlers();
  void HandMenuItemUpdaterToMenu();
  void RegisterMenuCommands();
  static void RunDialog(const char16_t* name);
  void ShowLoadResult(SVRESULT result) const;

  RCPtr<Handlers> mHandlers;
  RCPtr<LStatusView> mStatusView;
  RCPtr<LPresetManager> mPresetManager;
  RCPtr<LFileDialog> mFileDialog;
  RCPtr<LCCParamHandler> mCCHandler;
  RCPtr<LMidiChannelsParamHandler> mZoneA;
  RCPtr<LMidiChannelsParamHandler> mZoneB;
};

}  // namespace SV
