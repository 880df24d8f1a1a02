#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Panel/UI/MidiManagerSource.h"
#include "tests/Panel/Engine/PresetEditorCommon/DeviceRoadFixture.h"
#include "tests/Panel/UI/RecordingSettings.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV::Testing {

// The application object as the editor's dialogs and commands reach it: the widget
// harness's application with the editor's MIDI manager, a program folder of the test's
// choice and settings files (handle 10 + id) whose written texts are recorded.
class EditorTestApplication : public WidgetApplication, public IMidiManagerSource {
public:
  RCPtr<LMidiManager> GetMidiManager() override { return midiManager; }
  String GetFolder(int32_t folderId) override { return folderId == 0 ? programFolder : String(); }
  int32_t OpenSettingsFile(int32_t fileId) override { return 10 + fileId; }
  IIniFileManager* GetIniFileManager() override { return &settings; }

  RCPtr<LMidiManager> midiManager;
  String programFolder;
  RecordingSettings settings;
};

// The editor's widgets over the whole device road: a widget harness whose application
// offers the MIDI manager of a device road on the fake backend, with the simulated
// controller plugged in (unless a test unplugs it). The test thread is the UI thread.
class EditorDeviceTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(road.Start(error)) << error;
    application->midiManager = road.mManager;
  }
  void TearDown() override { application->midiManager = nullptr; }

  SimulatedController& Controller() { return *road.mController; }
  LMidiManager& Manager() { return *road.mManager; }

  // Waits until the controller has received `count` messages in all; whether it did.
  bool ControllerReceived(size_t count) { return road.mController->WaitForReceived(count); }

  DeviceRoad road{Wire::Fake};
  EditorTestApplication* application = new EditorTestApplication;  // owned by the harness
  WidgetHarness harness{std::unique_ptr<WidgetApplication>(application)};
};

}  // namespace SV::Testing
