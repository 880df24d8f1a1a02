#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Button.h"
#include "SVFramework/Controls/CenteredSlider.h"
#include "SVFramework/Controls/CheckedComboBox.h"
#include "SVFramework/Controls/CheckedListBox.h"
#include "SVFramework/Controls/CheckedListBoxItem.h"
#include "SVFramework/Controls/ComboBox.h"
#include "SVFramework/Controls/ComboMenu.h"
#include "SVFramework/Controls/ComboSlider.h"
#include "SVFramework/Controls/FileDropper.h"
#include "SVFramework/Controls/Knob.h"
#include "SVFramework/Controls/Label.h"
#include "SVFramework/Controls/LevelMeter.h"
#include "SVFramework/Controls/ListBox.h"
#include "SVFramework/Controls/ListBoxItem.h"
#include "SVFramework/Controls/MainMenu.h"
#include "SVFramework/Controls/MenuListBoxItem.h"
#include "SVFramework/Controls/MultiColumnListBox.h"
#include "SVFramework/Controls/NumericUpDown.h"
#include "SVFramework/Controls/Panel.h"
#include "SVFramework/Controls/PopupMenu.h"
#include "SVFramework/Controls/ProgressBar.h"
#include "SVFramework/Controls/Scrollbar.h"
#include "SVFramework/Controls/Slider.h"
#include "SVFramework/Controls/SplitterH.h"
#include "SVFramework/Controls/SplitterV.h"
#include "SVFramework/Controls/StatusBar.h"
#include "SVFramework/Controls/TabControl.h"
#include "SVFramework/Controls/TextBox.h"
#include "SVFramework/Controls/ToolTip.h"
#include "SVFramework/Controls/TreeView.h"
#include "SVFramework/Controls/TreeViewItem.h"

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
    {u"Framework.CheckedListBox", &LControlCreation::Create<LCheckedListBox>},
    {u"Framework.CheckedListBoxItem", &LControlCreation::Create<LCheckedListBoxItem>},
    {u"Framework.ListBoxWithIcons", &LControlCreation::Create<LCheckedListBox>},
    {u"Framework.listbox2ColumnSortable", &LControlCreation::Create<LMultiColumnListBox>},
    {u"Framework.ScrollBar", &LControlCreation::Create<LScrollbar>},
    {u"Framework.ScrollChannel", &LControlCreation::Create<LPanel>},
    {u"Framework.ComboBox", &LControlCreation::Create<LComboBox>},
    {u"Framework.ComboTextBox", &LControlCreation::Create<LComboBox>},
    {u"Framework.CheckedComboBox", &LControlCreation::Create<LCheckedComboBox>},
    {u"Framework.ComboBoxWithIcons", &LControlCreation::Create<LCheckedComboBox>},
    {u"Framework.ComboSlider", &LControlCreation::Create<LComboSlider>},
    {u"Framework.ComboSlider.DropDownPanel", &LControlCreation::Create<LPanel>},
    {u"Framework.Slider", &LControlCreation::Create<LSlider>},
    {u"Framework.Knob", &LControlCreation::Create<LKnob>},
    {u"Framework.TabControl", &LControlCreation::Create<LTabControl>},
    {u"Framework.Label", &LControlCreation::Create<LLabel>},
    {u"Framework.TextBox", &LControlCreation::Create<LTextBox>},
    {u"Framework.NumericUpDown", &LControlCreation::Create<LNumericUpDown>},
    {u"Framework.Panel", &LControlCreation::Create<LPanel>},
    {u"Framework.ToolTip", &LControlCreation::Create<LToolTip>},
    {u"Framework.PopupMenu", &LControlCreation::Create<LPopupMenu>},
    {u"Framework.MenuItem", &LControlCreation::Create<LMenuListBoxItem>},
    {u"Framework.ComboMenu", &LControlCreation::Create<LComboMenu>},
    {u"Framework.MainMenu", &LControlCreation::Create<LMainMenu>},
    {u"Framework.FileDropper", &LControlCreation::Create<LFileDropper>},
    {u"Framework.StatusBar", &LControlCreation::Create<LStatusBar>},
    {u"Framework.SplitterH", &LControlCreation::Create<LSplitterH>},
    {u"Framework.SplitterV", &LControlCreation::Create<LSplitterV>},
    {u"Framework.LevelMeter", &LControlCreation::Create<LLevelMeter>},
    {u"Framework.ProgressBar", &LControlCreation::Create<LProgressBar>},
    {u"Framework.TreeView", &LControlCreation::Create<LTreeView>},
    {u"Framework.TreeViewItem", &LControlCreation::Create<LTreeViewItem>},
    {u"Framework.CenteredSlider", &LControlCreation::Create<LCenteredSlider>},
    {u"Framework.CenteredSliderBounds", &LControlCreation::Create<LPanel>},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() { return kFrameworkControlTypes; }

}  // namespace SV
