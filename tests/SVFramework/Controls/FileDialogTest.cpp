#include "SVFramework/Controls/FileDialog.h"

#include <gtest/gtest.h>

#include <deque>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "Platform/Gui/FileDialog.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Controls/FileDialogFilters.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"
#include "tests/Support/TextConversions.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV {
namespace {

using Paths = std::vector<std::u16string>;
using Mode = ::Platform::Gui::FileDialogRequest::Mode;

// Records every request and answers with the queued choices; an empty answer (or
// none queued) is a cancelled dialog.
class ScriptedDialogs : public ::Platform::Gui::IFileDialogService {
public:
  Paths Run(const ::Platform::Gui::FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) return {};
    Paths answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<Paths> answers;
  std::vector<::Platform::Gui::FileDialogRequest> requests;
};

std::string Utf8(const std::u16string& text) {
  return String(text.c_str()).ToUTF8().GetString();
}

using Testing::Utf8;

constexpr const char16_t* kPresetFilter = u"Corvex Editor (*.corvex)|*.corvex|All Files (*.*)|*.*";

class FileDialogTest : public ::testing::Test {
protected:
  ScriptedDialogs dialogs;
  RCPtr<LFileDialog> files{new LFileDialog(u"presets", &dialogs)};
};

TEST_F(FileDialogTest, OpeningAsksForOneExistingFileWithTitleFolderAndFilters) {
  dialogs.answers.push_back({u"presets/Lead.corvex"});
  ASSERT_EQ(files->ShowOpenDialog(kPresetFilter, u"corvex", u"Open Preset", false), 0);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  const ::Platform::Gui::FileDialogRequest& request = dialogs.requests[0];
  EXPECT_EQ(request.mode, Mode::OpenOne);
  EXPECT_EQ(request.title, u"Open Preset");
  EXPECT_EQ(request.folder, u"presets");
  EXPECT_EQ(request.nameFilters, (Paths{u"Corvex Editor (*.corvex)", u"All Files (*)"}));
  EXPECT_EQ(request.defaultSuffix, u"corvex");
  EXPECT_EQ(Utf8(files->GetFilePath()), "presets/Lead.corvex");
}

TEST_F(FileDialogTest, TheFolderFollowsEachChoiceAndTheNextDialogStartsThere) {
  dialogs.answers = {{u"/data/banks/a.corvex"}, {u"/data/saved/b.corvex"}, {}};
  EXPECT_EQ(files->ShowOpenDialog(kPresetFilter, u"corvex", u"Open", false), 0);
  EXPECT_EQ(Utf8(files->GetFolder()), "/data/banks");
  EXPECT_EQ(files->ShowSaveDialog(kPresetFilter, u"corvex", u"Save", -1), 0);
  EXPECT_EQ(Utf8(files->GetFolder()), "/data/saved");
  EXPECT_EQ(files->ShowOpenDialog(kPresetFilter, u"corvex", u"Open", false), E_FAIL);
  ASSERT_EQ(dialogs.requests.size(), 3u);
  EXPECT_EQ(dialogs.requests[1].folder, u"/data/banks");
  EXPECT_EQ(dialogs.requests[2].folder, u"/data/saved");
}

TEST_F(FileDialogTest, ACancelledDialogFailsAndKeepsTheFolderWithoutAChosenPath) {
  dialogs.answers = {{u"/data/a.corvex"}};
  ASSERT_EQ(files->ShowOpenDialog(kPresetFilter, u"corvex", u"Open", false), 0);
  EXPECT_EQ(files->ShowOpenDialog(kPresetFilter, u"corvex", u"Open", false), E_FAIL);
  EXPECT_EQ(Utf8(files->GetFolder()), "/data");
  EXPECT_TRUE(files->GetFilePath().IsEmpty());
  EXPECT_EQ(files->ShowSaveDialog(kPresetFilter, u"corvex", u"Save", -1), E_FAIL);
  EXPECT_EQ(Utf8(files->GetFolder()), "/data");
  EXPECT_TRUE(files->GetFilePath().IsEmpty());
}

TEST_F(FileDialogTest, AMultipleSelectionGivesTheFolderAndEveryFullPath) {
  dialogs.answers = {{u"/data/banks/a.corvex", u"/data/banks/b.corvex"}};
  ASSERT_EQ(files->ShowOpenDialog(kPresetFilter, u"corvex", u"Open", true), 0);
  EXPECT_EQ(dialogs.requests[0].mode, Mode::OpenMany);
  EXPECT_EQ(Utf8(files->GetFolder()), "/data/banks");
  EXPECT_EQ(Utf8(files->GetFilePath()), "/data/banks/a.corvex");
  ASSERT_EQ(files->GetSelectedFiles().GetCount(), 2u);
  EXPECT_EQ(Utf8(files->GetSelectedFiles()[0]), "/data/banks/a.corvex");
  EXPECT_EQ(Utf8(files->GetSelectedFiles()[1]), "/data/banks/b.corvex");
}

// A multiple selection once left its mode set for later opens of the same object,
// which then handed back the folder as the chosen file.
TEST_F(FileDialogTest, EveryDialogAsksForItsOwnModeWhateverTheObjectShowedBefore) {
  dialogs.answers = {{u"/d/a", u"/d/b"}, {u"/d/c"}, {u"/d/e"}, {u"/d/f"}};
  files->ShowOpenDialog(kPresetFilter, u"", u"", true);
  files->ShowOpenDialog(kPresetFilter, u"", u"", false);
  files->ShowSaveDialog(kPresetFilter, u"", u"", -1);
  files->ShowOpenDialog(kPresetFilter, u"", u"", false);
  std::vector<Mode> modes;
  for (const auto& request : dialogs.requests) modes.push_back(request.mode);
  EXPECT_EQ(modes, (std::vector<Mode>{Mode::OpenMany, Mode::OpenOne, Mode::Save, Mode::OpenOne}));
  EXPECT_EQ(Utf8(files->GetFilePath()), "/d/f");
}

TEST_F(FileDialogTest, SavingProposesUntitledAndAMaximumOfZeroShowsNoDialog) {
  EXPECT_EQ(files->ShowSaveDialog(kPresetFilter, u"corvex", u"Save", 0), E_INVALIDARG);
  EXPECT_TRUE(dialogs.requests.empty());
  dialogs.answers = {{u"/data/x.corvex"}};
  EXPECT_EQ(files->ShowSaveDialog(kPresetFilter, u"*.corvex", u"Save Preset", -1), 0);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].mode, Mode::Save);
  EXPECT_EQ(dialogs.requests[0].proposedName, u"Untitled");
  EXPECT_EQ(dialogs.requests[0].title, u"Save Preset");
  EXPECT_EQ(dialogs.requests[0].defaultSuffix, u"corvex");
}

struct NameLengthCase {
  const char* name;
  int32_t maximum;
  std::u16string path;
  SVRESULT result;
  bool boxShown;
};

void PrintTo(const NameLengthCase& test, std::ostream* out) {
  *out << test.name;
}

class FileDialogNameLengthTest : public ::testing::TestWithParam<NameLengthCase> {};

TEST_P(FileDialogNameLengthTest, ANameLongerThanTheMaximumIsRefusedWithTheErrorBox) {
  const NameLengthCase& test = GetParam();
  Testing::WidgetHarness harness;
  ScriptedDialogs dialogs;
  dialogs.answers = {{test.path}};
  RCPtr<LFileDialog> files(new LFileDialog(u"/before", &dialogs));
  EXPECT_EQ(files->ShowSaveDialog(kPresetFilter, u"corvex", u"Save", test.maximum), test.result);
  const auto& boxes = harness.application.messageBoxes;
  ASSERT_EQ(boxes.size(), test.boxShown ? 1u : 0u);
  if (test.boxShown) {
    EXPECT_EQ(Utf8(boxes[0].caption), "File Save Error");
    EXPECT_EQ(Utf8(boxes[0].text),
              "The file length is larger than the maximum limit of " + std::to_string(test.maximum) + " characters ");
    EXPECT_EQ(boxes[0].style, 0x10u);
    EXPECT_EQ(Utf8(files->GetFolder()), "/before");
    EXPECT_TRUE(files->GetFilePath().IsEmpty());
  } else {
    EXPECT_EQ(files->GetFilePath(), String(test.path.c_str()));
  }
}

const NameLengthCase kNameLengthCases[] = {
    {"LongerThanTheMaximum", 10, u"/p/preset-one.corvex", E_FAIL, true},
    {"ExactlyTheMaximum", 17, u"/p/preset-one.corvex", 0, false},
    {"TheFolderDoesNotCount", 5, u"/a/very/long/folder/name/x.cx", 0, false},
    {"ABackslashEndsTheFolderToo", 3, u"/p/dir\\abc", 0, false},
    {"ANegativeMaximumHasNoLimit", -1, u"/p/a-very-long-preset-name-indeed.corvex", 0, false},
    {"ANameOfOneCharacterOverTheLimit", 1, u"/p/ab", E_FAIL, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, FileDialogNameLengthTest, ::testing::ValuesIn(kNameLengthCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FilterCase {
  const char* name;
  std::u16string filter;
  Paths nameFilters;
};

void PrintTo(const FilterCase& test, std::ostream* out) {
  *out << test.name;
}

class FileDialogFilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileDialogFilterTest, PairsBecomeNameFiltersThatShowEachPatternOnce) {
  ScriptedDialogs dialogs;
  RCPtr<LFileDialog> files(new LFileDialog(u"/", &dialogs));
  files->ShowOpenDialog(GetParam().filter.c_str(), u"", u"", false);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].nameFilters, GetParam().nameFilters);
}

const FilterCase kFilterCases[] = {
    {"ADescriptionWithoutPatternsGetsThem", u"A|*.a", {u"A (*.a)"}},
    {"AllFilesMatchNamesWithoutADot", u"All Files (*.*)|*.*", {u"All Files (*)"}},
    {"SeveralPatternsAreListedWithBlanks", u"Images (*.png;*.jpg)|*.png;*.jpg", {u"Images (*.png *.jpg)"}},
    {"PatternsShownWithCommasCountAsShown", u"Images (*.png, *.jpg)|*.png; *.jpg", {u"Images (*.png *.jpg)"}},
    {"ADescriptionShowingOtherTextKeepsIt", u"Text (plain)|*.txt", {u"Text (plain) (*.txt)"}},
    {"AnEmptyDescriptionLeavesThePatternsAlone", u"|*.a;*.b", {u"*.a *.b"}},
    {"APairWithoutAPatternIsDropped", u"A||B|*.b|C| ; ", {u"B (*.b)"}},
    {"ATrailingDescriptionIsDropped", u"A|*.a|Lonely", {u"A (*.a)"}},
    {"AnEmptyFilterGivesNone", u"", {}},
    {"TrailingBarsAddNothing", u"A|*.a||", {u"A (*.a)"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, FileDialogFilterTest, ::testing::ValuesIn(kFilterCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FileDialogDefaultSuffix, ALeadingWildcardOrDotIsDroppedAndAWildcardSuffixIsNone) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"corvex", u"corvex"}, {u"*.corvex", u"corvex"}, {u".corvex", u"corvex"},
      {u"*.*", u""},          {u"*", u""},              {u"", u""},
  };
  for (const auto& [extension, suffix] : cases) {
    EXPECT_EQ(MakeFileDialogDefaultSuffix(extension.c_str()), suffix) << Utf8(extension);
  }
}

TEST(FileDialogOwner, TheActiveRootWindowAtConstructionOwnsTheDialogs) {
  ScriptedDialogs dialogs;
  {
    RCPtr<LFileDialog> withoutApplication(new LFileDialog(u"/", &dialogs));
    withoutApplication->ShowOpenDialog(u"", u"", u"", false);
  }
  // The application object's own window list names the active window.
  Testing::StandInApplication application;
  Testing::StandInOSWindow inactive;
  Testing::StandInOSWindow active;
  inactive.active = false;
  application.AddRootWindow(LRootWindow::Create(nullptr, &active));
  application.AddRootWindow(LRootWindow::Create(nullptr, &inactive));
  RCPtr<LFileDialog> owned(new LFileDialog(u"/", &dialogs));
  active.active = false;
  owned->ShowOpenDialog(u"", u"", u"", false);
  ASSERT_EQ(dialogs.requests.size(), 2u);
  EXPECT_EQ(dialogs.requests[0].owner, nullptr);
  EXPECT_EQ(dialogs.requests[1].owner, active.GetHWND());
  while (application.GetRootWindowCount() > 0) application.RemoveRootWindow(application.GetRootWindow(0));
}

TEST(FileDialogOwner, WithoutAnInstalledServiceThePlatformDialogsAreUsed) {
  ScriptedDialogs installed;
  ::Platform::Gui::SetFileDialogService(&installed);
  RCPtr<LFileDialog> files(new LFileDialog(u"/start"));
  EXPECT_EQ(files->ShowOpenDialog(u"", u"", u"", false), E_FAIL);
  ::Platform::Gui::SetFileDialogService(nullptr);
  ASSERT_EQ(installed.requests.size(), 1u);
  EXPECT_EQ(installed.requests[0].folder, u"/start");
}

// Random filter texts of the characters that carry meaning never give an empty name
// filter or one with a pair delimiter, and never a suffix that is a wildcard.
TEST(FileDialogBadInput, RandomFilterTextsGiveOnlyWellFormedNameFilters) {
  std::mt19937 random(20261211);
  const std::u16string alphabet = u"|*.;,() aZ?";
  for (int round = 0; round < 2000; ++round) {
    std::u16string text;
    const int length = static_cast<int>(random() % 24);
    for (int at = 0; at < length; ++at) text += alphabet[random() % alphabet.size()];
    for (const std::u16string& filter : MakeFileDialogNameFilters(text.c_str())) {
      EXPECT_FALSE(filter.empty()) << Utf8(text);
      EXPECT_EQ(filter.find(u'|'), std::u16string::npos) << Utf8(text);
      EXPECT_NE(filter.find_first_not_of(u' '), std::u16string::npos) << Utf8(text);
    }
    EXPECT_EQ(MakeFileDialogDefaultSuffix(text.c_str()).find_first_of(u"*?"), std::u16string::npos) << Utf8(text);
  }
}

}  // namespace
}  // namespace SV
