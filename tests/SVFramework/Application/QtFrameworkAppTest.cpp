#include "SVFramework/Application/QtFrameworkApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Application/OSWindowFactory.h"
#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Skins/SkinFixtures.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using TestPlatformApp = QtFrameworkApp<Testing::TestApplication>;

// Makes the main window as a spy whose first idle pass asks the application to exit.
class SpyWindowFactory : public IOSWindowFactory {
public:
  explicit SpyWindowFactory(std::vector<std::string>& log) : mLog(log) { SetOSWindowFactory(this); }
  ~SpyWindowFactory() override { SetOSWindowFactory(nullptr); }

  SVRESULT CreateMainWindow(LFrameworkApp& application, const MainWindowRequest& request) override {
    mLog.push_back("main window " + std::string(request.mainDescriptor ? "with descriptor" : "without descriptor"));
    main = Testing::SpyRootWindow::Create("main", mLog);
    main->onIdle = [this](bool) {
      if (!exitPosted) GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
      exitPosted = true;
      return false;
    };
    application.AddRootWindow(RCPtr<LRootWindow>(main));
    return S_OK;
  }
  int32_t CreateDialogWindow(LFrameworkApp&, const DialogWindowRequest&) override { return E_FAIL; }

  RCPtr<Testing::SpyRootWindow> main;
  bool exitPosted = false;

private:
  std::vector<std::string>& mLog;
};

// A resource folder with a skin holding the main control, and a single-instance folder
// of the test's own.
class QtFrameworkAppTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::EnsureGuiApplication();
    resources.WriteFile("Skins.xml", Testing::SkinDocument(R"(<Application Name="Corvex Editor"/>
<Skins><Skin Name="Standard" FontName="Sans" FontSize="9" FontStyle="0">
  <SubControl Class="Test.Main" Name="mainControl" XSizeAbs="640" YSizeAbs="480"/>
</Skin></Skins>)"));
    Testing::TestApplication::lifeLog = &log;
  }
  void TearDown() override { Testing::TestApplication::lifeLog = nullptr; }

  TestPlatformApp::Options OptionsFor(const Testing::TemporaryFolder& folder) const {
    TestPlatformApp::Options options;
    options.resourceFolder = String(folder.Path().c_str());
    options.instanceFolder = instance.Path();
    options.instanceName = "QtFrameworkAppTest";
    options.instanceLimit = std::chrono::milliseconds(200);
    return options;
  }

  Testing::TemporaryFolder resources;
  Testing::TemporaryFolder instance;
  std::vector<std::string> log;
  SpyWindowFactory windows{log};
};

TEST_F(QtFrameworkAppTest, RunsStartUpTheLoopAndShutsDownInOrderOnAnExitRequest) {
  TestPlatformApp platform(u"editor --test", 0x0409, OptionsFor(resources));
  ASSERT_TRUE(platform.InitApplication());
  ASSERT_TRUE(platform.InitInstance());
  EXPECT_TRUE(platform.Run());
  EXPECT_EQ(log, (std::vector<std::string>{"created", "main window with descriptor", "main root mainControl",
                                           "main redraw", "main idle", "main close 0", "main idle", "main idle",
                                           "shutdown",
                                           "destroyed"}));
  EXPECT_EQ(GetFrameworkApp(), nullptr);
}

TEST_F(QtFrameworkAppTest, WithoutSkinsStartUpEndsBeforeAnyWindowExists) {
  Testing::TemporaryFolder empty;
  TestPlatformApp platform(u"editor", 0x0409, OptionsFor(empty));
  EXPECT_FALSE(platform.InitApplication());
  EXPECT_TRUE(log.empty());
}

// The first instance answers only from its event loop, which this thread is not running:
// the hand-over ends at its bound and the later instance still does not start.
TEST_F(QtFrameworkAppTest, ALaterInstanceHandsItsCommandLineOverAndDoesNotStart) {
  TestPlatformApp first(u"editor", 0x0409, OptionsFor(resources));
  ASSERT_TRUE(first.InitApplication());
  TestPlatformApp second(u"editor second.corvex", 0x0409, OptionsFor(resources));
  EXPECT_FALSE(second.InitApplication());
}

TEST_F(QtFrameworkAppTest, IdleRuleGoesThroughTheApplicationOnlyWhileOneRuns) {
  TestPlatformApp platform(u"editor", 0x0409, OptionsFor(resources));
  EXPECT_FALSE(platform.OnIdle(0));
  EXPECT_EQ(platform.GetLanguageID(), 0x0409);
  EXPECT_EQ(GetPlatformApplication(), &platform);
}

}  // namespace
}  // namespace SV
