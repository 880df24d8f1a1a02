#include "SVFramework/Controls/MenuDescriptor.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace SV {
namespace {

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

std::string Utf8(const String& text) {
  return text.ToUTF8().GetString();
}

// The tree in one line: "label=ID" for a command, "-" for a separator, "label{...}"
// for a submenu header; descriptions shown after "|" when present.
std::string Outline(const LMenuDescriptor& menu) {
  std::string text;
  for (uint32_t index = 0; index < menu.Items.GetCount(); ++index) {
    const LMenuItemDescriptor& item = *menu.Items[index];
    if (!text.empty()) text += " ";
    if (item.Separator) {
      text += "-";
    } else if (item.Items.GetCount() > 0 || item.CommandID.IsEmpty()) {
      text += Utf8(item.Label) + "{" + Outline(item) + "}";
    } else {
      text += Utf8(item.Label) + "=" + Utf8(item.CommandID);
    }
    if (!item.Description.IsEmpty()) text += "|" + Utf8(item.Description);
  }
  return text;
}

// True when every item of the tree names the menu that holds it as its parent.
bool ParentsLinked(const LMenuDescriptor& menu) {
  for (uint32_t index = 0; index < menu.Items.GetCount(); ++index) {
    const LMenuItemDescriptor& item = *menu.Items[index];
    if (item.GetParent() != &menu || !ParentsLinked(item)) return false;
  }
  return true;
}

RCPtr<LMenuDescriptor> Build(const Pairs& pairs, uint32_t maxItems = LMenuDescriptor::kMaxStringItems) {
  Array<StringPair> list;
  for (const auto& [key, value] : pairs) list.Append(StringPair{String(key.c_str()), String(value.c_str())});
  return LMenuDescriptor::BuildFromStrings(list, maxItems);
}

struct BuildCase {
  const char* name;
  Pairs pairs;
  std::string outline;
};

void PrintTo(const BuildCase& test, std::ostream* out) {
  *out << test.name;
}

class MenuStringsTest : public ::testing::TestWithParam<BuildCase> {};

TEST_P(MenuStringsTest, BuildsTheExpectedTreeAndDropsWhatIsMalformed) {
  const RCPtr<LMenuDescriptor> menu = Build(GetParam().pairs);
  ASSERT_TRUE(menu);
  EXPECT_EQ(menu->GetParent(), nullptr);
  EXPECT_TRUE(ParentsLinked(*menu));
  EXPECT_EQ(Outline(*menu), GetParam().outline);
}

const BuildCase kBuildCases[] = {
    {"CommandsAndSeparatorsInNumberOrder",
     {{u"00.NID_SEND", u"Send Preset | Send preset to the controller."}, {u"01.-", u"ignored"}, {u"02.NID_EXIT", u"Exit|Bye"}},
     "Send Preset =NID_SEND| Send preset to the controller. - Exit=NID_EXIT|Bye"},
    {"AGapDropsEveryLaterEntry", {{u"00.NID_A", u"A"}, {u"02.NID_C", u"C"}, {u"03.NID_D", u"D"}}, "A=NID_A"},
    {"AFirstNumberAboveZeroLeavesAnEmptyMenu", {{u"01.NID_A", u"A"}}, ""},
    {"OfTwoEqualNumbersTheFirstWins", {{u"00.NID_A", u"A"}, {u"00.NID_B", u"B"}}, "A=NID_A"},
    {"ACommandNamedByValueDashIsNoSeparator", {{u"00.NID_A", u"-"}}, "-=NID_A"},
    {"AValueStartingWithABarHasAnEmptyLabel", {{u"00.NID_A", u"|Only description"}}, "=NID_A|Only description"},
    {"ASinglePartKeyIsDropped", {{u"7", u"A"}, {u"", u"B"}, {u".", u"C"}}, ""},
    {"ASubmenuHeaderCollectsItsEntries",
     {{u"00.Tools.", u"Tools"}, {u"Tools.00.NID_A", u"A"}, {u"Tools.01.NID_B", u"B"}},
     "Tools{A=NID_A B=NID_B}"},
    {"AHeaderWithoutItsSubmenuIsDropped", {{u"00.Tools.", u"Tools"}, {u"01.NID_A", u"A"}}, "A=NID_A"},
    {"AHeaderWhoseSubmenuHasOnlyMisnumberedEntriesIsEmpty", {{u"00.Tools.", u"Tools"}, {u"Tools.05.NID_A", u"A"}}, "Tools{}"},
    {"SubmenusNest",
     {{u"00.Outer.", u"Outer"}, {u"Inner.00.NID_I", u"I"}, {u"Outer.00.Inner.", u"Inner"}, {u"Outer.01.-", u""}},
     "Outer{Inner{I=NID_I} -}"},
    {"ASubmenuContainingItselfStopsAtTheRepeatedHeader",
     {{u"00.Loop.", u"Loop"}, {u"Loop.00.NID_A", u"A"}, {u"Loop.01.Loop.", u"Again"}},
     "Loop{A=NID_A}"},
    {"TwoSubmenusContainingEachOtherStop",
     {{u"00.A.", u"A"}, {u"A.00.B.", u"B"}, {u"B.00.A.", u"A again"}, {u"B.01.NID_X", u"X"}},
     "A{B{X=NID_X}}"},
    {"EmptyNamesGiveItemsWithoutCommand",
     {{u"00.", u"Single part"}, {u"00..X", u"Blank"}, {u"01..", u"Dots"}, {u"..00.X", u"Lost"}},
     "Blank{} Dots{}"},
    {"UnbalancedSeparatorsAreKeptInPlace", {{u"00.-", u""}, {u"01.-", u""}, {u"02.NID_A", u"A"}, {u"03.-", u""}},
     "- - A=NID_A -"},
    {"UnknownFlagsAfterTheNameAreIgnored", {{u"00.NID_A.CHECKED.BOLD", u"A"}, {u"01.NID_B.?", u"B"}}, "A=NID_A B=NID_B"},
    {"NumbersReadLikeLeadingDecimals", {{u"0x.NID_A", u"A"}, {u"+1.NID_B", u"B"}, {u"99999999999999999999.NID_C", u"C"}},
     "A=NID_A"},
    {"OnlyTheFirstBarSplitsTheValue", {{u"00.NID_A", u"A|B|C"}, {u"01.NID_B", u"|"}, {u"02.NID_C", u"||"}},
     "A=NID_A|B|C =NID_B =NID_C||"},
    {"KeysOfDotsAloneAreDropped", {{u"....", u"Dots"}, {u".", u"Dot"}, {u"00.NID_A", u"A"}}, "A=NID_A"},
    {"ASeparatorKeepsNoLabelOrDescription", {{u"00.-", u"Label|Description"}}, "-"},
    {"ASubmenuNamedLikeASeparatorIsAnOrdinaryHeader", {{u"00.-.", u"Dash"}, {u"-.00.NID_A", u"A"}}, "Dash{A=NID_A}"},
    {"ANegativeNumberIsDropped", {{u"Tools.-0.NID_A", u"A"}, {u"00.Tools.", u"Tools"}}, "Tools{A=NID_A}"},
};

INSTANTIATE_TEST_SUITE_P(Cases, MenuStringsTest, ::testing::ValuesIn(kBuildCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuStringsNesting, AbsurdNestingStopsAtTheDepthLimitWithoutOverflowingTheStack) {
  Pairs pairs{{u"00.S0.", u"S0"}};
  const int depth = 5000;
  const auto submenu = [](int level) {
    const std::string digits = std::to_string(level);
    return u"S" + std::u16string(digits.begin(), digits.end());
  };
  for (int level = 0; level < depth; ++level) {
    pairs.push_back({submenu(level) + u".00." + submenu(level + 1) + u".", submenu(level + 1)});
  }
  const RCPtr<LMenuDescriptor> menu = Build(pairs);
  int levels = 0;
  for (LMenuDescriptor* node = menu.Get(); node->Items.GetCount() > 0; node = node->Items[0].Get()) ++levels;
  EXPECT_EQ(levels, LMenuDescriptor::kMaxStringDepth);
}

uint32_t CountItems(const LMenuDescriptor& menu) {
  uint32_t count = menu.Items.GetCount();
  for (uint32_t index = 0; index < menu.Items.GetCount(); ++index) count += CountItems(*menu.Items[index]);
  return count;
}

// Each submenu holds the next one twice: without a budget the tree doubles at every
// level and the builder never finishes.
TEST(MenuStringsNesting, SubmenusThatDoubleAtEveryLevelStopAtTheItemBudget) {
  const auto submenu = [](int level) {
    const std::string digits = std::to_string(level);
    return u"D" + std::u16string(digits.begin(), digits.end());
  };
  Pairs pairs{{u"00.D0.", u"D0"}, {u"01.NID_AFTER", u"After"}};
  for (int level = 0; level < 40; ++level) {
    pairs.push_back({submenu(level) + u".00." + submenu(level + 1) + u".", u"Left"});
    pairs.push_back({submenu(level) + u".01." + submenu(level + 1) + u".", u"Right"});
  }
  const RCPtr<LMenuDescriptor> menu = Build(pairs);
  EXPECT_EQ(CountItems(*menu), LMenuDescriptor::kMaxStringItems);
  EXPECT_TRUE(ParentsLinked(*menu));
  // A caller's smaller budget holds the same way.
  EXPECT_EQ(CountItems(*Build(pairs, 100)), 100u);
}

TEST(MenuDescriptor, InsertingLinksTheParentAsAnInternalReferenceAndRemoveAllUnlinks) {
  const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  EXPECT_EQ(menu->InsertItem(0, u"B", u"NID_B", true, false), 0);
  EXPECT_EQ(menu->InsertItem(0, u"A", u"NID_A", false, true), 0);
  EXPECT_EQ(menu->InsertSeparator(2), 2);
  EXPECT_LT(menu->InsertAt(9, LMenuDescriptor::MakeItem(u"C", u"NID_C", true, false)), 0);
  EXPECT_EQ(Outline(*menu), "A=NID_A B=NID_B -");
  EXPECT_EQ(menu->Items[0]->GetParent(), menu.Get());
  EXPECT_EQ(menu->GetInternalRefCount(), 3);

  const RCPtr<LMenuItemDescriptor> kept = menu->Items[1];
  EXPECT_EQ(menu->RemoveAll(), S_OK);
  EXPECT_EQ(menu->Items.GetCount(), 0u);
  EXPECT_EQ(kept->GetParent(), nullptr);
  EXPECT_EQ(menu->GetInternalRefCount(), 0);
  EXPECT_EQ(menu->GetRefCount(), 1);
}

TEST(MenuDescriptor, ATreeHeldOnlyByItsParentLinksIsFreed) {
  RCPtr<LMenuItemDescriptor> leaf;
  {
    const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
    menu->InsertItem(0, u"Tools", u"", true, false);
    menu->Items[0]->InsertItem(0, u"A", u"NID_A", true, false);
    leaf = menu->Items[0]->Items[0];
  }
  EXPECT_EQ(leaf->GetParent(), nullptr);
  EXPECT_EQ(leaf->GetRefCount(), 1);
}

TEST(MenuDescriptor, ItemStateIsResetAndRejectedOutOfRange) {
  const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  menu->InsertItem(0, u"Cut", u"NID_CUT", false, true);
  LMenuItemState state{true, true, u"stale"};
  EXPECT_EQ(menu->GetItemState(1, state), E_INVALIDARG);
  EXPECT_EQ(state, LMenuItemState());
  EXPECT_EQ(menu->GetItemState(0, state), S_OK);
  EXPECT_EQ(state, (LMenuItemState{false, true, u"Cut"}));
}

TEST(MenuDescriptor, ACloneIsDeepAndIndependent) {
  const RCPtr<LMenuDescriptor> menu = Build({{u"00.Tools.", u"Tools|All tools"}, {u"Tools.00.NID_A", u"A|a"}, {u"01.-", u""}});
  menu->Items[0]->Items[0]->HotKeyText = u"Ctrl+A";
  menu->Items[0]->Items[0]->Checked = true;
  const RCPtr<LMenuDescriptor> copy = menu->Clone();
  EXPECT_EQ(Outline(*copy), Outline(*menu));
  EXPECT_EQ(copy->GetParent(), nullptr);
  const RCPtr<LMenuItemDescriptor> copiedItem = copy->Items[0]->Items[0];
  EXPECT_NE(copiedItem.Get(), menu->Items[0]->Items[0].Get());
  EXPECT_EQ(copiedItem->GetParent(), copy->Items[0].Get());
  EXPECT_EQ(Utf8(copiedItem->HotKeyText), "Ctrl+A");
  EXPECT_TRUE(copiedItem->Checked);
  copiedItem->Label = u"changed";
  EXPECT_EQ(Utf8(menu->Items[0]->Items[0]->Label), "A");
}

}  // namespace
}  // namespace SV
