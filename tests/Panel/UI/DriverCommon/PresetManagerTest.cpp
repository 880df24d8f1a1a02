#include "Panel/UI/DriverCommon/PresetManager.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The framework's headers come first: the device side's declare an SV::Platform that
// would hide the platform layer's namespace from them.
#include "SVFramework/Controls/FileDialog.h"
#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "Panel/UI/DriverCommon/PresetFileLoadNotificationData.h"
#include "Panel/UI/DriverCommon/PresetFileReader.h"
#include "SVFramework/Utilities/IniFileManager.h"
#include "SVFramework/Utilities/StringPayload.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "tests/Panel/UI/DriverCommon/PresetFileBytes.h"
#include "tests/Panel/UI/RecordingSettings.h"
#include "tests/Support/ApplicationStandIn.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

namespace fs = std::filesystem;
using Testing::ApplicationStandIn;
using Testing::Bytes;
using Testing::PresetFileBytes;

const uint8_t kDefaults[24] = {0, 40, 0, 59, 1, 64, 11, 65, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
const uint8_t kEdited[24] = {1, 52, 1, 60, 2, 66, 12, 67, 5, 0, 1, 0, 1, 0, 1, 0, 9, 1, 0, 1, 0, 1, 0, 0};

// An engine in cache mode: no device-control library, so it is connected from the
// start and takes every one-byte value.
class CacheOnlyEngine : public LRootModuleEngine {
protected:
  RCPtr<LDeviceCommunicationInterface> CreateCommunicationInterface() override {
    return RCPtr<LDeviceCommunicationInterface>(
        new LDeviceCommunicationInterface(String(u"/nonexistent/libDeviceControlClient.so")));
  }
};

// Records the manager's own two load notifications, in order.
class LoadLog : public LNotificationClient {
public:
  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) override {
    const RCPtr<LPresetFileLoadNotificationData> data =
        RCPtr<LPresetFileLoadNotificationData>::DynamicCastFrom(notification->GetPayload());
    entries.push_back({notification->GetID(), data ? data->GetLoadResult() : 1, !notification->GetPayload()});
    return 1;
  }
  struct Entry {
    std::u16string id;
    int32_t result;  // 1 when the payload is no load result
    bool noPayload;
  };
  std::vector<Entry> entries;
};

Bytes FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void PutBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

String PathText(const fs::path& path) { return String(path.string().c_str()); }

class PresetManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder = fs::temp_directory_path() / ("preset-manager-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    ASSERT_EQ(app.StartEngine(RCPtr<LRootModuleEngine>(new CacheOnlyEngine)), 0);
    engine = app.GetRootModuleEngine();
    manager = LPresetManager::Create();
    log = RCPtr<LoadLog>(new LoadLog);
    log->Subscribe(RCPtr<LNotificationDistributor>(manager), LPresetManager::kPreLoadID);
    log->Subscribe(RCPtr<LNotificationDistributor>(manager), LPresetManager::kPostLoadID);
    SettleAnnouncements();
  }
  void TearDown() override {
    log->UnsubscribeAll();
    log.Reset();
    manager.Reset();
    engine.Reset();
    fs::remove_all(folder);
  }

  // Delivers what the engine posted and forgets it.
  void SettleAnnouncements() {
    app.Pump();
    app.log->entries.clear();
  }
  void SetModel(const uint8_t (&values)[24]) {
    for (int32_t id = 0; id < 24; ++id) engine->SetParamValue(ParamDescriptor(id), OneByteValue::Make(values[id]));
    SettleAnnouncements();
  }
  std::vector<uint8_t> Model() {
    Array<ParamValue> values;
    engine->GetParamValues(ParamRange{0, 24}, values, -1);
    std::vector<uint8_t> bytes;
    for (const ParamValue& value : values) bytes.push_back(value.value.GetUInt8());
    return bytes;
  }
  static std::vector<uint8_t> Of(const uint8_t (&values)[24]) { return std::vector<uint8_t>(values, values + 24); }

  ApplicationStandIn app;
  RCPtr<LRootModuleEngine> engine;
  RCPtr<LPresetManager> manager;
  RCPtr<LoadLog> log;
  fs::path folder;
};

TEST_F(PresetManagerTest, ASavedFileIsTheHeaderAnd24RecordsOf25BytesInParameterOrder) {
  SetModel(kEdited);
  const fs::path path = folder / "edited.corvex";
  ASSERT_EQ(manager->SavePresetFile(PathText(path)), 0);
  const Bytes bytes = FileBytes(path);
  ASSERT_EQ(bytes.size(), 612u);
  EXPECT_EQ(bytes, PresetFileBytes::Complete(kEdited));
  const Bytes firstRecord = {0x19, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0D, 0, 0, 0, 1, 0, 0, 0, 0x0E, 0, 0, 0, 1};
  EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 37), firstRecord);
}

TEST_F(PresetManagerTest, SavingThenLoadingBringsBackAll24Values) {
  SetModel(kEdited);
  const fs::path path = folder / "round-trip.corvex";
  ASSERT_EQ(manager->SavePresetFile(PathText(path)), 0);
  SetModel(kDefaults);
  ASSERT_EQ(Model(), Of(kDefaults));

  EXPECT_EQ(manager->LoadPresetFile(PathText(path)), PresetLoadResult::Loaded);
  EXPECT_EQ(Model(), Of(kEdited));
  app.Pump();
  EXPECT_GT(app.log->CountOf(ApplicationStandIn::kStateChange), 0u);
}

TEST_F(PresetManagerTest, LoadingWhatTheModelHoldsAlreadyAnnouncesNoParameterChange) {
  SetModel(kEdited);
  const fs::path path = folder / "same.corvex";
  ASSERT_EQ(manager->SavePresetFile(PathText(path)), 0);
  EXPECT_EQ(manager->LoadPresetFile(PathText(path)), PresetLoadResult::Loaded);
  app.Pump();
  EXPECT_EQ(app.log->CountOf(ApplicationStandIn::kStateChange), 0u);
  EXPECT_EQ(Model(), Of(kEdited));
}

TEST_F(PresetManagerTest, ALoadIsBracketedByItsTwoNotificationsWithTheResultAfter) {
  const fs::path good = folder / "good.corvex", newer = folder / "newer.corvex";
  PutBytes(good, PresetFileBytes::Complete(kEdited));
  PutBytes(newer, PresetFileBytes().Header(3).bytes);
  EXPECT_EQ(manager->LoadPresetFile(PathText(good)), PresetLoadResult::Loaded);
  EXPECT_EQ(manager->LoadPresetFile(PathText(newer)), PresetLoadResult::NewerFile);
  EXPECT_EQ(manager->LoadPresetFile(PathText(folder / "missing.corvex")), PresetLoadResult::CorruptFile);
  ASSERT_EQ(log->entries.size(), 6u);
  const int32_t results[] = {PresetLoadResult::Loaded, PresetLoadResult::NewerFile, PresetLoadResult::CorruptFile};
  for (size_t load = 0; load < 3; ++load) {
    SCOPED_TRACE(load);
    EXPECT_EQ(log->entries[2 * load].id, LPresetManager::kPreLoadID);
    EXPECT_TRUE(log->entries[2 * load].noPayload);
    EXPECT_EQ(log->entries[2 * load + 1].id, LPresetManager::kPostLoadID);
    EXPECT_EQ(log->entries[2 * load + 1].result, results[load]);
  }
}

TEST_F(PresetManagerTest, ValuesTheEngineRefusesAreSkippedAndTheRestLoad) {
  PresetFileBytes file;
  file.Header().ByteRecord(0, 1);
  file.Word(26).Word(0).Word(1).Word(14).Word(1).Word(14).Raw({7, 7});  // two bytes
  file.Word(28).Word(0).Word(2).Word(16).Word(1).Word(6).Word(300);     // an integer above 255
  file.Word(29).Word(0).Word(3).Word(17).Word(1).Word(15).Raw({'a', 'b', 'c', 'd', 0});  // a text
  file.ByteRecord(4, 99);
  const fs::path path = folder / "mixed.corvex";
  PutBytes(path, file.bytes);

  EXPECT_EQ(manager->LoadPresetFile(PathText(path)), PresetLoadResult::Loaded);
  std::vector<uint8_t> expected = Of(kDefaults);
  expected[0] = 1;
  expected[4] = 99;
  EXPECT_EQ(Model(), expected);
}

TEST_F(PresetManagerTest, ACorruptRecordEndsTheLoadWithTheEarlierValuesApplied) {
  PresetFileBytes file;
  file.Header().ByteRecord(0, 1).ByteRecord(1, 52);
  const fs::path path = folder / "cut.corvex";
  PutBytes(path, file.CutBy(1));
  EXPECT_EQ(manager->LoadPresetFile(PathText(path)), PresetLoadResult::CorruptFile);
  std::vector<uint8_t> expected = Of(kDefaults);
  expected[0] = 1;
  EXPECT_EQ(Model(), expected);
}

// Mended: the target was opened "created or emptied" before the values were known and
// writes and the close went unchecked, so a failed save destroyed the old preset.
TEST_F(PresetManagerTest, AFailedSaveLeavesTheOldFileByteForByte) {
  const fs::path kept = folder / "kept.corvex";
  const Bytes old = PresetFileBytes::Complete(kDefaults);
  PutBytes(kept, old);
  SetModel(kEdited);

  fs::create_directories(folder / "a-folder.corvex" / "inside");
  EXPECT_EQ(manager->SavePresetFile(PathText(folder / "a-folder.corvex")), E_FAIL);
  EXPECT_TRUE(fs::is_directory(folder / "a-folder.corvex" / "inside"));
  EXPECT_EQ(manager->SavePresetFile(PathText(kept / "under-a-file.corvex")), E_FAIL);
  EXPECT_EQ(manager->SavePresetFile(PathText(folder / "no-such-folder" / "new.corvex")), E_FAIL);
  EXPECT_EQ(manager->SavePresetFile(String()), E_FAIL);
  EXPECT_EQ(FileBytes(kept), old);

  app.ReleaseEngine();
  EXPECT_EQ(manager->SavePresetFile(PathText(kept)), E_FAIL);
  EXPECT_EQ(FileBytes(kept), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2);
}

TEST_F(PresetManagerTest, APathPostedForTheControlPanelSettingsIsLoaded) {
  EXPECT_TRUE(manager->IsSubscribed());
  const fs::path path = folder / "posted.corvex";
  PutBytes(path, PresetFileBytes::Complete(kEdited));
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  center->Distribute(LNotification::Obtain(LPresetManager::kLoadSettingsID,
                                           RCPtr<LRefCountedObject>(MakeStringPayload(PathText(path)))));
  EXPECT_EQ(Model(), Of(kEdited));
  ASSERT_EQ(log->entries.size(), 2u);
  EXPECT_EQ(log->entries[1].result, PresetLoadResult::Loaded);

  // Anything but a path is ignored.
  center->Distribute(LNotification::Obtain(LPresetManager::kLoadSettingsID, RCPtr<LRefCountedObject>()));
  EXPECT_EQ(log->entries.size(), 2u);
}

TEST_F(PresetManagerTest, ReleasingTheManagerLeavesTheCenterAndItsSubscribers) {
  const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter();
  EXPECT_TRUE(center->IsClientRegistered(manager.Get()));
  LPresetManager* released = manager.Get();
  manager.Reset();
  EXPECT_FALSE(center->IsClientRegistered(released));
  EXPECT_EQ(log->GetRegistrationCount(), 0);
}

TEST(PresetManagerRecordTest, ARecordIsBuiltAndParsedBackThroughTheManager) {
  BufferT<1, 0> record;
  ASSERT_EQ(LPresetManager::BuildRecord(7, OneByteValue::Make(0x42), record), 0);
  ASSERT_EQ(record.GetSize(), 25u);
  const auto* bytes = static_cast<const uint8_t*>(record.GetData());
  EXPECT_EQ(Bytes(bytes, bytes + 25), PresetFileBytes().ByteRecord(7, 0x42).bytes);

  int32_t index = -1;
  Variant value;
  EXPECT_EQ(LPresetManager::ParseRecord(bytes, 25, 0, index, value), 25);
  EXPECT_EQ(index, 7);
  EXPECT_EQ(value, OneByteValue::Make(0x42));
  EXPECT_EQ(LPresetManager::ParseRecord(bytes, 24, 0, index, value), E_FAIL);
  EXPECT_EQ(LPresetManager::ParseRecord(bytes, 25, 14, index, value), E_FAIL);
  EXPECT_EQ(LPresetManager::ParseRecord(bytes, 25, 26, index, value), E_FAIL);
}

using Testing::RecordingSettings;

// An application object whose settings files are handles 10 + id.
class SettingsApplication : public Testing::StandInApplication {
public:
  int32_t OpenSettingsFile(int32_t fileId) override {
    openedFiles.push_back(fileId);
    return 10 + fileId;
  }
  IIniFileManager* GetIniFileManager() override { return &settings; }

  RecordingSettings settings;
  std::vector<int32_t> openedFiles;
};

TEST(PresetManagerFolderTest, TheDialogsFolderIsStoredAsTheLastPresetFolderInTheUserSettings) {
  ApplicationStandIn engineOwner;
  const RCPtr<LPresetManager> manager = LPresetManager::Create();
  const RCPtr<LFileDialog> dialog(new LFileDialog(u"Presets/Mine"));
  manager->StoreLastFolderPath(*dialog);  // no application object: nothing to store in

  SettingsApplication application;
  manager->StoreLastFolderPath(*dialog);
  EXPECT_EQ(application.openedFiles, std::vector<int32_t>{1});
  ASSERT_EQ(application.settings.writes.size(), 1u);
  EXPECT_EQ(application.settings.writes[0].handle, 11);
  EXPECT_EQ(application.settings.writes[0].key, u"PresetLastFolderPath");
  EXPECT_EQ(application.settings.writes[0].text, u"Presets/Mine");
}

}  // namespace
}  // namespace SV
