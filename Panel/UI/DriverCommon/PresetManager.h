#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Storage/Variant.h"
#include "SVFramework/notification/NotificationClient.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationHandler.h"

namespace SV {

class LFileDialog;

// Saves the engine's 24 preset values as a preset file and loads a file back into the
// engine, value by value; the controls follow through the engine's own announcements.
// Around each load it distributes "NID_PRESETFILE_PRE_LOAD" (no payload) and
// "NID_PRESETFILE_POST_LOAD" (an LPresetFileLoadNotificationData) to its own
// subscribers, and it loads the file named by "NID_GLOBAL_LOAD_CONTROL_PANEL_SETTINGS"
// on the "application" center. No file stays open between calls.
// UI thread only.
class LPresetManager : public LNotificationClient, public LNotificationDistributor {
public:
  static constexpr const char16_t* kPreLoadID = u"NID_PRESETFILE_PRE_LOAD";
  static constexpr const char16_t* kPostLoadID = u"NID_PRESETFILE_POST_LOAD";
  static constexpr const char16_t* kLoadSettingsID = u"NID_GLOBAL_LOAD_CONTROL_PANEL_SETTINGS";
  static constexpr const char16_t* kLastFolderKey = u"PresetLastFolderPath";
  // The application's settings file that holds the folder: "UserSettings.ini".
  static constexpr int32_t kUserSettingsFile = 1;

  // A new manager, subscribed to "NID_GLOBAL_LOAD_CONTROL_PANEL_SETTINGS" on the
  // "application" center; a failed subscription raises
  // SV::Exception<SV::FailedResultException>.
  static RCPtr<LPresetManager> Create();
  ~LPresetManager() override;

  // Distributes the pre-load notification, reads the file into the engine and
  // distributes the post-load notification with the result, which it returns (a
  // PresetLoadResult).
  int32_t LoadPresetFile(const String& path);
  // Reads the file and hands each record's value to the engine at once (a value the
  // engine refuses is skipped); a PresetLoadResult. Records applied before a corrupt
  // one stay applied.
  int32_t ReadPresetFile(const String& path);
  // Writes the engine's 24 values as the file at `path`: 0, or E_FAIL when the engine
  // is missing or does not deliver 24 values, or the file cannot be written; a failed
  // save leaves an existing file exactly as it was.
  SVRESULT SavePresetFile(const String& path);
  // Stores the dialog's folder (that of the file just chosen) as "PresetLastFolderPath"
  // in the application object's settings file 1, "UserSettings.ini"; failures are
  // ignored. Nothing reads the value back.
  void StoreLastFolderPath(const LFileDialog& dialog);

  // Loads the file whose path the payload (a shared text) carries; the result is not
  // shown. Returns 1.
  int32_t OnLoadControlPanelSettings(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification);

  // One record of the preset file in `record` (see PresetFileFormat::BuildRecord).
  static SVRESULT BuildRecord(int32_t parameterIndex, const Variant& value, IBuffer& record);
  // The record at `offset`: its length, or E_FAIL (see PresetFileFormat::ParseRecord).
  static SVRESULT ParseRecord(const uint8_t* bytes, uint32_t size, uint32_t offset, int32_t& parameterIndex,
                              Variant& value);

  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>& source, const char16_t* idText) override;
  // Leaves the "application" center and lets every subscriber of the manager go.
  SVRESULT ReleaseInternalReferences() override;

  bool IsSubscribed() const { return mSubscribed; }

private:
  LPresetManager();
  void Announce(const char16_t* idText, const RCPtr<LRefCountedObject>& payload);

  RCPtr<LNotificationHandler<LPresetManager>> mHandler;
  bool mSubscribed = false;
};

}  // namespace SV
