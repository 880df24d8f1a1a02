#include "SVFramework/Application/ModalLoop.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"
#include "tests/Support/Renderer/GuiTestApplication.h"

namespace SV {
namespace {

// A modal loop over the application whose main window and dialog are spies.
class ModalLoopTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::EnsureGuiApplication();
    main = Testing::SpyRootWindow::Create("main", log);
    dialog = Testing::SpyRootWindow::Create("dialog", log);
    application->AddRootWindow(RCPtr<LRootWindow>(main));
    application->AddRootWindow(RCPtr<LRootWindow>(dialog));
  }
  void TearDown() override { application.Reset(); }

  std::vector<std::string> log;
  Testing::FakePlatformApplication platform{log};
  RCPtr<Testing::TestApplication> application{new Testing::TestApplication};
  RCPtr<Testing::SpyRootWindow> main;
  RCPtr<Testing::SpyRootWindow> dialog;
  ModalLoop loop;
};

TEST_F(ModalLoopTest, RunsTheApplicationsIdlePassAndEndsWithTheResultGivenInsideIt) {
  int dialogPasses = 0;
  dialog->onIdle = [&](bool) {
    if (++dialogPasses == 2) loop.End(7);
    return false;
  };
  QTimer::singleShot(0, [] {});
  EXPECT_EQ(loop.Run(), 7);
  EXPECT_FALSE(loop.IsRunning());
  EXPECT_EQ(log, (std::vector<std::string>{"dialog idle", "main idle", "dialog idle", "main idle"}));
}

TEST_F(ModalLoopTest, NotificationsQueuedForTheApplicationAreDeliveredInsideIt) {
  ASSERT_EQ(application->Initialize(), S_OK);
  log.clear();
  dialog->onIdle = [&](bool) {
    if (application->IsExiting()) loop.End(1);
    return false;
  };
  GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
  EXPECT_EQ(loop.Run(), 1);
  EXPECT_EQ(log.front(), "dialog close 0");
}

TEST_F(ModalLoopTest, AnExceptionFromAnIdlePassEndsTheLoopAndLeavesFromRun) {
  dialog->onIdle = [](bool) -> bool { throw std::runtime_error("idle failed"); };
  EXPECT_THROW(loop.Run(), std::runtime_error);
  EXPECT_FALSE(loop.IsRunning());
}

}  // namespace
}  // namespace SV
