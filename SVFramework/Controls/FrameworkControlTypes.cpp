#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/Label.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/Controls/ListBoxItem.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "SVFramework/Controls/ToolTip.h"

namespace SV {

namespace {

// The framework's control classes in registration order, each listed once its widget
// exists. Class names are compared exactly, letter case included.
constexpr ControlTypeEntry kFrameworkControlTypes[] = {
    {u"Framework.Button", &LControlCreation::Create<LButton>},
    {u"Framework.OverlayButton", &LControlCreation::Create<LListBoxItem>},
    {u"Framework.ListBox", &LControlCreation::Create<LListBox>},
    {u"Framework.listboxNoScroll", &LControlCreation::Create<LListBox>},
    {u"Framework.ListBoxItem", &LControlCreation::Create<LListBoxItem>},
    {u"Framework.ScrollBar", &LControlCreation::Create<LScrollbar>},
    {u"Framework.ScrollChannel", &LControlCreation::Create<LPanel>},
    {u"Framework.ComboSlider.DropDownPanel", &LControlCreation::Create<LPanel>},
    {u"Framework.Label", &LControlCreation::Create<LLabel>},
    {u"Framework.Panel", &LControlCreation::Create<LPanel>},
    {u"Framework.ToolTip", &LControlCreation::Create<LToolTip>},
    {u"Framework.CenteredSliderBounds", &LControlCreation::Create<LPanel>},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() { return kFrameworkControlTypes; }

}  // namespace SV
