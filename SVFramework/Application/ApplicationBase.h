#pragma once
#include <cstdint>
#include <exception>
#include <string>

#include "Platform/Gui/GuiApplication.h"
#include "SVFramework/Application/ApplicationClock.h"
#include "SVFramework/Application/ApplicationFolders.h"
#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/OSWindowFactory.h"
#include "SVFramework/Application/PlatformApplication.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Application/Version.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/Utilities/IniFileManagerProxy.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {

// The platform half of the application object: version strings, folders, settings
// through the INI manager, the language, the system font, cursors by name, the clocks,
// message boxes, the main window and dialog windows (through the installed OS-window
// factory), the message loop (through the installed platform object), the exit request
// and the base steps of start-up and shut-down. LApplication, the program's own class,
// derives from it and answers CanExit and the operations LFrameworkApp leaves pure.
// While it lives it is the process's cursor-name table. UI thread only.
template <class LApplication>
class LApplicationBase : public LFrameworkApp, public ICursorNames {
public:
  LApplicationBase(const RCPtr<LControlFactory>& factory, const RCPtr<LStringTable>& frameworkStrings,
                   const String& commandLine, ApplicationClock::TickSource ticks = &ApplicationClock::MonotonicTicks)
      : LFrameworkApp(factory, frameworkStrings, commandLine.ToUTF8()), mClock(ticks), mIniFileManager(new LIniFileManager) {
    mIniFileManager->Load(String());
    SetCursorNames(this);
  }
  ~LApplicationBase() override {
    if (GetCursorNames() == this) SetCursorNames(nullptr);
    mIniFileManager->Unload();
    mIniFileManager.Reset();
  }

  // Whether an exit request is accepted.
  virtual bool CanExit() = 0;

  String GetCompanyName() override { return Version().GetCompanyName(); }
  String GetProductName() override { return Version().GetProductName(); }
  String GetProductVersion() override { return Version().GetProductVersion(); }
  int32_t LoadCursor(const String& name) override { return FrameworkCursorForName(name); }
  int32_t GetCursorByName(const String& name) override { return LoadCursor(name); }
  int32_t GetLanguageID() override {
    IPlatformApplication* const platform = GetPlatformApplication();
    return platform ? platform->GetLanguageID() : 0;
  }
  SVRESULT GetSystemFont(String& face, float& size, int32_t& style) override {
    std::u16string platformFace;
    int platformStyle = 0;
    if (!::Platform::Gui::GetSystemFont(platformFace, size, platformStyle)) return LFrameworkApp::GetSystemFont(face, size, style);
    face = String(platformFace.c_str());
    style = platformStyle;
    return S_OK;
  }
  String GetFolder(int32_t folderId) override {
    return GetApplicationFolder(folderId, GetCompanyName(), GetProductName());
  }
  double GetTime() override { return mClock.GetTime(); }
  uint32_t GetTickCount() override { return mClock.GetTickCount(); }
  IIniFileManager* GetIniFileManager() override { return mIniFileManager.Get(); }

  int32_t MessageBox(const String& text, const String& caption, uint32_t style) override {
    IPlatformApplication* const platform = GetPlatformApplication();
    return platform ? platform->ShowMessageBox(text, caption, style, MessageBoxOwner()) : 0;
  }

  SVRESULT CreateMainWindow(int32_t rendererType) override {
    const RCPtr<LControlDescriptor> descriptor =
        GetControlFactory() ? GetControlFactory()->FindControlDescriptor(GetMainControlName()) : nullptr;
    if (!descriptor) SV_RAISE_NULL_POINTER("Invalid Control Name", "SV::LApplicationBase::CreateMainWindow");
    IOSWindowFactory* const windows = GetOSWindowFactory();
    if (!windows) return E_FAIL;
    return windows->CreateMainWindow(*this, {GetCompanyName(), descriptor, rendererType});
  }
  int32_t DoModal(const RCPtr<LControl>& control, bool systemMenu) override {
    const int32_t index = CreateDialogWindow({control, false, systemMenu, false, false});
    if (index < 0) return E_FAIL;
    IWindowOSServices* const osWindow = RCPtr<LRootWindow>(GetRootWindows().GetAt(index))->GetOSWindow();
    return osWindow ? osWindow->RunModalLoop() : E_FAIL;
  }
  int32_t ShowModeless(const RCPtr<LControl>& control, bool systemMenu, bool minimizeBox, bool maximizeBox) override {
    const int32_t index = CreateDialogWindow({control, true, systemMenu, minimizeBox, maximizeBox});
    return index < 0 ? E_FAIL : index;
  }

  // The framework's start-up, then the exit request subscribed on the "application"
  // center and "Alt+VKEY_F4" bound to it unless the string tables bind that key.
  SVRESULT Initialize() override {
    if (RunApplicationStartup() < 0) return E_FAIL;
    Subscribe(RCPtr<LNotificationDistributor>(GetApplicationNotificationCenter()), kExitRequest);
    BindExitKey();
    return S_OK;
  }
  // Hosted mode: the main window is made for the host program's window, from the skin's
  // main control, titled with that control's "LABEL" text, and shown and painted.
  SVRESULT CreateHostedMainWindow(uintptr_t hostWindow) {
    const String name = GetMainControlName();
    const RCPtr<LControlDescriptor> descriptor = GetControlFactory() ? GetControlFactory()->FindControlDescriptor(name) : nullptr;
    if (!descriptor) SV_RAISE_NULL_POINTER("Invalid Control Name", "SV::LApplicationBase::CreateRootWindow");
    IOSWindowFactory* const windows = GetOSWindowFactory();
    if (!windows) return E_FAIL;
    String title;
    if (const RCPtr<LStringTable> strings = GetControlFactory()->GetStringTable(nullptr, name)) strings->GetString(u"LABEL", title);
    const SVRESULT created = windows->CreateHostedWindow(*this, {hostWindow, title, descriptor, GetRendererType()});
    if (created < 0) return created;
    const RCPtr<LRootWindow> main = GetRootWindow(0);
    const SVRESULT rooted = main->SetRootControl(name);
    if (rooted < 0) return rooted;
    if (IWindowOSServices* const osWindow = main->GetOSWindow()) {
      osWindow->Show(5);
      osWindow->RedrawNow();
    }
    return S_OK;
  }
  // Whether the application runs inside a host program's window.
  bool IsHosted() const {
    IPlatformApplication* const platform = GetPlatformApplication();
    return platform && platform->GetHostWindow() != 0;
  }

  // The platform's message loop; hosted, the modal loop of the main window, which ends
  // when that window closes. A failure kept while no loop ran, and that no loop picked
  // up since, leaves from here when the loop ends, as one that ended it would.
  void MessageLoop() override {
    IPlatformApplication* const platform = GetPlatformApplication();
    if (!platform) return;
    if (IsHosted()) {
      IWindowOSServices* const main = GetRootWindows().GetCount() > 0 ? RCPtr<LRootWindow>(GetRootWindows().GetAt(0))->GetOSWindow() : nullptr;
      if (main) main->RunModalLoop();
    } else {
      platform->RunMessageLoop();
    }
    if (const std::exception_ptr kept = platform->TakeKeptException()) std::rethrow_exception(kept);
  }

protected:
  bool CanAcceptExit() override { return CanExit(); }
  // After an accepted exit: the main window closes at the next idle pass (storing its
  // placement) and the message loop ends with 0; hosted, the main window's closing
  // ends its loop, and the host's own loop goes on.
  void EndRun() override {
    if (GetRootWindows().GetCount() > 0) RCPtr<LRootWindow>(GetRootWindows().GetAt(0))->RequestClose(0);
    if (IsHosted()) return;
    if (IPlatformApplication* const platform = GetPlatformApplication()) platform->QuitMessageLoop(0);
  }

  // Opens the settings file of that name in the folder of that id; 0 (no file, the
  // settings keep their defaults) when the folder cannot be found or the file not opened.
  int32_t OpenSettingsFileIn(int32_t folderId, const String& fileName) {
    const String path = PathInFolder(GetFolder(folderId), fileName);
    if (path.IsEmpty()) return 0;
    int32_t handle = 0;
    if (GetIniFileManager()->OpenIniFile(path, GetSettingsVersion(), GetProductName(), handle) < 0) return 0;
    return handle;
  }

private:
  static constexpr const char16_t* kExitRequest = u"NID_APP_EXIT_REQ";

  IWindowOSServices* MessageBoxOwner() const {
    RCPtr<LRootWindow> owner = GetActiveRootWindow();
    if (!owner && GetRootWindows().GetCount() > 0) owner = GetRootWindows().GetAt(0);
    return owner ? owner->GetOSWindow() : nullptr;
  }
  int32_t CreateDialogWindow(const DialogWindowRequest& request) {
    IOSWindowFactory* const windows = GetOSWindowFactory();
    return windows ? windows->CreateDialogWindow(*this, request) : E_FAIL;
  }
  void BindExitKey() {
    if (!GetGlobalHotKeyManager()) return;
    HotKeyMap& map = GetGlobalHotKeyManager()->GetMap();
    const KeyCode exitKey = KeyCode::Parse(u"Alt+VKEY_F4");
    if (map.FindCommand(exitKey).IsEmpty()) map.Add(exitKey, kExitRequest);
  }

  ApplicationClock mClock;
  RCPtr<LIniFileManager> mIniFileManager;
};

}  // namespace SV
