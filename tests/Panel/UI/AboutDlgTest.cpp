#include "Panel/UI/AboutDlg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "SVFramework/Application/Version.h"
#include "tests/Panel/UI/EditorTestSkin.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Testing::EditorTestSkin::AboutDialog;
using Testing::EditorTestSkin::Control;
using Testing::EditorTestSkin::kResources;
using Testing::EditorTestSkin::StringTable;
using Testing::WidgetHarness;

using Testing::Utf8;

// A program file whose version block is the test's.
class ModuleWithBlock : public ::Platform::System::IModule {
public:
  explicit ModuleWithBlock(std::string block) : mBlock(std::move(block)) {}
  std::string GetFilePath() const override { return "/opt/corvex/CorvexEditor"; }
  uint32_t GetVersionBlockSize(const std::string& fileName) const override {
    return fileName == "CorvexEditor" ? static_cast<uint32_t>(mBlock.size()) : 0;
  }
  bool ReadVersionBlock(const std::string& fileName, void* block, uint32_t size) const override {
    if (fileName != "CorvexEditor" || size < mBlock.size()) return false;
    std::memcpy(block, mBlock.data(), mBlock.size());
    return true;
  }

private:
  std::string mBlock;
};

// The labels' own texts in the string tables, which the dialog must replace.
const std::string kLabelStrings =
    StringTable("PresetEditor.DialogAbout|labelProduct", {{"LABEL", "Corvex Editor"}}) +
    StringTable("PresetEditor.DialogAbout|labelCopyright", {{"LABEL", "Copyright"}});

class AboutDlgTest : public ::testing::Test {
protected:
  void SetUp() override {
    harness.factory->RegisterControlCreateFunction(u"PresetEditor.DialogAbout", &LAboutDlg::Create);
  }
  void TearDown() override { LAboutDlg::UseVersionModule(nullptr); }

  std::string LabelText(const char16_t* name) { return Utf8(harness.Find(name)->GetText()); }

  WidgetHarness harness;
};

TEST_F(AboutDlgTest, ShowsTheRunningProgramsProductVersionAndCopyrightNotTheStringTableTexts) {
  harness.Build(AboutDialog(), kResources, kLabelStrings);
  const Version version;
  ASSERT_FALSE(version.GetProductVersion().IsEmpty());
  EXPECT_EQ(LabelText(u"labelProduct"), Utf8(version.GetProductVersion()));
  EXPECT_EQ(LabelText(u"labelCopyright"), Utf8(version.GetLegalCopyright()));
  EXPECT_NE(LabelText(u"labelProduct"), Utf8(version.GetProductName())) << "the product line is a version, not a name";
}

TEST_F(AboutDlgTest, AnotherVersionBlockChangesBothLinesWithoutAnyStringTableChange) {
  const ModuleWithBlock module(
      "\\VarFileInfo\\Translation=040904b0\n"
      "\\StringFileInfo\\040904b0\\ProductName=Corvex Editor\n"
      "\\StringFileInfo\\040904b0\\ProductVersion=7.3.1\n"
      "\\StringFileInfo\\040904b0\\LegalCopyright=Copyright (C) 2031 Somebody Else\n");
  LAboutDlg::UseVersionModule(&module);
  harness.Build(AboutDialog(), kResources, kLabelStrings);
  EXPECT_EQ(LabelText(u"labelProduct"), "7.3.1");
  EXPECT_EQ(LabelText(u"labelCopyright"), "Copyright (C) 2031 Somebody Else");
}

TEST_F(AboutDlgTest, AMissingLabelIsSkippedAndTheOtherStillFilled) {
  const std::string withoutCopyright = Control("PresetEditor.DialogAbout", "dialogAbout", 0, 0, 400, 200,
                                               Control("Framework.Label", "labelProduct", 10, 80, 380, 20));
  harness.Build(withoutCopyright, kResources, kLabelStrings);
  ASSERT_TRUE(harness.Find<LAboutDlg>(u"dialogAbout"));
  EXPECT_EQ(LabelText(u"labelProduct"), Utf8(Version().GetProductVersion()));
}

}  // namespace
}  // namespace SV
