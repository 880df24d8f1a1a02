#include "Panel/UI/EditorControlTypes.h"

#include "Panel/UI/AboutDlg.h"
#include "Panel/UI/Application.h"
#include "Panel/UI/DeviceView.h"
#include "Panel/UI/DriverCommon/MainControl.h"
#include "Panel/UI/GlobalSettingsDlg.h"
#include "Panel/UI/PresetEditorCommon/KeybedPanel.h"
#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"
#include "SVFramework/ControlBase/ControlCreation.h"

namespace SV {
namespace {

constexpr LControlCreateFunction kCreateParameterPanel = &LControlCreation::Create<LVariantBufferSetterParameterPanel>;

constexpr ControlTypeEntry kEditorControlTypes[] = {
    {u"PresetEditor.MainControl", &LControlCreation::Create<LMainControl>},
    {u"PresetEditor.DialogAbout", &LAboutDlg::Create},
    {u"PresetEditor.MainControl.DeviceView", &LDeviceView::Create},
    {u"PresetEditor.Keybed", &LControlCreation::Create<LKeybedPanel>},
    {u"PresetEditor.Pedal", &LApplication::CreatePanel},
    {u"PresetEditor.MidiUSB", &LApplication::CreatePanel},
    {u"PresetEditor.ModPitchWheel", &LApplication::CreatePanel},
    {u"PresetEditor.MainControl.DeviceView.ControllerBody", &LApplication::CreateControllerBody},
    {u"PresetEditor.ParameterControl.CCValuePanel", kCreateParameterPanel},
    {u"PresetEditor.ParameterControl.BasicNumericControl", kCreateParameterPanel},
    {u"PresetEditor.ParameterControl.ToggleButton", kCreateParameterPanel},
    {u"PresetEditor.ParameterControl.MidiChannel", kCreateParameterPanel},
    {u"PresetEditor.GlobalSettings", &LGlobalSettingsDlg::Create},
};

}  // namespace

std::span<const ControlTypeEntry> GetEditorControlTypes() { return kEditorControlTypes; }

}  // namespace SV
