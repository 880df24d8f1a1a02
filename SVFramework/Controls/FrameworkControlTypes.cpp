#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/Controls/ListBoxItem.h"

namespace SV {

namespace {

// The framework's control classes in registration order, each listed once its widget
// exists. Class names are compared exactly, letter case included.
constexpr ControlTypeEntry kFrameworkControlTypes[] = {
    {u"Framework.OverlayButton", &LControlCreation::Create<LListBoxItem>},
    {u"Framework.ListBox", &LControlCreation::Create<LListBox>},
    {u"Framework.listboxNoScroll", &LControlCreation::Create<LListBox>},
    {u"Framework.ListBoxItem", &LControlCreation::Create<LListBoxItem>},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() {
  return std::span<const ControlTypeEntry>(kFrameworkControlTypes);
}

}  // namespace SV
