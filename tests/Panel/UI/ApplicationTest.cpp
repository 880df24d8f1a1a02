#include "Panel/UI/Application.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Panel/UI/DriverCommon/MainControl.h"
#include "Panel/UI/EditorControlTypes.h"
#include "Platform/Midi/FakeMidiBackend.h"
#include "Platform/Midi/MidiServices.h"
#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/Midi/DefaultMidiServices.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "tests/Panel/UI/EditorFixture.h"
#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"
#include "tests/Support/ScopedEnvironment.h"
#include "tests/Support/Skins/SkinFixtures.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

// The settings library in memory: files by path, one value table per file, and a
// record of every open.
class InMemorySettings : public IIniFileManager {
public:
  SVRESULT Load(const String&) override { return S_OK; }
  SVRESULT Unload() override { return S_OK; }
  SVRESULT OpenIniFile(const String& path, const String& version, const String&, int32_t& handle) override {
    opened.push_back(path.ToUTF8().GetString());
    versions.push_back(version.ToUTF8().GetString());
    if (failOpens > 0) {
      --failOpens;
      return E_FAIL;
    }
    handle = static_cast<int32_t>(opened.size()) + 100;
    return S_OK;
  }
  SVRESULT WriteIniFile(int32_t) override { return S_OK; }
  bool DoesNodeExist(int32_t, const String&) override { return false; }
  SVRESULT CloseIniFile(int32_t, int32_t) override { return S_OK; }
  SVRESULT GetIniValueInt(int32_t, const String& key, int32_t defaultValue, int32_t& value) override {
    const auto found = ints.find(key.ToUTF8().GetString());
    value = found == ints.end() ? defaultValue : found->second;
    return S_OK;
  }
  SVRESULT SetIniValueInt(int32_t, const String& key, int32_t value) override {
    ints[key.ToUTF8().GetString()] = value;
    return S_OK;
  }
  SVRESULT GetIniValueStr(int32_t, const String&, const String& defaultText, String& text) override {
    text = defaultText;
    return S_OK;
  }
  SVRESULT SetIniValueStr(int32_t, const String&, const String&) override { return S_OK; }
  SVRESULT GetKeyCount(int32_t, const String&, int32_t& count) override { return count = 0, S_OK; }
  SVRESULT GetKeyNameAt(int32_t, const String&, int32_t, String&) override { return E_FAIL; }
  SVRESULT GetArrayCount(int32_t, const String&, int32_t& count) override { return count = 0, S_OK; }
  SVRESULT SetArrayCount(int32_t, const String&, int32_t) override { return S_OK; }
  SVRESULT GetArrayItemAt(int32_t, const String&, int32_t, String&) override { return E_FAIL; }
  SVRESULT SetArrayItemAt(int32_t, const String&, int32_t, const String&) override { return S_OK; }
  SVRESULT RemoveArrayItemAt(int32_t, const String&, int32_t) override { return S_OK; }

  std::vector<std::string> opened;
  std::vector<std::string> versions;
  std::map<std::string, int32_t> ints;
  int failOpens = 0;
};

// The editor's application object with the test's screen, settings, system font and an
// engine without the device-control library; its MIDI manager is the program's own, on
// the MIDI services the test installs.
class EditorApplication : public LApplication {
public:
  EditorApplication(const RCPtr<LControlFactory>& factory, InMemorySettings& settings)
      : LApplication(factory, factory->GetFrameworkStringTable(), u"CorvexEditor"), settings(settings) {}

  IIniFileManager* GetIniFileManager() override { return &settings; }
  SVRESULT GetSystemFont(String& face, float& size, int32_t& style) override {
    face = u"DejaVu Sans";
    size = 9;
    style = 0;
    return S_OK;
  }

  double dotsPerInch = 96;
  InMemorySettings& settings;
  int midiManagersMade = 0;

protected:
  double GetScreenDotsPerInch() override { return dotsPerInch; }
  RCPtr<LMidiManager> CreateMidiManager() override {
    ++midiManagersMade;
    return LApplication::CreateMidiManager();
  }
  RCPtr<LRootModuleEngine> CreateEngine() override { return RCPtr<LRootModuleEngine>(new Testing::EngineWithoutLibrary()); }
};

std::string FrameworkStrings() {
  std::ifstream file(SV_FRAMEWORK_STRINGS_FILE, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Entry(const char* id, const char* text) {
  return std::string("<String ID=\"") + id + "\"><Locale LCID=\"9\">" + text + "</Locale></String>";
}

// The application's string table: the editor's hot keys, one under another prefix.
std::string HotKeyStrings() {
  return "<StringTable ID=\"|Corvex Editor\">" + Entry("GHK_WIN.NID_EDIT_COPY_REQ", "Ctrl+VKEY_C") +
         Entry("GHK_WIN.NID_EDIT_CUT_REQ", "Ctrl+VKEY_X") + Entry("GHK_WIN.NID_EDIT_PASTE_REQ", "Ctrl+VKEY_V") +
         Entry("GHK_WIN.NID_MENU_FILE_LOAD_PRESET_FROM_FILE", "Ctrl+VKEY_O") +
         Entry("GHK_WIN.NID_MENU_FILE_SAVE_PRESET_TO_FILE", "Ctrl+VKEY_S") +
         Entry("GHK_MAC.NID_MENU_FILE_EXIT_REQ", "Ctrl+VKEY_Q") + "</StringTable>";
}

// A skin file of `count` skins, each with a main control.
std::string Skins(int count) {
  std::string skins = "<Application Name=\"Corvex Editor\"/><Skins>";
  for (int index = 0; index < count; ++index)
    skins += "<Skin Name=\"Skin" + std::to_string(index) +
             "\" FontName=\"DejaVu Sans\" FontSize=\"9\"><SubControl Class=\"PresetEditor.MainControl\" "
             "Name=\"mainControl\" XSizeAbs=\"400\" YSizeAbs=\"300\"/></Skin>";
  return skins + "</Skins>";
}

class ApplicationTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR"})
      environment.Set(name, folder.Path().c_str());
    SetDefaultMidiServices(services);
  }
  void TearDown() override {
    if (application) application->Shutdown();
    application.Reset();
    SetApplicationControlFactory(nullptr);
    SetDefaultMidiServices(nullptr);
  }

  // The application on a factory holding `skinCount` skins and the application strings.
  void Make(int skinCount, bool withApplicationStrings = true) {
    factory = LControlFactory::Create(u"Corvex Editor");
    auto documents = std::make_shared<Testing::MemoryResources>();
    if (withApplicationStrings) documents->Add("SVXML", "APP_STRINGS", Testing::StringTableDocument(HotKeyStrings()));
    documents->Add("SVXML", "FRAMEWORK_STRINGS", FrameworkStrings());
    documents->Add("SVXML", "APP_SKINS", Testing::SkinDocument(Skins(skinCount)));
    factory->SetResourceSource(documents);
    ASSERT_GE(factory->LoadResources(u"::", 9), 0);
    SetApplicationControlFactory(factory);
    application = RCPtr<EditorApplication>(new EditorApplication(factory, settings));
  }

  Testing::TemporaryFolder folder;
  Testing::ScopedEnvironment environment;
  std::vector<std::string> log;
  Testing::FakePlatformApplication platform{log};
  std::shared_ptr<::Platform::Midi::FakeMidiBackend> backend = std::make_shared<::Platform::Midi::FakeMidiBackend>();
  std::shared_ptr<::Platform::Midi::MidiServices> services = std::make_shared<::Platform::Midi::MidiServices>(backend);
  InMemorySettings settings;
  RCPtr<LControlFactory> factory;
  RCPtr<EditorApplication> application;
};

struct SkinCase {
  const char* what;
  double dotsPerInch;
  int skinCount;
  int storedIndex;
  int chosenIndex;
};

class ApplicationSkinTest : public ApplicationTest, public ::testing::WithParamInterface<SkinCase> {};

TEST_P(ApplicationSkinTest, TheScreensResolutionPicksOneOfTwoSkinsAndLeavesOtherSkinFilesToTheStoredIndex) {
  const SkinCase& skin = GetParam();
  Make(skin.skinCount);
  settings.ints["CurrentSkinIndex"] = skin.storedIndex;
  application->dotsPerInch = skin.dotsPerInch;
  ASSERT_EQ(application->Initialize(), S_OK);
  EXPECT_EQ(factory->GetCurrentSkinIndex(), skin.chosenIndex) << skin.what;
  EXPECT_EQ(settings.ints["CurrentSkinIndex"], skin.chosenIndex) << skin.what;
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, ApplicationSkinTest,
    ::testing::Values(SkinCase{"exactly 160 is high resolution", 160, 2, 1, 0},
                      SkinCase{"159 is standard resolution", 159, 2, 0, 1},
                      SkinCase{"96 is standard resolution", 96, 2, 0, 1},
                      SkinCase{"240 is high resolution", 240, 2, 1, 0},
                      SkinCase{"one skin keeps the stored index", 240, 1, 0, 0},
                      SkinCase{"three skins keep the stored index at high resolution", 240, 3, 2, 2},
                      SkinCase{"three skins keep the stored index at standard resolution", 96, 3, 0, 0}));

TEST_F(ApplicationTest, TheDocumentFoldersFiveAndSixAreTheUsersDocumentsFolder) {
  Make(2);
  const String documents = application->GetFolder(4);
  EXPECT_FALSE(documents.IsEmpty());
  EXPECT_EQ(application->GetFolder(5), documents);
  EXPECT_EQ(application->GetFolder(6), documents);
  EXPECT_EQ(application->GetFolder(0), application->LApplicationBase<LApplication>::GetFolder(0));
}

TEST_F(ApplicationTest, EachSettingsFileIsOpenedOnceAndAnyOtherIdOpensNothing) {
  Make(2);
  EXPECT_EQ(application->OpenSettingsFile(2), 0);
  EXPECT_EQ(application->OpenSettingsFile(-1), 0);
  EXPECT_TRUE(settings.opened.empty());
  const int32_t user = application->OpenSettingsFile(1);
  EXPECT_NE(user, 0);
  EXPECT_EQ(application->OpenSettingsFile(1), user);
  const int32_t shared = application->OpenSettingsFile(0);
  EXPECT_NE(shared, 0);
  EXPECT_NE(shared, user);
  ASSERT_EQ(settings.opened.size(), 2u);
  EXPECT_TRUE(settings.opened[0].ends_with("/UserSettings.ini")) << settings.opened[0];
  EXPECT_TRUE(settings.opened[1].ends_with("/AppSettings.ini")) << settings.opened[1];
  EXPECT_EQ(settings.versions, (std::vector<std::string>{"1_0_0", "1_0_0"}));
}

TEST_F(ApplicationTest, ASettingsFileThatDidNotOpenGivesZeroAndIsTriedAgain) {
  Make(2);
  settings.failOpens = 1;
  EXPECT_EQ(application->OpenSettingsFile(1), 0);
  EXPECT_NE(application->OpenSettingsFile(1), 0);
  EXPECT_EQ(settings.opened.size(), 2u);
}

TEST_F(ApplicationTest, TheDeviceSideExistsOnlyAfterInitializeAndWithoutAControllerReadsAsNotConnected) {
  Make(2);
  EXPECT_FALSE(application->GetMidiManager());
  EXPECT_FALSE(application->GetRootModuleEngine());
  EXPECT_FALSE(GetRootModuleEngine());
  ASSERT_EQ(application->Initialize(), S_OK);
  const RCPtr<LMidiManager> manager = application->GetMidiManager();
  ASSERT_TRUE(manager);
  EXPECT_FALSE(manager->IsConnected());
  EXPECT_TRUE(manager->IsStatusPollingOn());
  ASSERT_TRUE(GetRootModuleEngine());
  EXPECT_EQ(GetRootModuleEngine(), application->GetRootModuleEngine());
  EXPECT_EQ(GetRootModuleEngine()->GetFirstParamID(), 0);
}

// At shutdown the device side lets go of the MIDI services, so that their clients of
// the MIDI system close before the program ends.
TEST_F(ApplicationTest, ShutdownReleasesTheMidiServicesTheDeviceSideUsed) {
  Make(2);
  ASSERT_EQ(application->Initialize(), S_OK);
  const std::weak_ptr<::Platform::Midi::MidiServices> used = services;
  services.reset();
  ASSERT_FALSE(used.expired()) << "the device side holds the services while it runs";
  application->Shutdown();
  application.Reset();
  EXPECT_TRUE(used.expired());
}

// Opening the MIDI ports can take long (a JACK server's shared memory is mapped and its
// ports walked): the first frame of the main window never waits for it.
TEST_F(ApplicationTest, TheMidiManagerIsMadeOnceByTheFirstIdlePassAfterTheMainWindowPresentedAFrame) {
  Make(2);
  ASSERT_EQ(application->Initialize(), S_OK);
  application->Idle(true);
  EXPECT_EQ(application->midiManagersMade, 0) << "no main window yet";
  std::vector<std::string> windowLog;
  const RCPtr<Testing::SpyRootWindow> main = Testing::SpyRootWindow::Create("main", windowLog);
  application->AddRootWindow(RCPtr<LRootWindow>(main));
  application->Idle(true);
  EXPECT_EQ(application->midiManagersMade, 0) << "the main window presented nothing yet";
  main->NoteFramePresented();
  application->Idle(false);
  ASSERT_EQ(application->midiManagersMade, 1);
  application->Idle(true);
  const RCPtr<LMidiManager> manager = application->GetMidiManager();
  ASSERT_TRUE(manager);
  EXPECT_TRUE(manager->IsStatusPollingOn());
  EXPECT_EQ(application->midiManagersMade, 1);
  application->RemoveRootWindow(RCPtr<LRootWindow>(main));
}

TEST_F(ApplicationTest, AfterAShutdownBeforeTheMidiManagerWasMadeNoneIsMade) {
  Make(2);
  ASSERT_EQ(application->Initialize(), S_OK);
  application->Shutdown();
  EXPECT_FALSE(application->GetMidiManager());
  EXPECT_EQ(application->midiManagersMade, 0);
  application.Reset();
}

TEST_F(ApplicationTest, TheEditorsHotKeysAreBoundAndEntriesUnderOtherPrefixesAreNot) {
  Make(2);
  ASSERT_EQ(application->Initialize(), S_OK);
  const HotKeyMap& keys = application->GetGlobalHotKeyManager()->GetMap();
  struct Binding {
    const char16_t* key;
    const char16_t* command;
  };
  for (const Binding& binding : {Binding{u"Ctrl+VKEY_C", u"NID_EDIT_COPY_REQ"}, Binding{u"Ctrl+VKEY_X", u"NID_EDIT_CUT_REQ"},
                                 Binding{u"Ctrl+VKEY_V", u"NID_EDIT_PASTE_REQ"},
                                 Binding{u"Ctrl+VKEY_O", u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE"},
                                 Binding{u"Ctrl+VKEY_S", u"NID_MENU_FILE_SAVE_PRESET_TO_FILE"},
                                 Binding{u"Alt+VKEY_F4", u"NID_APP_EXIT_REQ"}})
    EXPECT_EQ(keys.FindCommand(KeyCode::Parse(binding.key)), String(binding.command)) << String(binding.key).ToUTF8().GetString();
  EXPECT_TRUE(keys.FindCommand(KeyCode::Parse(u"Ctrl+VKEY_Q")).IsEmpty());
}

TEST_F(ApplicationTest, AStartWhoseHotKeysCannotLoadFailsBeforeTheDeviceSideIsMade) {
  Make(2, false);
  EXPECT_LT(application->Initialize(), 0);
  EXPECT_FALSE(application->GetMidiManager());
  EXPECT_FALSE(application->GetRootModuleEngine());
}

TEST_F(ApplicationTest, InitializeRegistersTheEditorsThirteenClassesInTheirOrder) {
  Make(2);
  ASSERT_EQ(application->Initialize(), S_OK);
  const std::vector<std::u16string> expected = {
      u"PresetEditor.MainControl",
      u"PresetEditor.DialogAbout",
      u"PresetEditor.MainControl.DeviceView",
      u"PresetEditor.Keybed",
      u"PresetEditor.Pedal",
      u"PresetEditor.MidiUSB",
      u"PresetEditor.ModPitchWheel",
      u"PresetEditor.MainControl.DeviceView.ControllerBody",
      u"PresetEditor.ParameterControl.CCValuePanel",
      u"PresetEditor.ParameterControl.BasicNumericControl",
      u"PresetEditor.ParameterControl.ToggleButton",
      u"PresetEditor.ParameterControl.MidiChannel",
      u"PresetEditor.GlobalSettings"};
  std::vector<std::u16string> listed;
  for (const ControlTypeEntry& entry : GetEditorControlTypes()) listed.push_back(entry.className);
  EXPECT_EQ(listed, expected);
  for (const std::u16string& name : expected) {
    LControlCreateFunction create = nullptr;
    EXPECT_EQ(factory->GetControlCreateFunction(name.c_str(), create), S_OK) << String(name.c_str()).ToUTF8().GetString();
  }
  RCPtr<LControl> main;
  factory->CreateControl(main, application->GetMainControlName(), nullptr);
  EXPECT_TRUE(dynamic_cast<LMainControl*>(main.Get()));
}

TEST_F(ApplicationTest, TheApplicationsFixedAnswers) {
  Make(2);
  EXPECT_EQ(application->GetSettingsVersion(), String(u"1_0_0"));
  EXPECT_EQ(application->GetMainControlName(), String(u"mainControl"));
  EXPECT_EQ(application->GetRendererType(), 1);
  EXPECT_TRUE(application->CanExit());
  EXPECT_EQ(GetEditorApplication(), application.Get());
}

TEST_F(ApplicationTest, TheDropCursorsAreTheProgramsOwnAndTheSplitRotateAndMagnifierNamesShowNone) {
  Make(2);
  struct Case {
    const char16_t* name;
    int32_t cursor;
  };
  for (const Case& c : {Case{u"UI_CURSOR_DROP_MOVE", LApplication::kDropMoveCursor},
                        Case{u"UI_CURSOR_DROP_COPY", LApplication::kDropCopyCursor}, Case{u"UI_CURSOR_SPLIT_V", 0},
                        Case{u"UI_CURSOR_SPLIT_H", 0}, Case{u"UI_CURSOR_ROTATE", 0}, Case{u"UI_CURSOR_MAG", 0},
                        Case{u"UI_CURSOR_MAG_PLUS", 0}, Case{u"UI_CURSOR_MAG_MINUS", 0},
                        Case{u"UI_CURSOR_HAND", kCursorHand}, Case{u"UI_CURSOR_IBEAM", kCursorIBeam}}) {
    EXPECT_EQ(application->LoadCursor(c.name), c.cursor) << String(c.name).ToUTF8().GetString();
    EXPECT_EQ(GetCursorByName(c.name), c.cursor) << String(c.name).ToUTF8().GetString();
  }
}

}  // namespace
}  // namespace SV
