#include "SVFramework/Application/AppMessageBox.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

class AnsweringApplication : public Testing::StandInApplication {
public:
  int32_t MessageBox(const String& text, const String& caption, uint32_t style) override {
    shown = std::string(text.ToUTF8().GetString()) + "/" + caption.ToUTF8().GetString() + "/" + std::to_string(style);
    return 6;
  }
  std::string shown;
};

TEST(AppMessageBox, TheApplicationShowsTheBoxAndItsAnswerIsReturned) {
  EXPECT_EQ(ShowAppMessageBox(u"Lost", u"Nobody", 0x10), 0) << "without an application object";
  AnsweringApplication application;
  EXPECT_EQ(ShowAppMessageBox(u"Replace the preset?", u"Save", 0x24), 6);
  EXPECT_EQ(application.shown, "Replace the preset?/Save/36");
}

}  // namespace
}  // namespace SV
