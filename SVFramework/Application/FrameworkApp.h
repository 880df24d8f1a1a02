#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationClient.h"

namespace SV {

class IIniFileManager;
class LClipboard;
class LControl;
class LControlFactory;
class LGlobalHotKeyManager;
class LMeasurementRenderer;
class LRootWindow;
class LStatusBar;
class LStringTable;

// The one application object of the process and the services every other part calls
// through the global pointer: time, folders, settings, cursors, key and mouse state,
// message boxes, modal and modeless windows, skins, the renderer, the idle pass and
// the exit request. The platform half (LApplicationBase) and the program's own class
// derive from it. Everything runs on the UI thread; other threads post to the
// "application" notification center instead of calling it.
class LFrameworkApp : public LNotificationClient {
public:
  // The members in their listed order; the object becomes the global application.
  LFrameworkApp(const RCPtr<LControlFactory>& factory, const RCPtr<LStringTable>& frameworkStrings,
                const NarrowString& commandLine);
  // Leaves every distributor, releases the notification-center manager, switches
  // notification recycling off and clears the global pointer, then the members go in
  // reverse order.
  ~LFrameworkApp() override;
  LFrameworkApp(const LFrameworkApp&) = delete;
  LFrameworkApp& operator=(const LFrameworkApp&) = delete;

  // Acts on "NID_APP_EXIT_REQ" only (see AcceptExit); returns 1.
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override;

  // Hooks with the command line before and after Initialize and with a later
  // instance's command line; 0 here.
  virtual SVRESULT OnCommandLine(const String& commandLine);
  virtual SVRESULT OnCommandLineInitialized(const String& commandLine);
  virtual SVRESULT OnSecondInstance(const String& commandLine);
  // The run step: redraws window 0, one idle pass, the message loop (an exception
  // escaping it shows the start-up error box and posts an exit request), a last idle
  // pass whose answer it returns.
  virtual bool Run();
  virtual bool IsExiting() const { return mExiting; }

  virtual String GetCompanyName() { return String(); }
  virtual String GetProductName() { return String(); }
  virtual String GetProductVersion() { return String(); }
  virtual String GetSettingsVersion() = 0;
  virtual String GetApplicationName() { return GetProductName(); }
  virtual String GetMainControlName() = 0;
  // The platform cursor id of a "UI_CURSOR_" name; 0 here.
  virtual int32_t LoadCursor(const String& name) { return 0; }
  // The status bar that made itself known (RegisterStatusBar); null when none did.
  virtual LStatusBar* GetStatusBar();
  virtual int32_t GetLanguageID() { return 0; }
  // The platform's icon-title font: face, size in points and style bits (bold 1,
  // italic 2, underline 4, strikeout 8); E_FAIL here.
  virtual SVRESULT GetSystemFont(String& face, float& size, int32_t& style);
  virtual RectT<int32_t> GetWorkArea() { return {}; }
  virtual String GetFolder(int32_t folderId) { return String(); }
  // The application's font: the current skin's font over the system font, the base
  // font of controls that do not take their parent's; null before a skin is applied.
  virtual RCPtr<LFont> GetDefaultFont() { return mDefaultFont; }
  // The renderer of root window 0 for measuring; null without root windows.
  virtual RCPtr<LMeasurementRenderer> GetRenderer();
  // "CurrentSkinIndex" of settings file 1; 0 without it.
  virtual int32_t GetCurrentSkinIndex();
  // Takes the system font (a failure raises and changes nothing), makes the index the
  // factory's current skin and its font the default font, re-applies the skin to every
  // root window and stores the index in settings file 1.
  virtual SVRESULT SetSkin(int32_t skinIndex);
  // The application clock in seconds, the time base of scroll animations; by default
  // the tick count in seconds.
  virtual double GetTime() { return GetTickCount() / 1000.0; }
  // A millisecond count that wraps at 32 bits: the time base of cache purges and clicks.
  virtual uint32_t GetTickCount() { return 0; }
  virtual SVRESULT GetSystemTime(int32_t (&fields)[8]) { return E_NOTIMPL; }
  virtual SVRESULT GetKeyState(int32_t virtualKey, bool& down, bool& toggled);
  // A modal message box owned by the active root window; the button pressed, 0 here.
  virtual int32_t MessageBox(const String& text, const String& caption, uint32_t style) { return 0; }
  // The window's index (also when it was listed already).
  virtual int32_t AddRootWindow(const RCPtr<LRootWindow>& window);
  // 0 removed; -1 for a window that is not listed.
  virtual SVRESULT RemoveRootWindow(const RCPtr<LRootWindow>& window);
  virtual IIniFileManager* GetSettings() { return GetIniFileManager(); }
  virtual IIniFileManager* GetIniFileManager() { return nullptr; }
  // The settings files OpenSettingsFile opens.
  static constexpr int32_t kApplicationSettingsFile = 0;
  static constexpr int32_t kUserSettingsFile = 1;
  // Opens settings file 0 (application) or 1 (user) once; 0 when not open.
  virtual int32_t OpenSettingsFile(int32_t fileId) = 0;
  virtual RCPtr<LControl>& CreateControl(RCPtr<LControl>& out, const String& name);
  virtual int32_t DoModal(const RCPtr<LControl>& control, bool systemMenu) { return E_FAIL; }
  virtual int32_t ShowModeless(const RCPtr<LControl>& control, bool systemMenu, bool minimizeBox, bool maximizeBox) {
    return E_FAIL;
  }
  virtual int32_t ShowCursor(bool show) { return 0; }
  virtual SVRESULT SetCursorPos(int32_t x, int32_t y) { return E_NOTIMPL; }
  // Screen coordinates: the active root window's pointer, else the platform's.
  virtual PointT<int32_t> GetCursorPos();
  // 1 left, 2 middle, 4 right: the active root window's, else the platform's.
  virtual int32_t GetMouseButtons();
  // One idle pass: the notification centers, then every root window from the last to
  // the first (all of them run). True while work is left.
  virtual bool Idle(bool firstAfterMessage);
  // Shows what changed meanwhile before the UI thread blocks again (say, in a message
  // box that reports the change): delivers what the "application" center has queued
  // (unless it is being delivered already, further up the stack) and paints every root
  // window's pending region at once.
  void ShowPendingChangesNow();
  virtual int32_t GetRendererType() = 0;
  virtual int32_t OnPowerBroadcast(uint32_t event, uintptr_t data) { return 1; }
  virtual SVRESULT CreateMainWindow(int32_t rendererType) { return E_NOTIMPL; }
  // Start-up of the application object: RunApplicationStartup here.
  virtual SVRESULT Initialize();
  virtual void OnBeforeRun() {}
  // Runs the platform message loop until it ends.
  virtual void MessageLoop() = 0;
  // Releases the control factory, the global hot-key manager and the clipboard; 0.
  virtual SVRESULT Shutdown();

  // Notification recycling on, the framework's control classes registered, the "GHK"
  // hot keys loaded, the clipboard initialised and the stored skin applied (clamped to
  // the skins there are). E_FAIL when a step raised; nothing after it runs.
  SVRESULT RunApplicationStartup();
  // The last root window whose OS window is active; null when none is.
  RCPtr<LRootWindow> GetActiveRootWindow() const;
  // Index searched from the last; -1 when absent.
  virtual int32_t FindRootWindowIndex(const LRootWindow* window) const;
  virtual uint32_t GetRootWindowCount() const { return mRootWindows.GetCount(); }
  // Null for an index outside the list.
  virtual RCPtr<LRootWindow> GetRootWindow(uint32_t index) const;
  // The status bar shows the text at once (immediate) or at its next idle pass; the
  // bar's result. E_FAIL without root window 0 or without a status bar.
  SVRESULT SetStatusText(const String& text, bool immediate);
  // The same with the status bar's default text.
  SVRESULT ResetStatusText(bool immediate);

  const RCPtrArray<LRootWindow>& GetRootWindows() const { return mRootWindows; }
  const RCPtr<LControlFactory>& GetControlFactory() const { return mFactory; }
  const RCPtr<LStringTable>& GetFrameworkStringTable() const { return mFrameworkStrings; }
  const RCPtr<LStringTable>& GetApplicationStringTable() const { return mApplicationStrings; }
  // The application's global hot keys; null when it has none.
  virtual LGlobalHotKeyManager* GetGlobalHotKeyManager() { return mHotKeys.Get(); }
  const RCPtr<LClipboard>& GetClipboard() const { return mClipboard; }
  const NarrowString& GetCommandLine() const { return mCommandLine; }

protected:
  // For stand-ins that offer only some services: no factory, string tables, hot keys
  // or clipboard; the object does not become the global application.
  LFrameworkApp();
  // For stand-ins: the clipboard object that edit requests and widgets use.
  void SetClipboard(const RCPtr<LClipboard>& clipboard);
  // For stand-ins: the framework string table (edit-menu labels and the like).
  void SetFrameworkStringTable(const RCPtr<LStringTable>& strings);
  // For stand-ins: the application string table (message-box texts and the like).
  void SetApplicationStringTable(const RCPtr<LStringTable>& strings);

  // The exit request once the application agreed: sets the exiting flag, asks every
  // root window but the main one to close (last first), then ends the run (EndRun).
  void AcceptExit();
  // Whether an exit request is accepted; true here.
  virtual bool CanAcceptExit() { return true; }
  // Ends the message loop after an accepted exit: the platform half closes the main
  // window and quits the loop. Nothing here.
  virtual void EndRun() {}
  // The text of a framework string-table entry, or `fallback` without one.
  String GetFrameworkString(const char16_t* key, const char16_t* fallback) const;
  // Shows the start-up error box with the framework string table's texts.
  void ShowStartupError();

private:
  void ReapplySkin(const RCPtr<LRootWindow>& window);
  void StoreSkinIndex(int32_t skinIndex);

  RCPtr<LControlFactory> mFactory;
  NarrowString mCommandLine;
  RCPtrArray<LRootWindow> mRootWindows;
  RCPtr<LStringTable> mFrameworkStrings;
  RCPtr<LStringTable> mApplicationStrings;
  bool mExiting = false;
  RCPtr<LFont> mDefaultFont;
  RCPtr<LGlobalHotKeyManager> mHotKeys;
  RCPtr<LClipboard> mClipboard;
  bool mGlobalApplication = false;
};

// The application object; null before one is set. Set before any renderer or control is made.
LFrameworkApp* GetFrameworkApp();
void SetFrameworkApp(LFrameworkApp* application);

// The process-wide status bar register that GetStatusBar reads. A status bar registers
// itself when it is initialised (the latest one wins) and leaves when it goes; the
// register holds no reference. UI thread only.
void RegisterStatusBar(LStatusBar* statusBar);
// Clears the register when it holds `statusBar`.
void UnregisterStatusBar(LStatusBar* statusBar);

// The application's clocks as controls read them (the tick count as a signed 32-bit
// value that wraps); 0 without an application object.
int32_t GetApplicationTickCount();
double GetApplicationTime();

}  // namespace SV
