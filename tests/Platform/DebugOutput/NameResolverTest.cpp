#include "Platform/DebugOutput/NameResolver.h"

#include <gtest/gtest.h>
#include <sys/utsname.h>

#include <cstring>

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

TEST(NameResolver, TheOwnHostNameIsTheMachinesNodeName) {
  utsname system{};
  ASSERT_EQ(uname(&system), 0);
  const std::string nodeName = system.nodename;
  EXPECT_EQ(NameResolver::OwnHostName(), nodeName.size() < 64 ? nodeName : std::string());
}

}  // namespace
}  // namespace Platform::DebugOutput
