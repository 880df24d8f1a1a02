#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {

class IWindowOSServices;
class LControl;
class LRenderer;

// A window that shows one control tree, as the controls see it. It distributes the
// "NID_IDLE" notification to the controls subscribed to it, collects their dirty
// rectangles for the next frame, and keeps the hover, focus and capture controls.
// The application shell implements it; tests use a recording stand-in. UI thread only.
class LRootWindow : public LNotificationDistributor {
public:
  // The control at the top of the window's tree; null before one is set.
  virtual RCPtr<LControl> GetRootControl() const = 0;
  // The OS window; null when the window has none (then titles and cursors go nowhere).
  virtual IWindowOSServices* GetOSWindow() const = 0;
  // Adds `rect` (root-window coordinates), clipped to the window, to the region the
  // next frame repaints.
  virtual void InvalidateRect(const RectT<int32_t>& rect) = 0;
  // Width and height of the client area.
  virtual PointT<int32_t> GetClientSize() const = 0;
  // Sets the window's cursor and returns the one set before; 0 without an OS window.
  virtual int32_t SetCursor(int32_t cursorId) = 0;
  // Makes `control` the capture holder (E_INVALIDARG for null); 0.
  virtual SVRESULT BeginDrag(const RCPtr<LControl>& control) = 0;
  // Forgets the capture holder; 0.
  virtual SVRESULT EndDrag(LControl* control) = 0;
  virtual RCPtr<LControl> GetCaptureControl() const = 0;
  virtual void SetFocusControl(const RCPtr<LControl>& control) = 0;
  virtual void ClearFocusControl(LControl* control) = 0;
  virtual RCPtr<LControl> GetFocusControl() const = 0;
  virtual void SetHoverControl(const RCPtr<LControl>& control) = 0;
  virtual RCPtr<LControl> GetHoverControl() const = 0;
  // The deepest control of the tree under `point` (client coordinates), null when none;
  // `local` receives the point in that control's coordinates. With `updateHover` the
  // control becomes the hover control.
  virtual RCPtr<LControl> ControlAtPoint(PointT<int32_t> point, PointT<int32_t>& local, bool updateHover) = 0;
  // Gives the window the client rectangle `rect` (screen coordinates); nothing without
  // an OS window or when it is the current one.
  virtual void SetWindowRect(const RectT<int32_t>& rect) = 0;
  // The pointer in client coordinates; (0, 0) without an OS window.
  virtual PointT<int32_t> GetCursorPosition() const = 0;

  // The window's own idle pass: queued keys to the focused control, its notification
  // queue, then a pending close request. `firstAfterMessage` is the application's flag.
  // True while work is left. The window may be closed by it; callers keep a reference.
  virtual bool Idle(bool firstAfterMessage) = 0;
  // Asks the window to close with `result` at its next idle pass (a modal window's
  // loop ends with the result).
  virtual void RequestClose(int32_t result) = 0;
  // Invalidates the whole client area and has the OS window repaint at once.
  virtual void RedrawAll() = 0;
  // The renderer the window draws with; null before it has one.
  virtual RCPtr<LRenderer> GetRenderer() const = 0;
  // The OS window went inactive: remembers the focus control and drops the focus.
  virtual void OnWindowFocusLost() = 0;
  // Gives the focus back to the remembered control, else to the root control.
  virtual void RestoreFocus() = 0;
  // The mouse buttons held as the window last saw them: 1 left, 2 middle, 4 right.
  virtual int32_t GetMouseButtons() const = 0;
  // Creates the control of that skin name through the factory and makes it the root
  // control; a failed result when it cannot be made.
  virtual SVRESULT SetRootControl(const String& controlName) = 0;
};

}  // namespace SV
