#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Panel/UI/MidiManagerSource.h"
#include "SVFramework/Utilities/IniFileManager.h"
#include "tests/Panel/Engine/PresetEditorCommon/DeviceRoadFixture.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV::Testing {

// The settings service as far as the editor writes texts into it: records each one.
class RecordingSettings : public IIniFileManager {
public:
  struct Write {
    int32_t handle;
    std::u16string key, text;
  };
  SVRESULT Load(const String&) override { return E_FAIL; }
  SVRESULT Unload() override { return E_FAIL; }
  SVRESULT OpenIniFile(const String&, const String&, const String&, int32_t&) override { return E_FAIL; }
  SVRESULT WriteIniFile(int32_t) override { return E_FAIL; }
  bool DoesNodeExist(int32_t, const String&) override { return false; }
  SVRESULT CloseIniFile(int32_t, int32_t) override { return E_FAIL; }
  SVRESULT GetIniValueInt(int32_t, const String&, int32_t, int32_t&) override { return E_FAIL; }
  SVRESULT SetIniValueInt(int32_t, const String&, int32_t) override { return E_FAIL; }
  SVRESULT GetIniValueStr(int32_t, const String&, const String&, String&) override { return E_FAIL; }
  SVRESULT SetIniValueStr(int32_t handle, const String& key, const String& text) override {
    writes.push_back({handle, std::u16string(key.View()), std::u16string(text.View())});
    return S_OK;
  }
  SVRESULT GetKeyCount(int32_t, const String&, int32_t&) override { return E_FAIL; }
  SVRESULT GetKeyNameAt(int32_t, const String&, int32_t, String&) override { return E_FAIL; }
  SVRESULT GetArrayCount(int32_t, const String&, int32_t&) override { return E_FAIL; }
  SVRESULT SetArrayCount(int32_t, const String&, int32_t) override { return E_FAIL; }
  SVRESULT GetArrayItemAt(int32_t, const String&, int32_t, String&) override { return E_FAIL; }
  SVRESULT SetArrayItemAt(int32_t, const String&, int32_t, const String&) override { return E_FAIL; }
  SVRESULT RemoveArrayItemAt(int32_t, const String&, int32_t) override { return E_FAIL; }

  std::vector<Write> writes;
};

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
