#pragma once
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamPayloads.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "Panel/UI/Application.h"
#include "Panel/UI/DriverCommon/MainControl.h"
#include "Panel/UI/PresetEditorCommon/CCParamHandler.h"
#include "Panel/UI/PresetEditorCommon/KeybedPanel.h"
#include "Panel/UI/PresetEditorCommon/MidiChannelsParamHandler.h"
#include "Panel/UI/PresetEditorCommon/VariantBufferSetterParameterPanel.h"
#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "tests/Panel/UI/EditorSkin.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV::Testing {

// The device module of the tests' editor tree: the parameter panels grouped into the
// keybed, the controller numbers and the two MIDI zones, as the editor's device view
// groups them (missing panels stay null).
class TestDeviceView : public LControl, public IDevice {
public:
  TestDeviceView(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

  SVRESULT Initialize() override {
    const SVRESULT initialized = LControl::Initialize();
    if (initialized < 0) return initialized;
    const RCPtr<LControl> wheels = FindChild(u"modPitchWheel"), midi = FindChild(u"midiUSB");
    const RCPtr<LControl> pedals[] = {FindChild(u"pedal1"), FindChild(u"pedal2"), FindChild(u"pedal3")};
    mCC = RCPtr<LCCParamHandler>(new LCCParamHandler(
        {Panel(wheels, u"cc"), Panel(pedals[0], u"cc"), Panel(pedals[1], u"cc"), Panel(pedals[2], u"cc")}));
    for (int zone = 0; zone < 2; ++zone) {
      const char16_t* port = zone == 0 ? u"portA" : u"portB";
      mZones[zone] = RCPtr<LMidiChannelsParamHandler>(new LMidiChannelsParamHandler(
          {Panel(midi, zone == 0 ? u"portAMidiChannel" : u"portBMidiChannel"),
           Panel(wheels, zone == 0 ? u"modWheelA" : u"modWheelB"), Panel(wheels, zone == 0 ? u"pitchWheelA" : u"pitchWheelB"),
           Panel(pedals[0], port), Panel(pedals[1], port), Panel(pedals[2], port),
           Panel(midi, zone == 0 ? u"midiDinPortA" : u"midiDinPortB"), Panel(midi, zone == 0 ? u"usbPortA" : u"usbPortB")}));
    }
    return initialized;
  }
  using IDevice::GetKeybed;
  RCPtr<IKeybed> GetKeybed() override { return RCPtr<IKeybed>(dynamic_cast<IKeybed*>(FindChild(u"keybed").Get())); }
  using IDevice::GetCCValues;
  RCPtr<ICCValues> GetCCValues() override { return RCPtr<ICCValues>(mCC.Get()); }
  using IDevice::GetMidiChannels;
  RCPtr<IMidiChannels> GetMidiChannels(int32_t zone) override {
    return zone == 0 || zone == 1 ? RCPtr<IMidiChannels>(mZones[zone].Get()) : RCPtr<IMidiChannels>();
  }

private:
  static RCPtr<LVariantBufferSetterParameterPanel> Panel(const RCPtr<LControl>& in, const char16_t* name) {
    return RCPtr<LVariantBufferSetterParameterPanel>(
        dynamic_cast<LVariantBufferSetterParameterPanel*>(in ? in->FindChild(name).Get() : nullptr));
  }

  RCPtr<LCCParamHandler> mCC;
  std::array<RCPtr<LMidiChannelsParamHandler>, 2> mZones;
};

// The engine as the editor makes it, but without the device-control library (so it is
// connected from the start and lists no devices).
class EngineWithoutLibrary : public LRootModuleEngine {
protected:
  RCPtr<LDeviceCommunicationInterface> CreateCommunicationInterface() override {
    return RCPtr<LDeviceCommunicationInterface>(
        new LDeviceCommunicationInterface(String(u"/nonexistent/libDeviceControlClient.so")));
  }
};

// The engine as the application owns it (without the device-control library, so
// connected from the start) and answers GetRootModuleEngine, on the "application" center.
class EditorEngine : public IRootModuleEngineOwner {
public:
  EditorEngine() : center(GetApplicationNotificationCenter()) {
    SetRootModuleEngineOwner(this);
    engine = RCPtr<LRootModuleEngine>(new EngineWithoutLibrary());
    engine->Initialize(0);
  }
  ~EditorEngine() override {
    engine.Reset();
    SetRootModuleEngineOwner(nullptr);
    center.Reset();
    LNotificationCenterManager::ReleaseInstance();
  }
  RCPtr<LRootModuleEngine> GetRootModuleEngine() const override { return engine; }

  // Delivers everything queued on the centers (several passes: routing may queue more).
  void Pump() {
    for (int pass = 0; pass < 4; ++pass) LNotificationCenterManager::GetInstance()->Process(false);
  }
  // The engine's byte for a ParamID; -1 when it holds no one-byte value.
  int32_t Byte(int32_t paramID) {
    Array<ParamValue> values;
    engine->GetParamValues(ParamRange{paramID, 1}, values, -1);
    uint32_t size = 0;
    const void* data = values.GetCount() == 1 ? values.GetAt(0).value.GetData(size) : nullptr;
    return size == 1 ? *static_cast<const uint8_t*>(data) : -1;
  }
  void SetByte(int32_t paramID, uint8_t byte) {
    ASSERT_GE(engine->SetParamValue(ParamDescriptor(paramID), OneByteValue::Make(byte)), 0);
  }
  // Posts a change as the engine announces one, without the engine's cache knowing it.
  void Announce(int32_t paramID, const Variant& value) {
    center->PostNotification(LMainControl::kStateChangeID,
                             RCPtr<LRefCountedObject>(new ParamChangePayload(ParamDescriptor(paramID), value)));
  }

  RCPtr<LNotificationCenter> center;
  RCPtr<LRootModuleEngine> engine;
};

// The editor's main window in the widget harness: the main control at the top, the
// tests' device view with every panel below it, the engine behind it; the engine's
// first announcement of every value is delivered before the test begins.
class EditorFixture : public ::testing::Test {
protected:
  static constexpr const char* kTestDeviceView = "Test.DeviceView";

  void SetUp() override { Build(); }
  void TearDown() override {
    if (harness.root) harness.root->Detach();
  }

  void Build(std::string_view leaveOut = {}) {
    harness.factory->RegisterControlCreateFunction(u"Test.DeviceView", &LControlCreation::Create<TestDeviceView>);
    LApplication::RegisterEditorControls(*harness.factory);
    harness.windowClass = "PresetEditor.MainControl";
    harness.Build(EditorSkin::DeviceView(kTestDeviceView, leaveOut), EditorSkin::Resources(), EditorSkin::Strings());
    mainControl = RCPtr<LMainControl>(dynamic_cast<LMainControl*>(harness.root.Get()));
    ASSERT_TRUE(mainControl);
    engine.Pump();
  }

  // The control at a path of names below the device view.
  RCPtr<LControl> At(std::initializer_list<const char16_t*> path) {
    RCPtr<LControl> control = harness.Find(u"viewDevice");
    for (const char16_t* name : path) control = control ? control->FindChild(name) : RCPtr<LControl>();
    return control;
  }
  RCPtr<LVariantBufferSetterParameterPanel> Panel(std::initializer_list<const char16_t*> path) {
    return RCPtr<LVariantBufferSetterParameterPanel>(dynamic_cast<LVariantBufferSetterParameterPanel*>(At(path).Get()));
  }
  // The value a panel's widget shows, in the widget's own range (whole numbers: a
  // position reads back a hair off its value).
  static double Shown(const RCPtr<LVariantBufferSetterParameterPanel>& panel) {
    const RCPtr<LControl> widget = panel->FindChild(LVariantBufferSetterParameterPanel::kWidgetName);
    return widget ? std::round(widget->NormalizedToValue(widget->GetNormalizedValue())) : -1000;
  }

  EditorEngine engine;
  WidgetHarness harness;
  RCPtr<LMainControl> mainControl;
};

}  // namespace SV::Testing
