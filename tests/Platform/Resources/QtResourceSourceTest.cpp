#include "Platform/Resources/QtResourceSource.h"

#include <gtest/gtest.h>

#include <string>

namespace Platform::Resources {
namespace {

TEST(QtResourceSource, ReadsTheResourceOfATypeAndNameFromTheProgram) {
  const QtResourceSource resources;
  std::string bytes;
  ASSERT_TRUE(resources.Read("SVXML", "APP_SKINS", bytes));
  EXPECT_EQ(bytes, "<Root><Skin Name=\"s\"/></Root>\n");
}

TEST(QtResourceSource, AMissingResourceLeavesTheBytesAlone) {
  const QtResourceSource resources;
  std::string bytes = "kept";
  EXPECT_FALSE(resources.Read("SVXML", "APP_STRINGS", bytes));
  EXPECT_FALSE(resources.Read("GDIPLUS", "APP_SKINS", bytes));
  EXPECT_EQ(bytes, "kept");
}

}  // namespace
}  // namespace Platform::Resources
