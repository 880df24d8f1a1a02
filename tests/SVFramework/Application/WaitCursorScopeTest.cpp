#include "SVFramework/Application/WaitCursorScope.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "SVFramework/Application/CursorNames.h"
#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"

namespace SV {
namespace {

class WaitCursorScopeTest : public ::testing::Test {
protected:
  void SetUp() override {
    main = Testing::SpyRootWindow::Create("main", log);
    main->osWindow = &osWindow;
    main->cursor = kCursorIBeam;
    application->AddRootWindow(RCPtr<LRootWindow>(main));
  }
  void TearDown() override {
    main->osWindow = nullptr;
    application.Reset();
  }

  std::vector<std::string> log;
  Testing::FakePlatformApplication platform{log};
  Testing::StandInOSWindow osWindow;
  RCPtr<Testing::TestApplication> application{new Testing::TestApplication};
  RCPtr<Testing::SpyRootWindow> main;
};

TEST_F(WaitCursorScopeTest, ShowsTheWaitCursorAfterOneIdlePassAndPutsTheOldOneBack) {
  {
    LWaitCursorScope scope(u"Loading Skin...");
    EXPECT_EQ(main->cursor, kCursorWait);
    EXPECT_EQ(log, (std::vector<std::string>{"main idle"}));
  }
  EXPECT_EQ(main->cursor, kCursorIBeam);
}

TEST_F(WaitCursorScopeTest, AnExceptionLeavingTheScopeStillPutsTheCursorBack) {
  try {
    LWaitCursorScope scope(u"Loading Skin...");
    throw std::runtime_error("long work failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(main->cursor, kCursorIBeam);
}

}  // namespace
}  // namespace SV
