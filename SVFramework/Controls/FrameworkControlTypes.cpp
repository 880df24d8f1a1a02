#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/FileDropper.h"
#include "SVFramework/Controls/Knob.h"
#include "SVFramework/Controls/LevelMeter.h"
#include "SVFramework/Controls/ProgressBar.h"
#include "SVFramework/Controls/SplitterH.h"
#include "SVFramework/Controls/SplitterV.h"
#include "SVFramework/Controls/StatusBar.h"

namespace SV {

namespace {

// The framework's control classes in registration order, each listed once its widget
// exists. Class names are compared exactly, letter case included.
constexpr ControlTypeEntry kFrameworkControlTypes[] = {
    {u"Framework.Knob", &LControlCreation::Create<LKnob>},
    {u"Framework.FileDropper", &LControlCreation::Create<LFileDropper>},
    {u"Framework.StatusBar", &LControlCreation::Create<LStatusBar>},
    {u"Framework.SplitterH", &LControlCreation::Create<LSplitterH>},
    {u"Framework.SplitterV", &LControlCreation::Create<LSplitterV>},
    {u"Framework.LevelMeter", &LControlCreation::Create<LLevelMeter>},
    {u"Framework.ProgressBar", &LControlCreation::Create<LProgressBar>},
};

}  // namespace

std::span<const ControlTypeEntry> GetFrameworkControlTypes() {
  return std::span<const ControlTypeEntry>(kFrameworkControlTypes);
}

}  // namespace SV
