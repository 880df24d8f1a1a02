#include "Platform/System/KnownFolders.h"

#include <gtest/gtest.h>

#include "tests/Support/ScopedEnvironment.h"

namespace Platform::System {
namespace {

TEST(KnownFolders, FollowTheXdgVariablesOrFallBackUnderHome) {
  struct Case {
    const char* home;
    const char* xdgConfig;
    const char* xdgData;
    const char* config;
    const char* data;
    const char* what;
  };
  const Case cases[] = {
      {"/users/ann", nullptr, nullptr, "/users/ann/.config", "/users/ann/.local/share", "defaults under home"},
      {"/users/ann/", nullptr, nullptr, "/users/ann/.config", "/users/ann/.local/share", "home with a slash"},
      {"/users/ann", "/opt/conf", "/opt/data/", "/opt/conf", "/opt/data", "XDG variables win"},
      {"/users/ann", "relative/conf", "", "/users/ann/.config", "/users/ann/.local/share",
       "relative or empty XDG values are ignored"},
      {nullptr, nullptr, nullptr, "", "", "no home: the lookup fails"},
      {"relative", nullptr, nullptr, "", "", "a relative home fails"},
      {"/", nullptr, nullptr, "", "", "the root as home fails"},
      {"/users/ann", "/", "//", "/users/ann/.config", "/users/ann/.local/share", "the root as XDG value is ignored"},
  };
  for (const Case& c : cases) {
    SV::Testing::ScopedEnvironment environment;
    environment.Set("HOME", c.home);
    environment.Set("XDG_CONFIG_HOME", c.xdgConfig);
    environment.Set("XDG_DATA_HOME", c.xdgData);
    EXPECT_EQ(KnownFolders::UserConfigFolder(), c.config) << c.what;
    EXPECT_EQ(KnownFolders::UserDataFolder(), c.data) << c.what;
  }
}

}  // namespace
}  // namespace Platform::System
