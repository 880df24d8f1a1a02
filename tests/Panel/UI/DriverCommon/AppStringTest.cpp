#include "Panel/UI/DriverCommon/AppString.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(AppStringTest, WithoutAnApplicationObjectEveryKeyReadsAsEmpty) {
  EXPECT_TRUE(GetAppString(u"LABEL_GET_PRESET_FAILED_MSGBOX_CAPTION").IsEmpty());
  EXPECT_TRUE(GetAppString(nullptr).IsEmpty());
}

}  // namespace
}  // namespace SV
