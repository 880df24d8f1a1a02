#include "Panel/UI/EditorControlTypes.h"

#include "Panel/UI/Application.h"
#include "Panel/UI/DriverCommon/MainControl.h"
#include "Panel/UI/PresetEditorCommon/KeybedPanel.h"
#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/Controls/Dialog.h"
#include "SVFramework/Controls/Panel.h"

namespace SV {
namespace {

// Creators of the classes whose controls are still to come: plain containers until
// then, so that skins naming them build. Each becomes Create<TheClass> when it lands.
constexpr LControlCreateFunction kCreateAboutDialog = &LControlCreation::Create<LDialog>;
constexpr LControlCreateFunction kCreateDeviceView = &LControlCreation::Create<LPanel>;
constexpr LControlCreateFunction kCreateGlobalSettingsDialog = &LControlCreation::Create<LDialog>;

constexpr LControlCreateFunction kCreateParameterPanel = &LControlCreation::Create<LVariantBufferSetterParameterPanel>;

constexpr ControlTypeEntry kEditorControlTypes[] = {
    {u"PresetEditor.MainControl", &LControlCreation::Create<LMainControl>},
    {u"PresetEditor.DialogAbout", kCreateAboutDialog},
    {u"PresetEditor.MainControl.DeviceView", kCreateDeviceView},
    {u"PresetEditor.Keybed", &LControlCreation::Create<LKeybedPanel>},
    {u"PresetEditor.Pedal", &LApplication::CreatePanel},
    {u"PresetEditor.MidiUSB", &LApplication::CreatePanel},
    {u"PresetEditor.ModPitchWheel", &LApplication::CreatePanel},
    {u"PresetEditor.MainControl.DeviceView.ControllerBody", &LApplication::CreateControllerBody},
    {u"PresetEditor.ParameterControl.CCValuePanel", kCreateParameterPanel},
    {u"PresetEditor.ParameterControl.BasicNumericControl", kCreateParameterPanel},
    {u"PresetEditor.ParameterControl.ToggleButton", kCreateParameterPanel},
    {u"PresetEditor.ParameterControl.MidiChannel", kCreateParameterPanel},
    {u"PresetEditor.GlobalSettings", kCreateGlobalSettingsDialog},
};

}  // namespace

std::span<const ControlTypeEntry> GetEditorControlTypes() { return kEditorControlTypes; }

}  // namespace SV
