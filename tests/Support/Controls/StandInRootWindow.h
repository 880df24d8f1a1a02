#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/System/GlobalHotKeyManager.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/notification/Notification.h"

namespace SV::Testing {

// A cursor table: each known name has a fixed id.
class StandInCursorNames : public ICursorNames {
public:
  static constexpr int32_t kArrow = 1;
  static constexpr int32_t kDropMove = 2;
  static constexpr int32_t kNoDrop = 3;
  static constexpr int32_t kSizeNS = 4;
  static constexpr int32_t kSizeWE = 5;

  StandInCursorNames() { SetCursorNames(this); }
  ~StandInCursorNames() override { SetCursorNames(nullptr); }

  int32_t GetCursorByName(const String& name) override {
    if (name == u"UI_CURSOR_ARROW") return kArrow;
    if (name == u"UI_CURSOR_DROP_MOVE") return kDropMove;
    if (name == u"UI_CURSOR_SIZE_NS") return kSizeNS;
    if (name == u"UI_CURSOR_SIZE_WE") return kSizeWE;
    return name == u"UI_CURSOR_NO_DROP" ? kNoDrop : 0;
  }
};

// An OS window that records what it is asked, maps client points by a fixed screen
// offset and answers from fields the test sets: active, focused, not modal.
class StandInOSWindow : public IWindowOSServices {
public:
  void SetTitle(const String& title) override { titles.push_back(title); }
  SVRESULT Invalidate() override {
    ++wholeInvalidations;
    return S_OK;
  }
  void InvalidateRect(const RectT<int32_t>& rect) override { invalidated.push_back(rect); }
  void GetClientRect(RectT<int32_t>& rect) override { rect = {0, 0, clientSize.x, clientSize.y}; }
  void ScreenToClient(PointT<int32_t>& point) override {
    point.x -= screenOffset.x;
    point.y -= screenOffset.y;
  }
  void ClientToScreen(PointT<int32_t>& point) override {
    point.x += screenOffset.x;
    point.y += screenOffset.y;
  }
  void SetWindowRect(const RectT<int32_t>& rect) override {
    windowRects.push_back(rect);
    screenOffset = {rect.x, rect.y};
    clientSize = {rect.width, rect.height};
  }
  bool Show(int32_t) override { return true; }
  SVRESULT RedrawNow() override {
    ++redraws;
    return S_OK;
  }
  SVRESULT BringToTop() override { return S_OK; }
  SVRESULT SetWindowPos(bool) override { return S_OK; }
  SVRESULT EndModal(int32_t result) override {
    endModalResults.push_back(result);
    return S_OK;
  }
  int32_t RunModalLoop() override { return modalResult; }
  bool IsModal() override { return modal; }
  bool IsActive() override { return active; }
  bool HasFocus() override { return focused; }
  SVRESULT SetFocus() override {
    ++focusRequests;
    return S_OK;
  }
  int32_t SetCursor(int32_t newCursor) override {
    const int32_t previous = cursor;
    cursor = newCursor;
    return previous;
  }
  void GetCursorPos(PointT<int32_t>& point) override { point = cursorPosition; }
  uint32_t GetMouseButtons() override { return buttons; }
  void* GetHWND() override { return this; }
  void SetCaret(bool, PointT<int32_t>) override {}
  void Raise() override { ++raised; }

  std::vector<String> titles;
  PointT<int32_t> screenOffset{};
  PointT<int32_t> clientSize{800, 600};
  std::vector<RectT<int32_t>> invalidated;
  std::vector<RectT<int32_t>> windowRects;
  std::vector<int32_t> endModalResults;
  int32_t wholeInvalidations = 0;
  int32_t redraws = 0;
  int32_t focusRequests = 0;
  int32_t cursor = 0;
  PointT<int32_t> cursorPosition{};
  uint32_t buttons = 0;
  bool active = true;
  bool focused = true;
  bool modal = false;
  int32_t modalResult = 0;
  int raised = 0;
};

// A root window for tests: records every invalidated rectangle and the cursors set,
// keeps the hover, focus and capture controls as a real one does, answers hit tests
// with the control the test names, and distributes "NID_IDLE" when the test says so.
// UI (test) thread only.
class StandInRootWindow : public LRootWindow {
public:
  static RCPtr<StandInRootWindow> Create(PointT<int32_t> clientSize = {800, 600}) {
    RCPtr<StandInRootWindow> window(new StandInRootWindow);
    // Without a queue: the test distributes "NID_IDLE" itself, and only the test's
    // references keep the window.
    window->Detach();
    window->clientSize = clientSize;
    return window;
  }

  RCPtr<LControl> GetRootControl() const override { return rootControl; }
  IWindowOSServices* GetOSWindow() const override { return osWindow; }
  void InvalidateRect(const RectT<int32_t>& rect) override { invalidated.push_back(rect); }
  PointT<int32_t> GetClientSize() const override { return clientSize; }
  int32_t SetCursor(int32_t cursorId) override {
    if (!osWindow) return 0;
    const int32_t previous = cursor;
    cursor = cursorId;
    return previous;
  }
  SVRESULT BeginDrag(const RCPtr<LControl>& control) override {
    if (!control) return E_INVALIDARG;
    if (capture && capture != control) capture->OnCaptureLost();
    capture = control;
    return S_OK;
  }
  SVRESULT EndDrag(LControl*) override {
    capture.Reset();
    return S_OK;
  }
  RCPtr<LControl> GetCaptureControl() const override { return capture; }
  void SetFocusControl(const RCPtr<LControl>& control) override { focus = control; }
  void ClearFocusControl(LControl*) override {
    previousFocus = focus;
    focus.Reset();
  }
  RCPtr<LControl> GetFocusControl() const override { return focus; }
  void SetHoverControl(const RCPtr<LControl>& control) override { hover = control; }
  RCPtr<LControl> GetHoverControl() const override { return hover; }
  // Records the request; the hit test answers `hitTest` when set, else
  // `controlUnderPointer`. With `updateHover` the answer becomes the hover control,
  // with leave and enter as a real window gives them.
  RCPtr<LControl> ControlAtPoint(PointT<int32_t> point, PointT<int32_t>& local, bool updateHover) override {
    hitTests.push_back(point);
    local = point;
    RCPtr<LControl> hit = hitTest ? hitTest(point) : controlUnderPointer;
    if (updateHover) SwitchHover(hit);
    return hit;
  }
  void SwitchHover(const RCPtr<LControl>& next) {
    if (next == hover) return;
    const RCPtr<LControl> previous = hover;
    hover = next;
    if (previous) previous->OnMouseLeave(nullptr);
    if (next) next->OnMouseEnter(nullptr);
  }
  int32_t GetMouseButtons() const override { return mouseButtons; }
  int32_t GetModifierKeys() const override { return modifierKeys; }
  LGlobalHotKeyManager* GetHotKeyManager() const override { return hotKeys.Get(); }
  void TabToNextWindow(const RCPtr<LKeyParam>& key) override { windowTabs.push_back(key); }
  PointT<int32_t> GetCursorPosition() const override { return cursorPosition; }
  void SetWindowRect(const RectT<int32_t>& rect) override { windowRects.push_back(rect); }
  bool Idle(bool) override {
    Idle();
    return false;
  }
  SVRESULT RequestClose(int32_t result) override {
    closeRequests.push_back(result);
    return S_OK;
  }
  void RedrawAll() override { invalidated.push_back({0, 0, clientSize.x, clientSize.y}); }
  void OnWindowFocusLost() override { ClearFocusControl(nullptr); }
  void RestoreFocus() override { focus = previousFocus ? previousFocus : rootControl; }
  SVRESULT SetRootControl(const String&) override { return E_NOTIMPL; }

  // One idle pass: distributes "NID_IDLE" to the subscribed controls.
  void Idle() { Distribute(LNotification::Create(u"NID_IDLE", nullptr)); }

  // Lets go of the controls it holds and makes its subscribers leave.
  SVRESULT ReleaseInternalReferences() override {
    RemoveAllClients();
    return LRefCountedObject::ReleaseInternalReferences();
  }
  void Forget() {
    hitTest = nullptr;
    windowTabs.clear();
    hotKeys.Reset();
    rootControl.Reset();
    capture.Reset();
    focus.Reset();
    previousFocus.Reset();
    hover.Reset();
    controlUnderPointer.Reset();
  }

  RCPtr<LControl> rootControl;
  IWindowOSServices* osWindow = nullptr;
  PointT<int32_t> clientSize{};
  std::vector<RectT<int32_t>> invalidated;
  int32_t cursor = 0;
  RCPtr<LControl> capture;
  RCPtr<LControl> focus;
  RCPtr<LControl> previousFocus;
  RCPtr<LControl> hover;
  RCPtr<LControl> controlUnderPointer;
  std::vector<PointT<int32_t>> hitTests;
  PointT<int32_t> cursorPosition{};
  std::vector<RectT<int32_t>> windowRects;
  std::function<RCPtr<LControl>(PointT<int32_t>)> hitTest;
  int32_t mouseButtons = 0;
  int32_t modifierKeys = 0;
  RCPtr<LGlobalHotKeyManager> hotKeys;
  std::vector<RCPtr<LKeyParam>> windowTabs;
  std::vector<int32_t> closeRequests;

protected:
  StandInRootWindow() : LRootWindow(nullptr, nullptr) {}
};

}  // namespace SV::Testing
