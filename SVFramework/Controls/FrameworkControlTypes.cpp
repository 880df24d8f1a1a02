#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Slider.h"

namespace SV {

namespace {

// The framework's control classes in registration order, each listed once its widget
// exists. Class names are compared exactly, letter case included.
constexpr ControlTypeEntry kFrameworkControlTypes[] = {
    {u"Framework.Slider", &LControlCreation::Create<LSlider>},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() { return kFrameworkControlTypes; }

}  // namespace SV
