#pragma once
#include <cstdint>

// The framework's headers come first: the device side's declare an SV::Platform that
// would hide the platform layer's namespace from them.
#include "SVFramework/Application/ApplicationBase.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleEngine.h"
#include "Panel/Engine/PresetEditorCommon/MidiManager.h"
#include "Panel/UI/MidiManagerSource.h"

namespace SV {

class LControlFactory;

// The editor's one application object. On top of the framework's services it names the
// settings version, the settings files and the main window's root control, adds the two
// drop cursors, maps the document-like folders onto the documents folder, registers the
// editor's 13 control classes, creates and starts the device side (the MIDI manager and
// the engine, reached by the rest of the editor only through this object) and picks the
// skin by the screen's resolution. While it lives it answers GetRootModuleEngine.
// UI thread only; the device side's threads reach the editor only through notifications.
class LApplication : public LApplicationBase<LApplication>, public IRootModuleEngineOwner, public IMidiManagerSource {
public:
  // Skins are picked by this screen resolution (pixels per logical inch) and above as
  // high resolution, when the skin file holds exactly two skins.
  static constexpr double kHighResolutionDotsPerInch = 160;
  static constexpr int32_t kHighResolutionSkin = 0;
  static constexpr int32_t kStandardResolutionSkin = 1;
  // The platform cursor ids of the two drop cursors (the program's own images).
  static constexpr int32_t kDropMoveCursor = 102;
  static constexpr int32_t kDropCopyCursor = 103;

  LApplication(const RCPtr<LControlFactory>& factory, const RCPtr<LStringTable>& frameworkStrings,
               const String& commandLine);
  ~LApplication() override;

  // "1_0_0".
  String GetSettingsVersion() override;
  // "mainControl".
  String GetMainControlName() override;
  // The drop cursors for "UI_CURSOR_DROP_MOVE" and "UI_CURSOR_DROP_COPY"; 0 (no cursor)
  // for the split, rotate and magnifier names; the framework's answer otherwise.
  int32_t LoadCursor(const String& name) override;
  // Folders 5 and 6 are folder 4 (the user's documents); the base answers the rest.
  String GetFolder(int32_t folderId) override;
  // 0: "AppSettings.ini" in folder 2; 1: "UserSettings.ini" in folder 3. Each is opened
  // once per run; 0 for any other id or when the file did not open (tried again later).
  int32_t OpenSettingsFile(int32_t fileId) override;
  // 1, the raster renderer.
  int32_t GetRendererType() override { return 1; }
  // The framework's start-up, the "GHK_WIN" hot keys, the editor's control classes and
  // the engine (first ParamID 0), then the skin by screen resolution. A failure of the
  // first two steps is returned and nothing after runs. The MIDI manager (polling on)
  // is due from then on: it is made by the first idle pass after the main window
  // presented a frame, so that opening the MIDI ports (reaching a JACK server maps
  // its shared memory and walks its ports) never delays the first frame, or at once
  // when GetMidiManager asks for it earlier. Exceptions of the device side pass out of
  // whichever of them makes it.
  SVRESULT Initialize() override;
  // An exit request is never refused.
  bool CanExit() override { return true; }
  // Drops the device side (a MIDI manager not made yet is made no more), then the
  // framework's shut-down.
  SVRESULT Shutdown() override;
  // The framework's idle pass; then the due MIDI manager once the main window has
  // presented a frame.
  bool Idle(bool firstAfterMessage) override;

  // A new reference to the MIDI manager, made now when it is due; null before
  // Initialize and after Shutdown.
  RCPtr<LMidiManager> GetMidiManager() override;
  // A new reference to the engine; null before Initialize.
  RCPtr<LRootModuleEngine> GetRootModuleEngine() const override { return mEngine; }

  // The editor's control classes with the factory, in their fixed order; results ignored.
  static void RegisterEditorControls(LControlFactory& factory);
  // The creators of the plain panel and label classes.
  static RCPtr<LControl>& CreatePanel(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor);
  static RCPtr<LControl>& CreateControllerBody(RCPtr<LControl>& out, const RCPtr<LControl>& parent,
                                               const RCPtr<LControlDescriptor>& descriptor);

  // The skin index for a screen resolution: standard below 160, high from 160 on.
  static int32_t SkinForDotsPerInch(double dotsPerInch);

protected:
  // The device side as Initialize makes it; tests give their own MIDI services first.
  virtual RCPtr<LMidiManager> CreateMidiManager();
  virtual RCPtr<LRootModuleEngine> CreateEngine();
  // The screen's horizontal pixels per logical inch.
  virtual double GetScreenDotsPerInch();

private:
  SVRESULT LoadEditorHotKeys();
  void StartEngine();
  void StartMidiManagerIfDue();
  bool HasMainWindowPresented();
  void ChooseSkinByResolution();

  RCPtr<LRootModuleEngine> mEngine;
  int32_t mApplicationSettings = 0;
  int32_t mUserSettings = 0;
  RCPtr<LMidiManager> mMidiManager;
  bool mMidiManagerDue = false;
};

// The editor's application object; null when the application object is another.
LApplication* GetEditorApplication();

}  // namespace SV
