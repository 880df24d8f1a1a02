#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The OS window behind a root window: what the root window, its controls and the
// application reach of the platform's window. The shell implements it over a Qt
// window; tests use stand-ins. Rectangles are {x, y, width, height}, client
// coordinates unless a comment says screen. UI thread only.
class IWindowOSServices {
public:
  virtual ~IWindowOSServices() = default;

  // Shows `title` as the window's title.
  virtual void SetTitle(const String& title) = 0;
  // Marks the whole client area for repainting; 0.
  virtual SVRESULT Invalidate() = 0;
  // Marks one client rectangle for repainting.
  virtual void InvalidateRect(const RectT<int32_t>& rect) = 0;
  // The client rectangle (0, 0, width, height); `rect` is left alone when the window
  // cannot tell.
  virtual void GetClientRect(RectT<int32_t>& rect) = 0;
  // Map a point between screen and client coordinates, in place.
  virtual void ScreenToClient(PointT<int32_t>& point) = 0;
  virtual void ClientToScreen(PointT<int32_t>& point) = 0;
  // Moves and sizes the window so that its client area covers `rect` (screen).
  virtual void SetWindowRect(const RectT<int32_t>& rect) = 0;
  // Shows (non-zero) or hides (0) the window; whether it was visible before.
  virtual bool Show(int32_t showCommand) = 0;
  // Repaints the whole window at once; E_FAIL when the platform refuses.
  virtual SVRESULT RedrawNow() = 0;
  // Paints what is marked for repainting at once instead of at the platform's next
  // paint; nothing when nothing is marked or the window is not shown.
  virtual void PaintPendingNow() {}
  virtual SVRESULT BringToTop() = 0;
  // Into (true) or out of (false) the always-on-top band.
  virtual SVRESULT SetWindowPos(bool topmost) = 0;
  // Ends the modal loop with `result`, or, outside one, closes and frees the window
  // (the main window's placement is saved first). The window may be gone afterwards.
  virtual SVRESULT EndModal(int32_t result) = 0;
  // Runs a modal loop until EndModal; its result, or -1 when the application quits.
  virtual int32_t RunModalLoop() = 0;
  virtual bool IsModal() = 0;
  // Whether the window is the platform's active window.
  virtual bool IsActive() = 0;
  // Whether the window holds the keyboard focus; SetFocus gives it the focus.
  virtual bool HasFocus() = 0;
  virtual SVRESULT SetFocus() = 0;
  // The one current cursor of all windows; returns the cursor set before.
  virtual int32_t SetCursor(int32_t cursor) = 0;
  // The pointer in client coordinates, from the latest input event seen.
  virtual void GetCursorPos(PointT<int32_t>& point) = 0;
  // Buttons held: 1 left, 2 middle, 4 right.
  virtual uint32_t GetMouseButtons() = 0;
  // The platform's handle of the window; null when it has none.
  virtual void* GetHWND() = 0;
  // The text caret; nothing on this platform.
  virtual void SetCaret(bool shown, PointT<int32_t> position) = 0;
  // Restores the window when minimised and brings it to the top.
  virtual void Raise() { BringToTop(); }
  // The root control's size limits may have changed (a new root control, a new skin):
  // the window takes them as the limits of its client size and brings its size inside
  // them. Nothing where the platform keeps no limits.
  virtual void ApplySizeLimits() {}
};

}  // namespace SV
