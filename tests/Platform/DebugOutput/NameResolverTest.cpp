#include "Platform/DebugOutput/NameResolver.h"

#include <gtest/gtest.h>

namespace Platform::DebugOutput {
namespace {

TEST(NameResolver, ResolvesLocalNamesAndDottedAddressesToIPv4Text) {
  EXPECT_EQ(NameResolver::ResolveIPv4("localhost"), "127.0.0.1");
  EXPECT_EQ(NameResolver::ResolveIPv4("127.0.0.1"), "127.0.0.1");
  EXPECT_EQ(NameResolver::ResolveIPv4("10.1.2.3"), "10.1.2.3");
}

TEST(NameResolver, AnEmptyNameResolvesToNothing) {
  EXPECT_EQ(NameResolver::ResolveIPv4(""), "");
}

}  // namespace
}  // namespace Platform::DebugOutput
