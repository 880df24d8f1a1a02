#include "SVFramework/Application/SplashScreen.h"

#include <QImage>

#include <gtest/gtest.h>

#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

class SplashScreenTest : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::EnsureGuiApplication();
    QImage image(120, 80, QImage::Format_ARGB32);
    image.fill(Qt::darkBlue);
    ASSERT_TRUE(image.save(QString::fromStdString(folder.PathOf("Splash.png"))));
  }

  Testing::TemporaryFolder folder;
};

TEST_F(SplashScreenTest, ShowsTheImageAndMovesItsBar) {
  LSplashScreen splash;
  splash.SetImageFile(String(folder.PathOf("Splash.png").c_str()));
  splash.Start();
  EXPECT_TRUE(splash.IsStarted());
  splash.Animate(0, 100, 8);
  EXPECT_EQ(splash.GetPosition(), 0);
  splash.SetPosition(100);
  EXPECT_EQ(splash.GetPosition(), 100);
  splash.SetPosition(250);
  EXPECT_EQ(splash.GetPosition(), 100);
}

TEST_F(SplashScreenTest, WithoutAnImageNothingStartsAndDeletingIsImmediate) {
  LSplashScreen splash;
  splash.SetImageFile(String(folder.PathOf("Missing.png").c_str()));
  splash.Start();
  EXPECT_FALSE(splash.IsStarted());
}

}  // namespace
}  // namespace SV
