#include "Panel/UI/ResourceFolderOption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace SV {
namespace {

struct OptionCase {
  const char* what;
  std::vector<const char*> arguments;
  const char* environment;
  std::string folder;
};

class ResourceFolderOptionTest : public ::testing::TestWithParam<OptionCase> {};

TEST_P(ResourceFolderOptionTest, TheCommandLineWinsOverTheEnvironmentWhichWinsOverTheBuiltInDocuments) {
  const OptionCase& option = GetParam();
  std::vector<const char*> argv = {"CorvexEditor"};
  argv.insert(argv.end(), option.arguments.begin(), option.arguments.end());
  EXPECT_EQ(ResourceFolderOption(static_cast<int>(argv.size()), argv.data(), option.environment), option.folder)
      << option.what;
}

INSTANTIATE_TEST_SUITE_P(
    Options, ResourceFolderOptionTest,
    ::testing::Values(OptionCase{"nothing given", {}, nullptr, "::"},
                      OptionCase{"an empty environment value", {}, "", "::"},
                      OptionCase{"the environment", {}, "/skins/", "/skins"},
                      OptionCase{"the option and its folder", {"--resources", "/a/b"}, "/skins", "/a/b"},
                      OptionCase{"the option with an equals sign", {"-DEBUG_CONSOLE", "--resources=/c/"}, nullptr, "/c"},
                      OptionCase{"the option without a folder", {"--resources"}, "/skins", "/skins"},
                      OptionCase{"the option with an empty folder", {"--resources", ""}, nullptr, "::"},
                      OptionCase{"an empty folder after the equals sign", {"--resources="}, nullptr, "::"},
                      OptionCase{"the root folder stays", {"--resources", "/"}, nullptr, "/"}));

}  // namespace
}  // namespace SV
