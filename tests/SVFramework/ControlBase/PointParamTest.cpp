#include "SVFramework/ControlBase/PointParam.h"

#include <gtest/gtest.h>

#include "SVFramework/ControlBase/ConditionsParam.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/ControlBase/ValueParam.h"

namespace SV {
namespace {

TEST(EventParamTest, EachRecordHasItsTextForm) {
  EXPECT_EQ(MakeMouseButtonParam(1, {3, 4}, 9, 0, 1, 0)->ToString(), u"point(3, 4)  modifiers: 0x00000009");
  EXPECT_EQ(MakePointWithModifiersParam({-1, 2}, 0x40, 0)->ToString(), u"point(-1, 2)  modifiers: 0x00000040");
  EXPECT_EQ(LPointParam(5, 6).ToString(), u"point(5, 6)");
  EXPECT_EQ(MakeValueParam(0.25, 50)->ToString(), u"ValueParam = 0.250000");
  EXPECT_EQ(MakeConditionsParam(0, 1, {1.5, -2})->ToString(), u"(1.5, -2)");
  EXPECT_EQ(MakeKeyParam(KeyCode(0x21530000, 0x04, 0), 1)->ToString(), u"Ctrl+VKEY_S");
}

TEST(EventParamTest, ARecordReleasedAndMadeAgainReusesItsPoolBlock) {
  const LMouseButtonParam* first = MakeMouseButtonParam(4, {0, 0}, 0, 1, 4, 0).Get();
  const RCPtr<LMouseButtonParam> again = MakeMouseButtonParam(2, {1, 1}, 0, 0, 2, 0);
  EXPECT_EQ(again.Get(), first);
  EXPECT_EQ(again->button, 2);
  EXPECT_EQ(again->doubleClick, 0);
}

TEST(EventParamTest, KeyRecordsStartWithAnEmptyRouteAndNoSiblingAnswer) {
  const RCPtr<LKeyParam> key = MakeKeyParam(KeyCode{0x41, 0, 0}, 1);
  EXPECT_EQ(key->route.GetCount(), 0u);
  EXPECT_EQ(key->sourceFlag, 1);
  EXPECT_EQ(MakeSiblingKeyParam(KeyCode{}, nullptr)->result, -1);
}

}  // namespace
}  // namespace SV
