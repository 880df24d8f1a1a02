#pragma once
#include <cstdint>

#include "Panel/Engine/PresetEditorCommon/MidiManager.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/ComboBox.h"
#include "SVFramework/Controls/Dialog.h"
#include "SVFramework/Controls/NumericUpDown.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

// The modal dialog of the File menu's "Global Settings" command ("PresetEditor.GlobalSettings",
// skin child "globalSettings"): the velocity curve and sensitivity of the white and the black
// keys, sent to the controller with one button. Nothing is read back from the controller but
// its firmware version: the sensitivity controls stay hidden, and their settings unsent, until
// a version of 1.12 or more has been read. Each command makes a new dialog. UI thread only;
// the firmware request and each send block the UI thread for their MIDI exchange.
class LGlobalSettingsDlg : public LDialog {
public:
  using Handlers = LNotificationHandler<LGlobalSettingsDlg>;

  // The firmware request is repeated at most this often and this many times per dialog:
  // a silent controller would otherwise freeze the dialog for the whole reply wait on
  // every idle tick.
  static constexpr uint32_t kFirmwareRequestIntervalMilliseconds = 1000;
  static constexpr int32_t kFirmwareRequestLimit = 3;

  // The creator registered under "PresetEditor.GlobalSettings".
  static RCPtr<LControl>& Create(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                         const RCPtr<LControlDescriptor>& descriptor);

  LGlobalSettingsDlg(const RCPtr<LControl>& parent, const String& name);
  ~LGlobalSettingsDlg() override;

  // The dialog's initialisation, then: the five children found (a missing one raises the
  // null-pointer runtime error naming it), the sensitivities set to 50 in 0 to 100, the send
  // button bound, the sensitivity controls hidden and the firmware check started.
  SVRESULT Initialize() override;
  // The idle tick: runs CheckFirmwareOnIdle.
  void OnIdle() override;
  int32_t Receive(const RCPtr<LNotificationDistributor>& source,
                  const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source,
                                  const char16_t* idText) override;
  SVRESULT ReleaseInternalReferences() override;

  // Sends the two curves and, while shown, the two sensitivities, stopping at the first
  // failure, and shows the outcome in a message box. 1; the dialog stays open.
  int32_t SendGlobalSettings(const RCPtr<LNotificationDistributor>& source,
                             const RCPtr<LNotification>& notification);
  // Shows or hides both sensitivity up-downs and their labels (a missing label is skipped).
  void ShowSensitivityControls(bool visible);
  // The firmware gate: asks the controller for its version until one answer came, at most
  // once a second and three times; a version of 1.12 or more shows the sensitivity
  // controls. The idle subscription ends with the answer or the last failed request.
  void CheckFirmwareOnIdle();

  // The value sent for a curve combo box's item (0 for none or an unknown item).
  static int32_t CurveValueForItem(int32_t itemIndex);

  bool IsFirmwareRead() const { return mFirmwareRead; }
  int32_t GetFirmwareRequestCount() const { return mFirmwareRequests; }

private:
  void FindChildren();
  void BindSendButton();
  // Sends one setting; the manager's result, -1 without a manager.
  SVRESULT SendSetting(const char16_t* name, int32_t value);
  bool SendSensitivity(const char16_t* name, const RCPtr<LNumericUpDown>& upDown);
  bool IsFirmwareRequestDue() const;
  void EndFirmwareCheck();

  RCPtr<Handlers> mHandlers;
  RCPtr<LComboBox> mWhiteCurve;
  RCPtr<LComboBox> mBlackCurve;
  RCPtr<LNumericUpDown> mWhiteSensitivity;
  RCPtr<LNumericUpDown> mBlackSensitivity;
  RCPtr<LButton> mSendButton;
  RCPtr<LMidiManager> mMidiManager;
  bool mFirmwareRead = false;
  bool mFirmwareCheckRunning = false;
  int32_t mFirmwareRequests = 0;
  uint32_t mLastFirmwareRequestTick = 0;
};

}  // namespace SV
