#include "SVFramework/Application/ControlTypeRegistration.h"

namespace SV {

namespace {

// The framework's control classes in registration order, each listed once its widget
// exists. Class names are compared exactly, letter case included.
constexpr ControlTypeEntry kFrameworkControlTypes[] = {
    {nullptr, nullptr},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() {
  // The placeholder row keeps the array non-empty until the first widget lands.
  return std::span<const ControlTypeEntry>(kFrameworkControlTypes).first(0);
}

}  // namespace SV
