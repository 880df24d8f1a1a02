#include "SVFramework/Application/FrameworkApp.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "SVFramework/Application/ControlTypeRegistration.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Application/WaitCursorScope.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ControlBase/StringTable.h"
#include "SVFramework/Controls/StatusBar.h"
#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/System/ClipBoard.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/IniFileManager.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationCenter.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {
namespace {

constexpr const char16_t* kExitRequest = u"NID_APP_EXIT_REQ";
constexpr const char16_t* kSkinIndexKey = u"CurrentSkinIndex";
constexpr uint32_t kErrorIconStyle = 16;
constexpr const char* kSetSkin = "SV::LFrameworkApp::SetSkin";

RCPtr<LGlobalHotKeyManager> MakeGlobalHotKeyManager() {
  return CreateGlobalHotKeyManager(RCPtr<LNotificationReceiver>(GetApplicationNotificationCenter()->GetPostingReceiver()));
}

// Strong references to the listed windows: a window that closes, or is removed, while
// the application walks the list stays alive until the walk is over.
std::vector<RCPtr<LRootWindow>> Snapshot(const RCPtrArray<LRootWindow>& windows) {
  std::vector<RCPtr<LRootWindow>> snapshot;
  snapshot.reserve(windows.GetCount());
  for (uint32_t index = 0; index < windows.GetCount(); ++index) snapshot.push_back(windows.GetAt(index));
  return snapshot;
}

// The stored index within the skins there are; skin 0 for a negative index or no skins.
int32_t ClampSkinIndex(int32_t stored, int32_t skinCount) { return std::max(0, std::min(skinCount - 1, stored)); }

// Sets the member to null first, then lets the held object go.
template <class T>
void ReleaseMember(RCPtr<T>& member) {
  RCPtr<T> held = member;
  member = nullptr;
  held.Reset();
}

}  // namespace

LFrameworkApp::LFrameworkApp() = default;

void LFrameworkApp::SetClipboard(const RCPtr<LClipboard>& clipboard) { mClipboard = clipboard; }

void LFrameworkApp::SetFrameworkStringTable(const RCPtr<LStringTable>& strings) { mFrameworkStrings = strings; }

void LFrameworkApp::SetApplicationStringTable(const RCPtr<LStringTable>& strings) { mApplicationStrings = strings; }

LFrameworkApp::LFrameworkApp(const RCPtr<LControlFactory>& factory, const RCPtr<LStringTable>& frameworkStrings,
                             const NarrowString& commandLine)
    : mFactory(factory),
      mCommandLine(commandLine),
      mFrameworkStrings(frameworkStrings),
      mApplicationStrings(factory ? factory->GetApplicationStringTable() : nullptr),
      mHotKeys(MakeGlobalHotKeyManager()),
      mClipboard(new LClipboard),
      mGlobalApplication(true) {
  SetFrameworkApp(this);
}

LFrameworkApp::~LFrameworkApp() {
  if (!mGlobalApplication) return;
  UnsubscribeAll();
  LNotificationCenterManager::ReleaseInstance();
  LNotification::SetPoolingEnabled(false);
  SetFrameworkApp(nullptr);
  mClipboard.Reset();
  mHotKeys.Reset();
  mDefaultFont.Reset();
  mApplicationStrings.Reset();
  mFrameworkStrings.Reset();
  mRootWindows.RemoveAll();
  mFactory.Reset();
}

int32_t LFrameworkApp::Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  if (notification && notification->GetID() == InternNotificationID(kExitRequest) && CanAcceptExit()) AcceptExit();
  return 1;
}

void LFrameworkApp::AcceptExit() {
  mExiting = true;
  const std::vector<RCPtr<LRootWindow>> windows = Snapshot(mRootWindows);
  for (size_t index = windows.size(); index-- > 1;) windows[index]->RequestClose(0);
  EndRun();
}

SVRESULT LFrameworkApp::OnCommandLine(const String&) { return S_OK; }
SVRESULT LFrameworkApp::OnCommandLineInitialized(const String&) { return S_OK; }
SVRESULT LFrameworkApp::OnSecondInstance(const String&) { return S_OK; }

bool LFrameworkApp::Run() {
  if (mRootWindows.GetCount() > 0) RCPtr<LRootWindow>(mRootWindows.GetAt(0))->RedrawAll();
  OnBeforeRun();
  Idle(true);
  try {
    MessageLoop();
  } catch (...) {
    ShowStartupError();
    GetApplicationNotificationCenter()->PostNotification(kExitRequest, nullptr);
  }
  return Idle(true);
}

String LFrameworkApp::GetFrameworkString(const char16_t* key, const char16_t* fallback) const {
  String text(fallback);
  if (mFrameworkStrings) mFrameworkStrings->GetString(key, text);
  return text;
}

void LFrameworkApp::ShowStartupError() {
  MessageBox(GetFrameworkString(u"STARTUP_ERROR", u""), GetFrameworkString(u"STARTUP_ERROR_CAPTION", u""),
             kErrorIconStyle);
}

SVRESULT LFrameworkApp::GetSystemFont(String& face, float& size, int32_t& style) {
  face = String();
  size = 0;
  style = 0;
  return E_FAIL;
}

SVRESULT LFrameworkApp::GetKeyState(int32_t, bool& down, bool& toggled) {
  down = false;
  toggled = false;
  return E_NOTIMPL;
}

RCPtr<LMeasurementRenderer> LFrameworkApp::GetRenderer() {
  if (mRootWindows.GetCount() == 0) return nullptr;
  return RCPtr<LMeasurementRenderer>(RCPtr<LRootWindow>(mRootWindows.GetAt(0))->GetRenderer());
}

int32_t LFrameworkApp::GetCurrentSkinIndex() {
  int32_t index = 0;
  const int32_t handle = OpenSettingsFile(kUserSettingsFile);
  IIniFileManager* const settings = GetIniFileManager();
  if (handle != 0 && settings) settings->GetIniValueInt(handle, kSkinIndexKey, 0, index);
  return index;
}

SVRESULT LFrameworkApp::SetSkin(int32_t skinIndex) {
  String face;
  float size = 0;
  int32_t style = 0;
  SV_RAISE_ON_FAILURE(GetSystemFont(face, size, style), kSetSkin);
  if (mFactory) {
    mFactory->SetCurrentSkinIndex(skinIndex);
    mFactory->GetSkinFont(face, size, style);
  }
  mDefaultFont = LFont::GetFont(face, size, style);
  for (const RCPtr<LRootWindow>& window : Snapshot(mRootWindows)) ReapplySkin(window);
  StoreSkinIndex(skinIndex);
  return S_OK;
}

void LFrameworkApp::ReapplySkin(const RCPtr<LRootWindow>& window) {
  LWaitCursorScope waitCursor(u"Loading Skin...");
  IWindowOSServices* const osWindow = window->GetOSWindow();
  const bool wasActive = osWindow && osWindow->IsActive();
  if (wasActive) window->OnWindowFocusLost();
  if (mFactory && window->GetRootControl()) mFactory->ApplySkinToControl(window->GetRootControl());
  if (osWindow) osWindow->ApplySizeLimits();
  const PointT<int32_t> size = window->GetClientSize();
  window->InvalidateRect({0, 0, size.x, size.y});
  if (wasActive) window->RestoreFocus();
}

void LFrameworkApp::StoreSkinIndex(int32_t skinIndex) {
  const int32_t handle = OpenSettingsFile(kUserSettingsFile);
  IIniFileManager* const settings = GetIniFileManager();
  if (handle != 0 && settings) settings->SetIniValueInt(handle, kSkinIndexKey, skinIndex);
}

int32_t LFrameworkApp::AddRootWindow(const RCPtr<LRootWindow>& window) {
  const int32_t index = FindRootWindowIndex(window.Get());
  return index >= 0 ? index : mRootWindows.Append(window);
}

SVRESULT LFrameworkApp::RemoveRootWindow(const RCPtr<LRootWindow>& window) {
  const int32_t index = FindRootWindowIndex(window.Get());
  if (index < 0) return index;
  RCPtr<LRootWindow> removed;
  mRootWindows.RemoveItem(static_cast<uint32_t>(index), removed);
  return S_OK;
}

int32_t LFrameworkApp::FindRootWindowIndex(const LRootWindow* window) const {
  for (uint32_t index = mRootWindows.GetCount(); index-- > 0;)
    if (mRootWindows.GetAt(index).Get() == window) return static_cast<int32_t>(index);
  return -1;
}

RCPtr<LRootWindow> LFrameworkApp::GetRootWindow(uint32_t index) const {
  return index < mRootWindows.GetCount() ? mRootWindows.GetAt(index) : RCPtr<LRootWindow>();
}

RCPtr<LRootWindow> LFrameworkApp::GetActiveRootWindow() const {
  // Through the overridable list, so that an application keeping its windows
  // elsewhere answers the same way.
  for (uint32_t index = GetRootWindowCount(); index-- > 0;) {
    const RCPtr<LRootWindow> window = GetRootWindow(index);
    IWindowOSServices* const osWindow = window ? window->GetOSWindow() : nullptr;
    if (osWindow && osWindow->IsActive()) return window;
  }
  return nullptr;
}

RCPtr<LControl>& LFrameworkApp::CreateControl(RCPtr<LControl>& out, const String& name) {
  out = nullptr;
  if (mFactory) mFactory->CreateControl(out, name, nullptr);
  return out;
}

PointT<int32_t> LFrameworkApp::GetCursorPos() {
  const RCPtr<LRootWindow> active = GetActiveRootWindow();
  if (!active) return {};
  PointT<int32_t> point = active->GetCursorPosition();
  active->GetOSWindow()->ClientToScreen(point);
  return point;
}

int32_t LFrameworkApp::GetMouseButtons() {
  const RCPtr<LRootWindow> active = GetActiveRootWindow();
  return active ? active->GetMouseButtons() : 0;
}

bool LFrameworkApp::Idle(bool firstAfterMessage) {
  bool workLeft = LNotificationCenterManager::GetInstance()->Process(firstAfterMessage);
  const std::vector<RCPtr<LRootWindow>> windows = Snapshot(mRootWindows);
  for (auto window = windows.rbegin(); window != windows.rend(); ++window)
    if ((*window)->Idle(firstAfterMessage)) workLeft = true;
  return workLeft;
}

void LFrameworkApp::ShowPendingChangesNow() {
  if (const RCPtr<LNotificationCenter> center = GetApplicationNotificationCenter()) center->Process(false);
  for (const RCPtr<LRootWindow>& window : Snapshot(mRootWindows)) window->PaintPendingNow();
}

SVRESULT LFrameworkApp::Initialize() { return RunApplicationStartup(); }

SVRESULT LFrameworkApp::Shutdown() {
  ReleaseMember(mFactory);
  ReleaseMember(mHotKeys);
  ReleaseMember(mClipboard);
  return S_OK;
}

SVRESULT LFrameworkApp::RunApplicationStartup() {
  LNotification::SetPoolingEnabled(true);
  try {
    if (mFactory) RegisterControlTypes(*mFactory, GetFrameworkControlTypes());
    if (mHotKeys) mHotKeys->GetMap().LoadFromStringTable(mApplicationStrings.Get(), u"GHK");
    if (mClipboard) mClipboard->Initialize();
    const int32_t skinCount = mFactory ? static_cast<int32_t>(mFactory->GetSkins().GetCount()) : 0;
    SetSkin(ClampSkinIndex(GetCurrentSkinIndex(), skinCount));
  } catch (const std::exception&) {
    return E_FAIL;
  }
  return S_OK;
}

namespace {

LStatusBar* gStatusBar = nullptr;

}  // namespace

void RegisterStatusBar(LStatusBar* statusBar) { gStatusBar = statusBar; }

void UnregisterStatusBar(LStatusBar* statusBar) {
  if (gStatusBar == statusBar) gStatusBar = nullptr;
}

LStatusBar* LFrameworkApp::GetStatusBar() { return gStatusBar; }

SVRESULT LFrameworkApp::SetStatusText(const String& text, bool immediate) {
  LStatusBar* const statusBar = GetStatusBar();
  if (!GetRootWindow(0) || statusBar == nullptr) return E_FAIL;
  return immediate ? statusBar->SetTextNow(text) : statusBar->PostText(text);
}

SVRESULT LFrameworkApp::ResetStatusText(bool immediate) {
  LStatusBar* const statusBar = GetStatusBar();
  if (statusBar == nullptr) return E_FAIL;
  return SetStatusText(statusBar->GetDefaultText(), immediate);
}

int32_t GetApplicationTickCount() {
  LFrameworkApp* const application = GetFrameworkApp();
  return application ? static_cast<int32_t>(application->GetTickCount()) : 0;
}

double GetApplicationTime() {
  LFrameworkApp* const application = GetFrameworkApp();
  return application ? application->GetTime() : 0;
}

}  // namespace SV
