#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/NumericUpDown.h"
#include "SVFramework/Controls/TextBox.h"

namespace SV {

namespace {

// The framework's control classes in registration order, each listed once its widget
// exists. Class names are compared exactly, letter case included.
constexpr ControlTypeEntry kFrameworkControlTypes[] = {
    {u"Framework.TextBox", &LControlCreation::Create<LTextBox>},
    {u"Framework.NumericUpDown", &LControlCreation::Create<LNumericUpDown>},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() {
  return std::span<const ControlTypeEntry>(kFrameworkControlTypes);
}

}  // namespace SV
