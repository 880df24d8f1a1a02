#pragma once
#include <cstdint>
#include <memory>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Graphics/Region.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/notification/NotificationDistributor.h"
#include "SVFramework/notification/NotificationQueue.h"

namespace SV {

class IWindowOSServices;
class LControl;
class LGlobalHotKeyManager;
class LKeyParam;
class LRenderer;

// The root of the control tree shown in one OS window. The OS window turns platform
// events into the input calls below; the root window picks the control that gets each
// one (the capture control for moves and releases and, while one is held, for presses
// and wheel steps; the control under the pointer otherwise; the focus control for
// keys), keeps the focus, hover, tooltip owner and capture controls, collects dirty
// rectangles and paints only them through the window's renderer, and carries out close
// requests in its idle pass. Notifications posted to its queue (menu commands, hot
// keys) reach the window's own clients at the next idle pass.
// The operations that controls call are virtual so that tests can record them.
// UI thread only; the pending region and the key queue have locks of their own because
// an invalidation or a key may arrive while a paint or a pass takes them.
class LRootWindow : public LNotificationDistributor, public LNotificationQueue {
public:
  // A window drawing through `renderer` (may be null) for `osWindow` (not owned; may be
  // null), with its queue aimed at its own distributor.
  static RCPtr<LRootWindow> Create(const RCPtr<LRenderer>& renderer, IWindowOSServices* osWindow);
  ~LRootWindow() override;
  LRootWindow(const LRootWindow&) = delete;
  LRootWindow& operator=(const LRootWindow&) = delete;

  // --- Geometry ---
  // Screen position of the client origin and the client size; refreshed from the OS
  // window when there is one.
  RectT<int32_t> GetWindowRect() const;
  virtual PointT<int32_t> GetClientSize() const;
  // Gives the window the client rectangle `rect` (screen coordinates) and repaints the
  // root control; nothing without an OS window or when it is the current one.
  virtual void SetWindowRect(const RectT<int32_t>& rect);
  // Fits a proposed client size to the root control's limits; never below 1 x 1.
  // Whether the size changed.
  bool ConstrainClientSize(PointT<int32_t>& size);

  // --- Root control ---
  // Creates the control of that skin name through the application's factory (an empty
  // name: none) and makes it the root control.
  virtual SVRESULT SetRootControl(const String& name);
  // Replaces the root control: focus, hover and capture are dropped without telling
  // those controls, the new control fills the window, takes its "GHK" hot keys and the
  // focus. 0.
  SVRESULT SetRootControlObject(const RCPtr<LControl>& control);
  virtual RCPtr<LControl> GetRootControl() const;
  virtual IWindowOSServices* GetOSWindow() const;
  const RCPtr<LRenderer>& GetRenderer() const { return mRenderer; }
  // The window's hot keys; null when it has none.
  virtual LGlobalHotKeyManager* GetHotKeyManager() const { return mHotKeys.Get(); }

  // --- Input from the OS window ---
  // kind 0 press, 1 release, 2 double click; button 1 left, 2 middle, 4 right; point
  // in client coordinates; modifiers Ctrl 1, Shift 8, Alt 0x40.
  void OnMouseButton(int32_t kind, int32_t button, int32_t modifiers, PointT<int32_t> point, int32_t pointer);
  void OnMouseMove(PointT<int32_t> point, int32_t modifiers, int32_t pointer);
  // direction 0 down, 1 up, 2 left, 3 right.
  void OnMouseWheel(PointT<int32_t> point, int32_t modifiers, int32_t direction);
  void OnKey(const RCPtr<LKeyParam>& key);
  // Queues a key for the next idle pass. Any thread.
  void EnqueueKey(const RCPtr<LKeyParam>& key);
  // The OS window lost the mouse capture: the capture control hears of it.
  void OnCaptureLost();
  // Files dragged from outside over `point` (client coordinates): whether a control
  // there accepts them, and their drop, handed to that control as a file-dropper token
  // (AcceptDrop's result; E_FAIL when no control accepts them).
  bool CanDropFiles(PointT<int32_t> point);
  SVRESULT OnFilesDropped(PointT<int32_t> point, const Array<String>& files);
  // The OS window lost the keyboard focus: the focused control is remembered.
  virtual void OnWindowFocusLost();
  // The OS window got the focus back: the remembered control, else the root control.
  virtual void RestoreFocus();
  void OnResize(PointT<int32_t> size);
  // The close command of a window that is not the main window.
  void OnSystemClose();
  // The OS window is going: nothing reaches it any more.
  void OnOSWindowDestroyed() { mOSWindow = nullptr; }
  // Set after a restore or maximise: the next paint repaints everything.
  void SetFullRedrawPending() { mFullRedrawPending = true; }

  // --- Queries ---
  // Ctrl 1, Shift 8, Alt 0x40 from the application's key state.
  virtual int32_t GetModifierKeys() const;
  // Buttons held: 1 left, 2 middle, 4 right.
  virtual int32_t GetMouseButtons() const;
  // The pointer in client coordinates; (0, 0) without an OS window.
  virtual PointT<int32_t> GetCursorPosition() const;
  // The control under `point` (client coordinates) and the point relative to it; with
  // `updateHover` the control found (or none) becomes the hover control.
  virtual RCPtr<LControl> HitTest(PointT<int32_t> point, PointT<int32_t>& relative, bool updateHover);
  // What controls ask for the control under a point: HitTest.
  virtual RCPtr<LControl> ControlAtPoint(PointT<int32_t> point, PointT<int32_t>& relative, bool updateHover);

  // --- Focus, hover and capture, called by controls ---
  virtual void SetFocusControl(const RCPtr<LControl>& control);
  virtual void ClearFocusControl(LControl* control);
  virtual RCPtr<LControl> GetFocusControl() const;
  RCPtr<LControl> GetPreviousFocusControl() const;
  virtual void SetHoverControl(const RCPtr<LControl>& control);
  virtual RCPtr<LControl> GetHoverControl() const;
  RCPtr<LControl> GetTooltipOwner() const;
  // Makes `control` the capture holder; a previous holder loses the capture first.
  // E_INVALIDARG for null; 0.
  virtual SVRESULT BeginDrag(const RCPtr<LControl>& control);
  virtual SVRESULT EndDrag(LControl* control);
  virtual RCPtr<LControl> GetCaptureControl() const;
  // Tab past the last (Shift+Tab past the first) focusable control: the focus wraps in
  // this window, or moves to the next (previous) root window of the application.
  virtual void TabToNextWindow(const RCPtr<LKeyParam>& key);

  // --- Cursor and caret ---
  // Sets the cursor (0: the arrow) and returns the one set before; 0 without an OS window.
  virtual int32_t SetCursor(int32_t cursor);
  void SetCaret(bool shown, const LControl* owner, PointT<int32_t> position);

  // --- Invalidation and paint ---
  // Adds `rect`, cut to the client area, to the pending region and tells the OS window.
  virtual void InvalidateRect(const RectT<int32_t>& rect);
  // Invalidates the whole client area and paints at once.
  virtual void RedrawAll();
  // Moves the pending rectangles into `out` (the whole client area first after a
  // restore or maximise). From the OS window's paint handler.
  void TakeDirtyRegion(Region& out);
  // Paints the tree for `region` between RenderStart and RenderFinish of the window's
  // render context. When drawing states are still pushed, invalidates everything instead.
  void Paint(const Region& region);
  // Paints the pending region at once rather than at the platform's next paint.
  virtual void PaintPendingNow();
  // The OS window tells when a frame of this window reached the screen; from then on
  // HasPresentedFrame is true.
  void NoteFramePresented() { mFramePresented = true; }
  bool HasPresentedFrame() const { return mFramePresented; }

  // --- Close and idle ---
  // Records a close with `result`, carried out at the next idle pass; E_FAIL without
  // an OS window.
  virtual SVRESULT RequestClose(int32_t result);
  bool IsCloseRequested() const { return mCloseRequested; }
  // Queued keys, then the window's notifications, then a pending close. Whether
  // notifications are left.
  virtual bool Idle(bool idle);

  // Detaches the queue, forgets the OS window, drops the root control and the clients.
  SVRESULT ReleaseInternalReferences() override;

protected:
  LRootWindow(const RCPtr<LRenderer>& renderer, IWindowOSServices* osWindow);

private:
  void PaintTree(const RCPtr<LControl>& control, const Region& region, bool nested);
  void PaintUnclipped(const RCPtr<LControl>& control, const Region& region);
  void SwitchTooltipOff();
  void ChangeTooltipOwner(const RCPtr<LControl>& hover);
  RCPtr<LControl> FindPressTarget(PointT<int32_t> point, PointT<int32_t>& relative);
  PointT<int32_t> RelativeToCapture(PointT<int32_t> point) const;
  void OnButtonPress(int32_t button, int32_t modifiers, PointT<int32_t> point, int32_t pointer, bool doubleClick);
  void OnButtonRelease(int32_t button, int32_t modifiers, PointT<int32_t> point, int32_t pointer);
  bool IsInputAccepted() const;
  void DropControlReferences();
  void DispatchQueuedKeys();

  RCPtr<LRenderer> mRenderer;
  IWindowOSServices* mOSWindow;
  mutable RectT<int32_t> mClientRect{0, 0, 1024, 768};
  RCPtr<LControl> mRootControl;
  Region mDirtyRegion;
  Mutex mDirtyLock;  // guards mDirtyRegion
  bool mFullRedrawPending = false;
  uint32_t mDoubleClickButtons = 0;
  RCPtr<LGlobalHotKeyManager> mHotKeys;
  RCPtr<LControl> mFocus;
  RCPtr<LControl> mPreviousFocus;
  RCPtr<LControl> mHover;
  RCPtr<LControl> mTooltipOwner;
  RCPtr<LControl> mCapture;
  bool mCloseRequested = false;
  bool mFramePresented = false;
  int32_t mCloseResult = 0;
  Mutex mKeyQueueLock;  // guards mKeyQueue
  struct KeyQueue;
  std::unique_ptr<KeyQueue> mKeyQueue;
  uint32_t mButtonsDown[10] = {};
  // Reused by every paint: the controls that do not clip to their parents.
  // (Held by pointer: the list's type needs the whole control class.)
  std::unique_ptr<RCPtrArray<LControl, 1, 0>> mUnclippedList;
};

}  // namespace SV
