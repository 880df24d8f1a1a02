#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/Application/CursorNames.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/notification/Notification.h"

namespace SV::Testing {

// A cursor table: each known name has a fixed id.
class StandInCursorNames : public ICursorNames {
public:
  static constexpr int32_t kArrow = 1;
  static constexpr int32_t kDropMove = 2;
  static constexpr int32_t kNoDrop = 3;

  StandInCursorNames() { SetCursorNames(this); }
  ~StandInCursorNames() override { SetCursorNames(nullptr); }

  int32_t GetCursorByName(const String& name) override {
    if (name == u"UI_CURSOR_ARROW") return kArrow;
    if (name == u"UI_CURSOR_DROP_MOVE") return kDropMove;
    return name == u"UI_CURSOR_NO_DROP" ? kNoDrop : 0;
  }
};

// An OS window that records the titles it is given and maps client points by a fixed
// screen offset.
class StandInOSWindow : public IWindowOSServices {
public:
  void SetTitle(const String& title) override { titles.push_back(title); }
  void ClientToScreen(PointT<int32_t>& point) override {
    point.x += screenOffset.x;
    point.y += screenOffset.y;
  }

  bool IsActive() const override { return active; }
  int32_t RunModalLoop() override { return modalResult; }
  void Raise() override { ++raised; }

  std::vector<String> titles;
  PointT<int32_t> screenOffset{};
  bool active = false;
  int32_t modalResult = 0;
  int raised = 0;
};

// A root window for tests: records every invalidated rectangle and the cursors set,
// keeps the hover, focus and capture controls as a real one does, and distributes
// "NID_IDLE" when the test says so. UI (test) thread only.
class StandInRootWindow : public LRootWindow {
public:
  static RCPtr<StandInRootWindow> Create(PointT<int32_t> clientSize = {800, 600}) {
    RCPtr<StandInRootWindow> window(new StandInRootWindow);
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
  // Records the request; the hit test answers `controlUnderPointer`.
  RCPtr<LControl> ControlAtPoint(PointT<int32_t> point, PointT<int32_t>& local, bool updateHover) override {
    hitTests.push_back(point);
    local = point;
    if (updateHover) hover = controlUnderPointer;
    return controlUnderPointer;
  }
  PointT<int32_t> GetCursorPosition() const override { return cursorPosition; }
  void SetWindowRect(const RectT<int32_t>& rect) override { windowRects.push_back(rect); }
  bool Idle(bool) override {
    Idle();
    return false;
  }
  void RequestClose(int32_t result) override { closeRequests.push_back(result); }
  void RedrawAll() override { invalidated.push_back({0, 0, clientSize.x, clientSize.y}); }
  RCPtr<LRenderer> GetRenderer() const override { return nullptr; }
  void OnWindowFocusLost() override { ClearFocusControl(nullptr); }
  void RestoreFocus() override { focus = previousFocus ? previousFocus : rootControl; }
  int32_t GetMouseButtons() const override { return mouseButtons; }
  SVRESULT SetRootControl(const String&) override { return E_NOTIMPL; }

  // One idle pass: distributes "NID_IDLE" to the subscribed controls.
  void Idle() { Distribute(LNotification::Create(u"NID_IDLE", nullptr)); }

  // Lets go of the controls it holds and makes its subscribers leave.
  SVRESULT ReleaseInternalReferences() override {
    RemoveAllClients();
    return LRefCountedObject::ReleaseInternalReferences();
  }
  void Forget() {
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
  std::vector<int32_t> closeRequests;
  int32_t mouseButtons = 0;

protected:
  StandInRootWindow() = default;
};

}  // namespace SV::Testing
