#include "Panel/UI/ResourceFolderOption.h"

#include <string_view>

namespace SV {
namespace {

constexpr std::string_view kOption = "--resources";
constexpr const char* kBuiltIn = "::";

std::string WithoutTrailingSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

}  // namespace

std::string ResourceFolderOption(int argc, const char* const* argv, const char* environmentValue) {
  for (int index = 1; index < argc; ++index) {
    const std::string_view argument = argv[index] ? argv[index] : "";
    if (argument == kOption && index + 1 < argc && argv[index + 1] && *argv[index + 1])
      return WithoutTrailingSlash(argv[index + 1]);
    if (argument.size() > kOption.size() + 1 && argument.starts_with(kOption) && argument[kOption.size()] == '=')
      return WithoutTrailingSlash(std::string(argument.substr(kOption.size() + 1)));
  }
  if (environmentValue && *environmentValue) return WithoutTrailingSlash(environmentValue);
  return kBuiltIn;
}

}  // namespace SV
