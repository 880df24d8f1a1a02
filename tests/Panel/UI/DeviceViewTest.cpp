#include "Panel/UI/DeviceView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Panel/UI/AboutDlg.h"
#include "Panel/UI/DriverCommon/MainControl.h"
#include "Panel/UI/EditorControlTypes.h"
#include "Panel/UI/GlobalSettingsDlg.h"
#include "Platform/Gui/DocumentOpener.h"
#include "Platform/Gui/FileDialog.h"
#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/MenuItemState.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "tests/Panel/UI/EditorDeviceFixture.h"
#include "tests/Panel/UI/EditorTestSkin.h"
#include "tests/Support/TemporaryFolder.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/NotificationLog.h"

namespace SV {
namespace {

using Testing::ControllerRequest;
using Testing::NotificationLog;
using Testing::ReplyBehaviour;
using Testing::EditorTestSkin::AboutDialog;
using Testing::EditorTestSkin::ApplicationStrings;
using Testing::EditorTestSkin::DeviceView;
using Testing::EditorTestSkin::DeviceViewShape;
using Testing::EditorTestSkin::DialogStrings;
using Testing::EditorTestSkin::GlobalSettingsDialog;
using Testing::EditorTestSkin::kResources;

using Testing::Utf8;

// The platform's file dialogs as the test plays them: each Run is recorded and answered
// with the next of `answers` (an empty answer is a cancelled dialog).
class ScriptedFileDialogs : public ::Platform::Gui::IFileDialogService {
public:
  std::vector<std::u16string> Run(const ::Platform::Gui::FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {};
    std::u16string answer = answers.front();
    answers.erase(answers.begin());
    if (answer.empty()) return {};
    return {answer};
  }
  std::vector<::Platform::Gui::FileDialogRequest> requests;
  std::vector<std::u16string> answers;
};

class RecordingOpener : public ::Platform::Gui::IDocumentOpener {
public:
  bool Open(const std::u16string& path) override {
    opened.push_back(path);
    return answer;
  }
  std::vector<std::u16string> opened;
  bool answer = true;
};

// The device view in the harness's window over the device road, with the editor's control
// classes registered, the dialogs' skins beside the window and the file dialogs scripted.
class DeviceViewTest : public Testing::EditorDeviceTest {
protected:
  void SetUp() override {
    EditorDeviceTest::SetUp();
    RegisterEditorClasses();
    ::Platform::Gui::SetFileDialogService(&fileDialogs);
    application->programFolder = String(folder.Path().c_str());
  }
  void TearDown() override {
    ::Platform::Gui::SetFileDialogService(nullptr);
    ::Platform::Gui::SetDocumentOpener(nullptr);
    EditorDeviceTest::TearDown();
  }
  // The editor's classes as the application registers them.
  void RegisterEditorClasses() { RegisterControlTypes(*harness.factory, GetEditorControlTypes()); }
  void Build(const DeviceViewShape& shape = {}, const std::string& dialogs = GlobalSettingsDialog() + AboutDialog()) {
    harness.Build(DeviceView(shape), kResources, DialogStrings(), dialogs);
    view = harness.Find<LDeviceView>(u"viewDevice");
    ASSERT_TRUE(view);
  }
  // A menu entry's command as the main menu sends it: posted to the root window's queue and
  // delivered at its next idle pass.
  void ChooseMenuCommand(const char16_t* id) {
    harness.window->PostNotification(id, nullptr);
    harness.Idle();
  }
  // A file hot key as the application's hot-key manager sends it: posted to the
  // "application" center, delivered at the next pass of the centers.
  void PressFileHotKey(char16_t letter, const char16_t* command) {
    harness.application.hotKeys->GetMap().Add(KeyCode::Parse((std::u16string(u"Ctrl+VKEY_") + letter).c_str()), command);
    harness.Key(letter, KeyCode::kModCtrl);
    road.mApp.Pump();
    harness.Idle();
  }
  std::vector<std::string> BoxCaptions() {
    std::vector<std::string> captions;
    for (const auto& box : harness.application.messageBoxes) captions.push_back(Utf8(box.caption));
    return captions;
  }
  std::u16string PathIn(const std::string& name) { return Folder(name).u16string(); }
  std::filesystem::path Folder(const std::string& name = {}) { return std::filesystem::path(folder.Path()) / name; }
  void WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream file(Folder(name), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  Testing::TemporaryFolder folder;
  ScriptedFileDialogs fileDialogs;
  RCPtr<LDeviceView> view;
};

// --- Creation and the module tree ---

TEST_F(DeviceViewTest, GroupsThePanelsIntoTheKeybedTheControllerNumbersAndTwoZones) {
  Build();
  EXPECT_EQ(view->GetKeybed().Get(), dynamic_cast<IKeybed*>(harness.Find(u"keybed").Get()));
  EXPECT_TRUE(view->GetCCValues());
  ASSERT_TRUE(view->GetMidiChannels(0));
  ASSERT_TRUE(view->GetMidiChannels(1));
  EXPECT_NE(view->GetMidiChannels(0).Get(), view->GetMidiChannels(1).Get());
  EXPECT_FALSE(view->GetMidiChannels(2));
  EXPECT_FALSE(view->GetMidiChannels(-1));
  EXPECT_TRUE(view->GetStatusView());
  EXPECT_TRUE(view->GetPresetManager());
}

TEST_F(DeviceViewTest, UnderTheMainControlItAnswersTheMainMenusItemQueriesAndChangesNothing) {
  harness.windowClass = "PresetEditor.MainControl";
  harness.windowSkin.clear();
  harness.Build(R"(<SubControl Class="Framework.MainMenu" Name="mainMenu" XSizeAbs="600" YSizeAbs="20"/>)" + DeviceView(),
                kResources, DialogStrings());
  view = harness.Find<LDeviceView>(u"viewDevice");
  ASSERT_TRUE(view);
  ASSERT_TRUE(dynamic_cast<LMainControl*>(harness.root.Get()));
  const RCPtr<LMainMenu> menu = harness.Find<LMainMenu>(u"mainMenu");
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->SetMenuItemUpdater(view->GetMenuItemUpdater()), S_FALSE) << "the view's updater is the menu's";
  LMenuItemState state{true, false, String(u"Exit")};
  EXPECT_EQ(menu->UpdateMenuItemState(nullptr, 8, String(u"NID_MENU_FILE_EXIT_REQ"), state), S_OK);
  EXPECT_EQ(state, (LMenuItemState{true, false, String(u"Exit")}));
}

TEST_F(DeviceViewTest, WithoutAKeybedChildTheDeviceHasNoKeybed) {
  Build({"viewDevice", "keybed"});
  EXPECT_FALSE(view->GetKeybed());
}

struct MissingViewChildCase {
  const char* name;
  DeviceViewShape shape;
  const char* child;
};

class DeviceViewMissingChild : public DeviceViewTest, public ::testing::WithParamInterface<MissingViewChildCase> {};

TEST_P(DeviceViewMissingChild, FailsWithTheNullPointerErrorNamingTheChild) {
  try {
    harness.Build(DeviceView(GetParam().shape), kResources, DialogStrings());
    FAIL() << "the device view was made";
  } catch (const Exception<std::runtime_error>& error) {
    const std::string expected = std::string("Runtime Error : Null Pointer : Cannot find child ") + GetParam().child +
                                 " : SV::LDeviceView::Initialize : UI/DeviceView : Line ";
    EXPECT_EQ(std::string(error.what()).rfind(expected, 0), 0u) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Children, DeviceViewMissingChild,
                         ::testing::Values(MissingViewChildCase{"NoModPitchWheelCC", {"modPitchWheel", "cc"}, "cc"},
                                           MissingViewChildCase{"NoPedal3CC", {"pedal3", "cc"}, "cc"},
                                           MissingViewChildCase{"NoMidiUsb", {"viewDevice", "midiUSB"}, "midiUSB"},
                                           MissingViewChildCase{"NoUsbPortB", {"midiUSB", "usbPortB"}, "usbPortB"},
                                           MissingViewChildCase{
                                               "PlainPanelAsPedal2PortA", {"pedal2", "portA", true}, "portA"},
                                           MissingViewChildCase{"NoPedal1", {"viewDevice", "pedal1"}, "pedal1"}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- File commands ---

TEST_F(DeviceViewTest, OffersThePresetFilesAndAllFilesUnderTheOpenAndSaveTitles) {
  Build();
  fileDialogs.answers = {u"", u""};
  ChooseMenuCommand(u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE");
  ChooseMenuCommand(u"NID_MENU_FILE_SAVE_PRESET_TO_FILE");
  ASSERT_EQ(fileDialogs.requests.size(), 2u);
  const auto& open = fileDialogs.requests[0];
  const auto& save = fileDialogs.requests[1];
  EXPECT_EQ(open.mode, ::Platform::Gui::FileDialogRequest::Mode::OpenOne);
  EXPECT_EQ(open.title, u"Select Preset File");
  EXPECT_EQ(save.mode, ::Platform::Gui::FileDialogRequest::Mode::Save);
  EXPECT_EQ(save.title, u"Select Save Location");
  for (const auto* request : {&open, &save}) {
    EXPECT_EQ(request->nameFilters,
              (std::vector<std::u16string>{u"Corvex Editor (*.corvex)", u"All Files (*)"}));
    EXPECT_EQ(request->defaultSuffix, u"corvex");
  }
  EXPECT_EQ(Utf8(view->GetPresetFileFilter(1)), "Corvex Editor (*.corvex)|*.corvex|All Files (*.*)|*.*");
}

TEST_F(DeviceViewTest, TheSameFileCommandsRunFromTheMenuAndFromCtrlOAndCtrlS) {
  Build();
  road.SetEngineValue(3, 70);
  fileDialogs.answers = {PathIn("menu.corvex"), PathIn("key.corvex")};
  ChooseMenuCommand(u"NID_MENU_FILE_SAVE_PRESET_TO_FILE");
  PressFileHotKey(u'S', u"NID_MENU_FILE_SAVE_PRESET_TO_FILE");
  ASSERT_EQ(fileDialogs.requests.size(), 2u);
  EXPECT_EQ(std::filesystem::file_size(Folder("menu.corvex")), 612u);
  EXPECT_EQ(std::filesystem::file_size(Folder("key.corvex")), 612u);
  ASSERT_EQ(application->settings.writes.size(), 2u) << "each save stores the folder";
  EXPECT_EQ(application->settings.writes[1].handle, 11);
  EXPECT_EQ(application->settings.writes[1].key, u"PresetLastFolderPath");
  EXPECT_EQ(application->settings.writes[1].text, Folder().parent_path().u16string());

  road.SetEngineValue(3, 10);
  fileDialogs.answers = {PathIn("menu.corvex")};
  ChooseMenuCommand(u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE");
  EXPECT_EQ(road.EngineValues()[3], 70);
  road.SetEngineValue(3, 10);
  fileDialogs.answers = {PathIn("key.corvex")};
  PressFileHotKey(u'O', u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE");
  EXPECT_EQ(road.EngineValues()[3], 70);
  EXPECT_EQ(fileDialogs.requests.size(), 4u);
  EXPECT_EQ(fileDialogs.requests[3].mode, ::Platform::Gui::FileDialogRequest::Mode::OpenOne);
  EXPECT_TRUE(harness.application.messageBoxes.empty());
}

TEST_F(DeviceViewTest, CancellingTheSaveDialogWritesNothingAndStoresNoFolder) {
  Build();
  fileDialogs.answers = {u""};
  EXPECT_LT(view->OnSavePresetToFile(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(Folder()));
  EXPECT_TRUE(application->settings.writes.empty());
}

struct LoadCase {
  const char* name;
  std::vector<uint8_t> header;
  SVRESULT result;
};

std::vector<uint8_t> Header(uint32_t version, uint32_t deviceA, uint32_t deviceB) {
  std::vector<uint8_t> bytes;
  for (uint32_t word : {version, deviceA, deviceB})
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(word >> shift));
  return bytes;
}

class DeviceViewLoadResult : public DeviceViewTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(DeviceViewLoadResult, AFileTheEditorCannotReadShowsTheErrorBox) {
  Build();
  WriteFile("bad.corvex", GetParam().header);
  fileDialogs.answers = {PathIn("bad.corvex")};
  EXPECT_EQ(view->OnLoadPresetFromFile(), GetParam().result);
  ASSERT_EQ(BoxCaptions(), std::vector<std::string>{"Preset File Load"});
  EXPECT_EQ(Utf8(harness.application.messageBoxes[0].text), "Preset file is not compatible with this vesion of the editor");
  EXPECT_EQ(harness.application.messageBoxes[0].style, 16u);
}

INSTANTIATE_TEST_SUITE_P(Files, DeviceViewLoadResult,
                         ::testing::Values(LoadCase{"Older", Header(1, 0, 0), -1}, LoadCase{"Newer", Header(3, 0, 0), -2},
                                           LoadCase{"Corrupt", {2, 0, 0}, -3},
                                           LoadCase{"WrongDevice", Header(2, 7, 0), -4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceViewTest, CancellingTheOpenDialogLoadsNothingAndShowsNothing) {
  Build();
  fileDialogs.answers = {u""};
  EXPECT_LT(view->OnLoadPresetFromFile(), 0);
  EXPECT_TRUE(harness.application.messageBoxes.empty());
}

// --- Device commands ---

TEST_F(DeviceViewTest, GetAndSendFromTheMenuReachTheControllerAndReportTheOutcome) {
  Build();
  ::Testing::Controller::Preset preset = Testing::kDefaultPreset;
  preset[5] = 66;
  Controller().SetPreset(preset);
  ChooseMenuCommand(u"NID_MENU_FILE_GET_PRESET_FROM_DEVICE");
  EXPECT_EQ(road.EngineValues(), preset);
  road.SetEngineValue(5, 67);
  ChooseMenuCommand(u"NID_MENU_FILE_SEND_PRESET_TO_DEVICE");
  EXPECT_TRUE(ControllerReceived(2));
  EXPECT_EQ(Controller().GetPreset()[5], 67);
  EXPECT_EQ(BoxCaptions(), (std::vector<std::string>{"Retrieve Preset", "Send Success"}));
}

TEST_F(DeviceViewTest, AGetWithoutAnswerFromTheMenuShowsTheMidiError) {
  Build();
  Controller().SetBehaviour(ControllerRequest::GetPreset, ReplyBehaviour::Silent());
  Manager().SetReplyWait(20);
  ChooseMenuCommand(u"NID_MENU_FILE_GET_PRESET_FROM_DEVICE");
  EXPECT_EQ(BoxCaptions(), std::vector<std::string>{"Retrieve Preset Error"});
}

TEST_F(DeviceViewTest, ExitAsksTheApplicationToEnd) {
  Build();
  const RCPtr<NotificationLog> log = NotificationLog::Create();
  log->Listen(RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter()), u"NID_APP_EXIT_REQ");
  ChooseMenuCommand(u"NID_MENU_FILE_EXIT_REQ");
  road.mApp.Pump();
  EXPECT_EQ(log->lines.size(), 1u);
  log->StopListening();
}

TEST_F(DeviceViewTest, GlobalSettingsAndAboutRunTheirDialogsModally) {
  Build();
  std::vector<std::string> shown;
  harness.application.modalLoop = [&](LRootWindow& window) {
    const RCPtr<LControl> dialog = window.GetRootControl();
    if (dynamic_cast<LGlobalSettingsDlg*>(dialog.Get())) shown.push_back("global settings");
    if (dynamic_cast<LAboutDlg*>(dialog.Get())) shown.push_back("about");
  };
  ChooseMenuCommand(u"NID_MENU_FILE_GLOBALSETTINGS_REQ");
  ChooseMenuCommand(u"NID_MENU_HELP_ABOUT_REQ");
  EXPECT_EQ(shown, (std::vector<std::string>{"global settings", "about"}));
}

TEST_F(DeviceViewTest, AGlobalSettingsDialogThatCannotBeMadeShowsNothingAndTheEditorGoesOn) {
  Build({}, GlobalSettingsDialog("sendGlobalSettingsButton"));
  ChooseMenuCommand(u"NID_MENU_FILE_GLOBALSETTINGS_REQ");
  EXPECT_EQ(harness.application.modalRuns, 0);
  EXPECT_TRUE(harness.application.messageBoxes.empty());
}

// --- The user guide ---

TEST_F(DeviceViewTest, AMissingUserGuideShowsTheFailureBox) {
  Build();
  ChooseMenuCommand(u"NID_MENU_HELP_OPEN_USERGUIDE_REQ");
  ASSERT_EQ(BoxCaptions(), std::vector<std::string>{"Open User Guide Failed"});
  EXPECT_EQ(Utf8(harness.application.messageBoxes[0].text), "The user guide failed to open.");
  EXPECT_EQ(harness.application.messageBoxes[0].style, 0u);
}

TEST_F(DeviceViewTest, OpensTheUserGuideInTheProgramsFolder) {
  Build();
  RecordingOpener opener;
  ::Platform::Gui::SetDocumentOpener(&opener);
  ChooseMenuCommand(u"NID_MENU_HELP_OPEN_USERGUIDE_REQ");
  EXPECT_EQ(opener.opened, std::vector<std::u16string>{PathIn("Corvex Editor Setup - v1.2.pdf")});
  EXPECT_TRUE(harness.application.messageBoxes.empty());
}

}  // namespace
}  // namespace SV
