#include "SVFramework/Application/FrameworkApp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/Keys/KeyCode.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"
#include "tests/Support/ScopedEnvironment.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using Testing::FakePlatformApplication;
using Testing::SpyRootWindow;
using Testing::TestApplication;
using ::testing::ElementsAre;

// An application with a fake platform object; the log collects what the platform and
// the root windows were asked, in order.
class FrameworkAppTest : public ::testing::Test {
protected:
  void TearDown() override {
    if (application) application->Shutdown();
    application.Reset();
  }

  RCPtr<SpyRootWindow> AddWindow(const std::string& name) {
    RCPtr<SpyRootWindow> window = SpyRootWindow::Create(name, log);
    application->AddRootWindow(RCPtr<LRootWindow>(window));
    return window;
  }
  void PostExitRequest() { GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr); }

  std::vector<std::string> log;
  FakePlatformApplication platform{log};
  RCPtr<TestApplication> application{new TestApplication};
};

TEST_F(FrameworkAppTest, ExitRequestClosesTheOtherWindowsLastFirstThenTheMainWindowAndQuitsWithZero) {
  ASSERT_EQ(application->Initialize(), S_OK);
  AddWindow("main");
  AddWindow("one");
  AddWindow("two");
  PostExitRequest();
  application->Idle(true);
  EXPECT_TRUE(application->IsExiting());
  EXPECT_THAT(log, ElementsAre("two close 0", "one close 0", "main close 0", "quit 0", "two idle", "one idle",
                               "main idle"));
}

TEST_F(FrameworkAppTest, HostedAnExitRequestClosesTheWindowsButLeavesTheHostsLoopAlone) {
  platform.hostWindow = 0x2A00001;
  ASSERT_EQ(application->Initialize(), S_OK);
  AddWindow("main");
  AddWindow("one");
  PostExitRequest();
  application->Idle(true);
  EXPECT_TRUE(application->IsExiting());
  EXPECT_THAT(log, ElementsAre("one close 0", "main close 0", "one idle", "main idle"));
}

TEST_F(FrameworkAppTest, RefusedExitRequestLeavesTheFlagClearAndEveryWindowOpen) {
  ASSERT_EQ(application->Initialize(), S_OK);
  application->canExit = false;
  AddWindow("main");
  AddWindow("dialog");
  PostExitRequest();
  application->Idle(true);
  EXPECT_FALSE(application->IsExiting());
  EXPECT_THAT(log, ElementsAre("dialog idle", "main idle"));
}

TEST_F(FrameworkAppTest, OtherNotificationsReachingTheApplicationChangeNothing) {
  ASSERT_EQ(application->Initialize(), S_OK);
  application->Receive(nullptr, LNotification::Create(u"NID_APP_OTHER_REQ", nullptr));
  EXPECT_FALSE(application->IsExiting());
  EXPECT_TRUE(log.empty());
}

TEST_F(FrameworkAppTest, AltF4IsAHotKeyOfTheApplicationThatEndsInTheExitRequest) {
  ASSERT_EQ(application->Initialize(), S_OK);
  AddWindow("main");
  const KeyCode altF4 = KeyCode::Parse(u"Alt+VKEY_F4");
  EXPECT_EQ(application->GetGlobalHotKeyManager()->ProcessKey(altF4), 0);
  application->Idle(true);
  EXPECT_TRUE(application->IsExiting());
  EXPECT_THAT(log, ElementsAre("main close 0", "quit 0", "main idle"));
}

TEST_F(FrameworkAppTest, IdlePassRunsEveryWindowLastFirstAndReportsWorkLeftByAny) {
  const RCPtr<SpyRootWindow> main = AddWindow("main");
  const RCPtr<SpyRootWindow> dialog = AddWindow("dialog");
  dialog->onIdle = [](bool) { return true; };
  EXPECT_TRUE(application->Idle(true));
  dialog->onIdle = nullptr;
  EXPECT_FALSE(application->Idle(false));
  EXPECT_THAT(log, ElementsAre("dialog idle", "main idle", "dialog idle", "main idle"));
}

// What a blocking command changed is shown before the box that reports it: the
// "application" queue is delivered and every window paints, but no idle pass runs
// (queued keys and pending closes wait for the loop).
TEST_F(FrameworkAppTest, ShowingPendingChangesDeliversTheApplicationsQueueAndPaintsEveryWindowWithoutAnIdlePass) {
  ASSERT_EQ(application->Initialize(), S_OK);
  AddWindow("main");
  AddWindow("dialog");
  PostExitRequest();
  application->ShowPendingChangesNow();
  EXPECT_TRUE(application->IsExiting());
  EXPECT_THAT(log, ElementsAre("dialog close 0", "main close 0", "quit 0", "main paint", "dialog paint"));
}

TEST_F(FrameworkAppTest, WindowRemovedDuringItsOwnIdlePassIsDestroyedOnlyAfterThePass) {
  bool destroyed = false;
  bool destroyedInsideItsPass = false;
  AddWindow("main");
  {
    RCPtr<SpyRootWindow> closing = AddWindow("closing");
    closing->destroyed = &destroyed;
    SpyRootWindow* const raw = closing.Get();
    closing->onIdle = [&, raw](bool) {
      application->RemoveRootWindow(RCPtr<LRootWindow>(raw));
      destroyedInsideItsPass = destroyed;
      return false;
    };
  }
  application->Idle(true);
  EXPECT_FALSE(destroyedInsideItsPass);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(application->GetRootWindows().GetCount(), 1u);
  EXPECT_THAT(log, ElementsAre("closing idle", "main idle"));
}

TEST_F(FrameworkAppTest, RunRedrawsTheMainWindowAndRunsIdlePassesAroundTheLoop) {
  AddWindow("main");
  application->Run();
  EXPECT_THAT(log, ElementsAre("main redraw", "main idle", "loop", "main idle"));
}

TEST_F(FrameworkAppTest, ExceptionEscapingTheLoopShowsTheStartupErrorAndBecomesAnExitRequest) {
  ASSERT_EQ(application->Initialize(), S_OK);
  AddWindow("main");
  platform.loop = [] { throw std::runtime_error("handler failed"); };
  application->Run();
  EXPECT_TRUE(application->IsExiting());
  EXPECT_THAT(log, ElementsAre("main redraw", "main idle", "loop", "box ||16", "main close 0", "quit 0", "main idle"));
}

TEST_F(FrameworkAppTest, AnExceptionKeptOutsideOurLoopsIsReportedWhenTheLoopEndsAndBecomesAnExitRequest) {
  ASSERT_EQ(application->Initialize(), S_OK);
  AddWindow("main");
  platform.loop = [&] { platform.kept = std::make_exception_ptr(std::runtime_error("paint failed")); };
  application->Run();
  EXPECT_TRUE(application->IsExiting());
  EXPECT_THAT(log, ElementsAre("main redraw", "main idle", "loop", "box ||16", "main close 0", "quit 0", "main idle"));
}

TEST_F(FrameworkAppTest, AWindowIsListedOnceAndRemovingAnUnlistedOneAnswersMinusOne) {
  const RCPtr<SpyRootWindow> main = AddWindow("main");
  EXPECT_EQ(application->AddRootWindow(RCPtr<LRootWindow>(main)), 0);
  EXPECT_EQ(application->GetRootWindows().GetCount(), 1u);
  const RCPtr<SpyRootWindow> stranger = SpyRootWindow::Create("stranger", log);
  EXPECT_EQ(application->RemoveRootWindow(RCPtr<LRootWindow>(stranger)), -1);
  EXPECT_EQ(application->RemoveRootWindow(RCPtr<LRootWindow>(main)), S_OK);
  EXPECT_EQ(application->FindRootWindowIndex(main.Get()), -1);
}

TEST_F(FrameworkAppTest, ActiveWindowGivesCursorAndButtonsAndOwnsTheAnswer) {
  const RCPtr<SpyRootWindow> main = AddWindow("main");
  Testing::StandInOSWindow osWindow;
  osWindow.screenOffset = {100, 50};
  main->osWindow = &osWindow;
  main->cursorPosition = {3, 4};
  main->mouseButtons = 1;
  osWindow.active = false;
  EXPECT_FALSE(application->GetActiveRootWindow());
  EXPECT_EQ(application->GetMouseButtons(), 0);
  osWindow.active = true;
  EXPECT_EQ(application->GetActiveRootWindow().Get(), main.Get());
  EXPECT_EQ(application->GetCursorPos().x, 103);
  EXPECT_EQ(application->GetCursorPos().y, 54);
  EXPECT_EQ(application->GetMouseButtons(), 1);
  main->osWindow = nullptr;
}

TEST_F(FrameworkAppTest, StatusTextFailsWithoutAStatusBarAndNoRendererWithoutWindows) {
  EXPECT_EQ(application->SetStatusText(u"Loading Skin...", true), E_FAIL);
  EXPECT_EQ(application->ResetStatusText(false), E_FAIL);
  EXPECT_FALSE(application->GetRenderer());
}

TEST_F(FrameworkAppTest, ShutdownReleasesFactoryHotKeysAndClipboardAndDestructionClearsTheGlobalPointer) {
  ASSERT_EQ(application->Initialize(), S_OK);
  EXPECT_EQ(GetFrameworkApp(), application.Get());
  EXPECT_EQ(application->Shutdown(), S_OK);
  EXPECT_FALSE(application->GetControlFactory());
  EXPECT_FALSE(application->GetGlobalHotKeyManager());
  EXPECT_FALSE(application->GetClipboard());
  const RCPtr<LNotificationCenterManager> managerBefore = LNotificationCenterManager::GetInstance();
  application.Reset();
  EXPECT_EQ(GetFrameworkApp(), nullptr);
  EXPECT_NE(LNotificationCenterManager::GetInstance().Get(), managerBefore.Get());
}

// The settings library as a mock: only opening a file matters here.
class MockIniFileManager : public IIniFileManager {
public:
  MOCK_METHOD(SVRESULT, Load, (const String&), (override));
  MOCK_METHOD(SVRESULT, Unload, (), (override));
  MOCK_METHOD(SVRESULT, OpenIniFile, (const String&, const String&, const String&, int32_t&), (override));
  MOCK_METHOD(SVRESULT, WriteIniFile, (int32_t), (override));
  MOCK_METHOD(bool, DoesNodeExist, (int32_t, const String&), (override));
  MOCK_METHOD(SVRESULT, CloseIniFile, (int32_t, int32_t), (override));
  MOCK_METHOD(SVRESULT, GetIniValueInt, (int32_t, const String&, int32_t, int32_t&), (override));
  MOCK_METHOD(SVRESULT, SetIniValueInt, (int32_t, const String&, int32_t), (override));
  MOCK_METHOD(SVRESULT, GetIniValueStr, (int32_t, const String&, const String&, String&), (override));
  MOCK_METHOD(SVRESULT, SetIniValueStr, (int32_t, const String&, const String&), (override));
  MOCK_METHOD(SVRESULT, GetKeyCount, (int32_t, const String&, int32_t&), (override));
  MOCK_METHOD(SVRESULT, GetKeyNameAt, (int32_t, const String&, int32_t, String&), (override));
  MOCK_METHOD(SVRESULT, GetArrayCount, (int32_t, const String&, int32_t&), (override));
  MOCK_METHOD(SVRESULT, SetArrayCount, (int32_t, const String&, int32_t), (override));
  MOCK_METHOD(SVRESULT, GetArrayItemAt, (int32_t, const String&, int32_t, String&), (override));
  MOCK_METHOD(SVRESULT, SetArrayItemAt, (int32_t, const String&, int32_t, const String&), (override));
  MOCK_METHOD(SVRESULT, RemoveArrayItemAt, (int32_t, const String&, int32_t), (override));
};

TEST_F(FrameworkAppTest, WithoutASettingsFolderNoFileIsOpenedAndTheSkinIndexStaysZero) {
  Testing::ScopedEnvironment environment;
  for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) environment.Set(name, nullptr);
  ::testing::StrictMock<MockIniFileManager> settings;
  application->iniFileManager = &settings;
  EXPECT_EQ(application->OpenSettingsFile(1), 0);
  EXPECT_EQ(application->GetCurrentSkinIndex(), 0);
  EXPECT_EQ(application->SetSkin(0), S_OK);
  application->iniFileManager = nullptr;
}

TEST_F(FrameworkAppTest, SkinIndexIsReadFromAndStoredInTheUserSettingsFile) {
  using ::testing::_;
  using ::testing::DoAll;
  using ::testing::Return;
  using ::testing::SetArgReferee;
  Testing::TemporaryFolder folder;
  Testing::ScopedEnvironment environment;
  environment.Set("XDG_DATA_HOME", folder.Path().c_str());
  ::testing::NiceMock<MockIniFileManager> settings;
  application->iniFileManager = &settings;
  const String path = String(folder.Path().c_str()) + String(u"/Varkon/Corvex Editor/UserSettings.ini");
  EXPECT_CALL(settings, OpenIniFile(path, String(u"1_0_0"), _, _)).WillRepeatedly(DoAll(SetArgReferee<3>(7), Return(S_OK)));
  EXPECT_CALL(settings, GetIniValueInt(7, String(u"CurrentSkinIndex"), 0, _))
      .WillOnce(DoAll(SetArgReferee<3>(1), Return(S_OK)));
  EXPECT_CALL(settings, SetIniValueInt(7, String(u"CurrentSkinIndex"), 1)).WillOnce(Return(S_OK));
  EXPECT_EQ(application->GetCurrentSkinIndex(), 1);
  EXPECT_EQ(application->SetSkin(1), S_OK);
  application->iniFileManager = nullptr;
}

}  // namespace
}  // namespace SV
