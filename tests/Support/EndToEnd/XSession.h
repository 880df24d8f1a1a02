#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/Support/EndToEnd/ScreenPixels.h"

typedef struct _XDisplay Display;

namespace Testing::EndToEnd {

// The test's own connection to an X server on which the program under test runs
// (there is no window manager: the program's top-level windows are children of the
// root window). It waits for windows to appear and go by the X server's events, with
// an upper bound; reads their titles and places; takes pictures of the screen; and
// sends real input through the XTEST extension, as a keyboard and a mouse would
// (used where the moment of the input must be known exactly; tests drive the program
// with xdotool). For one thread.
class XSession {
public:
  using Window = unsigned long;
  static constexpr std::chrono::milliseconds kWindowLimit{20000};

  // Null, with the reason, when the display cannot be opened.
  static std::unique_ptr<XSession> Open(const std::string& displayName, std::string& error);
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // The mapped top-level windows, bottom to top.
  std::vector<Window> TopLevelWindows();
  std::string TitleOf(Window window);
  ScreenRect PlaceOf(Window window);

  // The first mapped top-level window whose title the test accepts, once one is
  // there; nothing when none came within the limit.
  std::optional<Window> WaitForWindow(const std::function<bool(const std::string& title)>& accepts,
                                      std::chrono::milliseconds limit = kWindowLimit);
  std::optional<Window> WaitForWindowTitled(const std::string& title, std::chrono::milliseconds limit = kWindowLimit);
  // Whether the window was unmapped or destroyed within the limit.
  bool WaitUntilGone(Window window, std::chrono::milliseconds limit = kWindowLimit);

  // The screen's pixels in the rectangle, as 0xAARRGGBB words, row by row.
  std::vector<uint32_t> Grab(const ScreenRect& rect);
  // Writes the rectangle of the screen to a PNG file; false when it could not.
  bool SavePicture(const ScreenRect& rect, const std::string& path);
  // Writes what the window itself shows to a PNG file, read from the window rather
  // than from the screen; false when it could not.
  bool SaveWindowPicture(Window window, const std::string& path);
  // Whether the window shows more than one colour (it has drawn something).
  bool HasDrawn(Window window);

  // Asks the window to close as a window manager's close button does (WM_DELETE_WINDOW).
  void RequestClose(Window window);
  // Gives the window the keyboard focus, as a window manager does on a click.
  void Focus(Window window);

  // Input through XTEST, flushed to the server before returning.
  void MoveMouse(int x, int y);
  void Click(int x, int y, int button = 1);
  void PressKey(const std::string& keysymName);

  Display* Native() const { return mDisplay; }

private:
  explicit XSession(Display* display);
  // The drawable's pixels in the rectangle (its own coordinates), as in Grab.
  std::vector<uint32_t> GrabFrom(Window drawable, const ScreenRect& rect);
  bool SavePixels(const std::vector<uint32_t>& pixels, const ScreenRect& rect, const std::string& path);
  // Processes the events that are there, then waits for the next one, at most until
  // the deadline; false when the deadline passed.
  bool WaitForEvent(std::chrono::steady_clock::time_point deadline);
  void Sync();

  Display* mDisplay;
  Window mRoot;
};

}  // namespace Testing::EndToEnd
