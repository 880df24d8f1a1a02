#include "SVFramework/Application/SecondInstance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Support/Application/SpyRootWindow.h"
#include "tests/Support/Application/TestApplication.h"

namespace SV {
namespace {

TEST(SecondInstanceTest, RaisesTheMainWindowAndHandsTheTextToTheApplication) {
  std::vector<std::string> log;
  Testing::FakePlatformApplication platform(log);
  RCPtr<Testing::TestApplication> application(new Testing::TestApplication);
  const RCPtr<Testing::SpyRootWindow> main = Testing::SpyRootWindow::Create("main", log);
  Testing::StandInOSWindow osWindow;
  main->osWindow = &osWindow;
  application->AddRootWindow(RCPtr<LRootWindow>(main));

  DeliverSecondInstance(application.Get(), "editor Grüße.corvex");
  DeliverSecondInstance(application.Get(), "");
  EXPECT_EQ(osWindow.raised, 2);
  ASSERT_EQ(application->secondInstances.size(), 1u);
  EXPECT_EQ(application->secondInstances[0], String(u"editor Grüße.corvex"));
  main->osWindow = nullptr;
}

TEST(SecondInstanceTest, NothingHappensWithoutAnApplication) { DeliverSecondInstance(nullptr, "editor"); }

}  // namespace
}  // namespace SV
