#pragma once
#include <QBackingStore>
#include <QRegion>
#include <QWindow>

#include <cstdint>
#include <exception>
#include <memory>

#include "Platform/Gui/KeyTranslation.h"
#include "Platform/Gui/WheelSteps.h"
#include "SVFramework/Application/ModalLoop.h"
#include "SVFramework/Application/OSWindowFactory.h"
#include "SVFramework/Renderer/RenderContextInfo.h"
#include "SVFramework/Renderer/WindowTarget.h"

class QDragMoveEvent;
class QDropEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace SV {

class LKeyParam;

// The platform window that shows one root window, on a QWindow with a backing store.
// It turns Qt's events into the root window's input (key words and modifier words as
// our key codes carry them, buttons and wheel steps), paints the pending region through
// the window's renderer and presents only the dirty rectangles, tracks the pointer
// while a button is held, and runs modal loops with the idle pass. An exception from
// our code never passes through Qt's dispatch: the innermost of our running loops ends
// and rethrows it (the main loop's run step shows the start-up error box and requests
// the exit; a modal loop passes it on to its caller); with no loop of ours running it
// is kept for the next loop of ours (Platform::Gui::EventLoop::Keep) and the event
// queue is woken. Each presented frame is recorded in the paint log when the
// environment asks for one (SV_PAINT_LOG, see QtOSWindowPaintLog.h), so that a watcher
// outside the program knows when a window first showed and when it last changed.
// UI thread only.
class OSWindow : public QWindow, public IOSWindow, public IWindowTarget {
public:
  explicit OSWindow(const OSWindowOptions& options);
  ~OSWindow() override;

  // --- IOSWindow ---
  SVRESULT CreateRenderer(RendererType type) override;
  SVRESULT SetRenderer(const RCPtr<LRenderer>& renderer) override;
  LRootWindow* GetRootWindow() const override { return mRootWindow.Get(); }
  void RestorePlacement(const WindowPlacement& placement) override;
  WindowPlacement GetPlacement() override;
  void Close() override;

  // --- IWindowOSServices ---
  void SetTitle(const String& title) override;
  SVRESULT Invalidate() override;
  void InvalidateRect(const RectT<int32_t>& rect) override;
  void GetClientRect(RectT<int32_t>& rect) override;
  void ScreenToClient(PointT<int32_t>& point) override;
  void ClientToScreen(PointT<int32_t>& point) override;
  void SetWindowRect(const RectT<int32_t>& rect) override;
  bool Show(int32_t showCommand) override;
  SVRESULT RedrawNow() override;
  void PaintPendingNow() override;
  SVRESULT BringToTop() override;
  SVRESULT SetWindowPos(bool topmost) override;
  SVRESULT EndModal(int32_t result) override;
  int32_t RunModalLoop() override;
  bool IsModal() override { return mModalLoop != nullptr; }
  // Active, or being activated by a press on it: a press on an inactive window
  // activates it and still reaches the control under the pointer, as on systems that
  // activate windows synchronously (X11 activates later, when the focus arrives).
  bool IsActive() override { return isActive() || mActivatingPress; }
  bool HasFocus() override;
  SVRESULT SetFocus() override;
  int32_t SetCursor(int32_t cursor) override;
  void GetCursorPos(PointT<int32_t>& point) override { point = mLastMousePoint; }
  uint32_t GetMouseButtons() override { return mButtonsHeld; }
  void* GetHWND() override { return reinterpret_cast<void*>(winId()); }
  void SetCaret(bool, PointT<int32_t>) override {}
  void ApplySizeLimits() override;

  // --- IWindowTarget: the raster back end presents its dirty rectangles here ---
  void BeginPresent() override;
  void CopyArea(const IPixelBuffer<uint32_t>& surface, const RectT<int32_t>& area) override;
  void EndPresent() override;

protected:
  bool event(QEvent* event) override;

private:
  // Whether the event was handled, as QWindow::event answers.
  bool Dispatch(QEvent* event);
  void OnPaint(const QRect& updateRect);
  void OnKey(QKeyEvent& event, bool down);
  void OnCharacters(const QString& text, uint32_t modifiers);
  void OnMousePress(QMouseEvent& event);
  void OnMouseRelease(QMouseEvent& event);
  void OnMouseMove(QMouseEvent& event);
  void OnWheel(QWheelEvent& event);
  // Files dragged from outside (a URI list of local files) go to the control under the pointer.
  void OnDragOver(QDragMoveEvent& event);
  void OnDrop(QDropEvent& event);
  void OnResize();
  void OnCloseRequest();
  void OnFocusOut();
  void DeliverKey(uint32_t codeWord, uint32_t modifiers, uint8_t previousState);
  bool IsDoubleClick(int32_t button, QPoint point, uint64_t timestamp);
  void SavePlacement();
  // Brings the client size inside the root control's limits; whether it changed it.
  bool FitClientSize();
  void ActivateOwner();

  OSWindowOptions mOptions;
  RCPtr<LRootWindow> mRootWindow;
  RCPtr<LRenderer> mRenderer;
  RCPtr<LRenderContextInfo> mRenderContext;
  std::unique_ptr<QBackingStore> mBackingStore;
  // The host program's window, as Qt knows a window of another program.
  std::unique_ptr<QWindow> mHost;
  QRegion mPresented;
  QRegion mUpdateRegion;
  PointT<int32_t> mLastMousePoint{0, 0};
  uint32_t mButtonsHeld = 0;
  int32_t mPressCount = 0;
  ::Platform::Gui::WheelSteps mWheel;
  ::Platform::Gui::ModifierSides mModifierSides;
  bool mCaptured = false;
  // A press on the inactive window asked for the activation, which has not come yet.
  bool mActivatingPress = false;
  ModalLoop* mModalLoop = nullptr;
  bool mClosing = false;
  int32_t mLastPressButton = 0;
  QPoint mLastPressPoint;
  uint64_t mLastPressTime = 0;
  bool mLastPressWasDouble = false;
};

}  // namespace SV
