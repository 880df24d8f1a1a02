#include "SVFramework/Application/IdleRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"

namespace SV {
namespace {

// What a platform loop does after one message: idle calls while the rule asks for more.
int IdleCallsAfterOneMessage(LFrameworkApp* application, bool stopWhenExiting) {
  int calls = 0;
  while (calls < 100) {
    const bool again = RunIdleCall(application, calls, stopWhenExiting);
    ++calls;
    if (!again) break;
  }
  return calls;
}

class IdleRuleTest : public ::testing::Test {
protected:
  void SetUp() override {
    window = Testing::SpyRootWindow::Create("main", log);
    application->AddRootWindow(RCPtr<LRootWindow>(window));
  }
  void TearDown() override { application.Reset(); }

  std::vector<std::string> log;
  Testing::FakePlatformApplication platform{log};
  RCPtr<Testing::TestApplication> application{new Testing::TestApplication};
  RCPtr<Testing::SpyRootWindow> window;
};

TEST_F(IdleRuleTest, AtMostThreeIdlePassesRunAfterAMessageEvenWhileWorkKeepsComing) {
  std::vector<bool> firstFlags;
  window->onIdle = [&](bool first) {
    firstFlags.push_back(first);
    return true;
  };
  EXPECT_EQ(IdleCallsAfterOneMessage(application.Get(), true), 3);
  EXPECT_EQ(firstFlags, (std::vector<bool>{true, false, false}));
}

TEST_F(IdleRuleTest, OnePassWhenNothingIsLeft) {
  EXPECT_EQ(IdleCallsAfterOneMessage(application.Get(), true), 1);
}

TEST_F(IdleRuleTest, TheMainLoopStopsIdlingOnceExitingAndAModalLoopGoesOn) {
  ASSERT_EQ(application->Initialize(), S_OK);
  GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
  application->Idle(true);
  ASSERT_TRUE(application->IsExiting());
  log.clear();
  EXPECT_FALSE(RunIdleCall(application.Get(), 0, true));
  EXPECT_TRUE(log.empty());
  RunIdleCall(application.Get(), 0, false);
  EXPECT_EQ(log, (std::vector<std::string>{"main idle"}));
}

TEST(IdleRuleWithoutApplicationTest, NothingRuns) { EXPECT_FALSE(RunIdleCall(nullptr, 0, false)); }

}  // namespace
}  // namespace SV
