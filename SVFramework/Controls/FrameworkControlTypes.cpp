#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/ToolTip.h"

namespace SV {

namespace {

// The framework's control classes in registration order, each listed once its widget
// exists. Class names are compared exactly, letter case included.
constexpr ControlTypeEntry kFrameworkControlTypes[] = {
    {u"Framework.Button", &LControlCreation::Create<LButton>},
    {u"Framework.ToolTip", &LControlCreation::Create<LToolTip>},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() {
  return std::span<const ControlTypeEntry>(kFrameworkControlTypes);
}

}  // namespace SV
