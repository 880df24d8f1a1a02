#include "tests/Support/EndToEnd/XSession.h"

// Qt before Xlib, whose macros (Status, Bool) clash with Qt's names.
#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>

#include <algorithm>
#include <functional>

namespace Testing::EndToEnd {
namespace {

using Clock = std::chrono::steady_clock;

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

std::unique_ptr<XSession> XSession::Open(const std::string& displayName, std::string& error) {
  Display* display = XOpenDisplay(displayName.c_str());
  if (display == nullptr) {
    error = "cannot open X display " + displayName;
    return nullptr;
  }
  int eventBase = 0, errorBase = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
    XCloseDisplay(display);
    error = "the X server has no XTEST extension";
    return nullptr;
  }
  // Windows of the program come and go while they are asked about.
  XSetErrorHandler(IgnoreXError);
  return std::unique_ptr<XSession>(new XSession(display));
}

XSession::XSession(Display* display) : mDisplay(display), mRoot(DefaultRootWindow(display)) {
  // Told of every top-level window mapped, unmapped, created or destroyed.
  XSelectInput(mDisplay, mRoot, SubstructureNotifyMask);
  XFlush(mDisplay);
}

XSession::~XSession() { XCloseDisplay(mDisplay); }

std::vector<XSession::Window> XSession::TopLevelWindows() {
  ::Window root = 0, parent = 0;
  ::Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> mapped;
  if (!XQueryTree(mDisplay, mRoot, &root, &parent, &children, &count)) return mapped;
  for (unsigned int index = 0; index < count; ++index) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(mDisplay, children[index], &attributes) && attributes.map_state == IsViewable)
      mapped.push_back(children[index]);
  }
  if (children) XFree(children);
  return mapped;
}

std::string XSession::TitleOf(Window window) {
  const Atom netName = XInternAtom(mDisplay, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(mDisplay, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(mDisplay, window, netName, 0, 1024, False, utf8, &type, &format, &items, &after, &data) ==
          Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), items);
    XFree(data);
    return title;
  }
  char* name = nullptr;
  if (XFetchName(mDisplay, window, &name) && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

ScreenRect XSession::PlaceOf(Window window) {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(mDisplay, window, &attributes)) return {};
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(mDisplay, window, mRoot, 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

bool XSession::WaitForEvent(Clock::time_point deadline) {
  while (XPending(mDisplay) > 0) {
    XEvent event;
    XNextEvent(mDisplay, &event);
    // A new top-level window: its title changes are events too.
    if (event.type == CreateNotify) XSelectInput(mDisplay, event.xcreatewindow.window, PropertyChangeMask);
  }
  XFlush(mDisplay);
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  if (left <= 0) return false;
  pollfd waiting{ConnectionNumber(mDisplay), POLLIN, 0};
  poll(&waiting, 1, static_cast<int>(std::min<int64_t>(left, 1000)));
  return true;
}

std::optional<XSession::Window> XSession::WaitForWindow(const std::function<bool(const std::string&)>& accepts,
                                                        std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  do {
    for (Window window : TopLevelWindows())
      if (accepts(TitleOf(window))) return window;
  } while (WaitForEvent(deadline));
  return std::nullopt;
}

std::optional<XSession::Window> XSession::WaitForWindowTitled(const std::string& title,
                                                              std::chrono::milliseconds limit) {
  return WaitForWindow([&](const std::string& candidate) { return candidate == title; }, limit);
}

bool XSession::WaitUntilGone(Window window, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  do {
    const std::vector<Window> windows = TopLevelWindows();
    if (std::find(windows.begin(), windows.end(), window) == windows.end()) return true;
  } while (WaitForEvent(deadline));
  return false;
}

std::vector<uint32_t> XSession::Grab(const ScreenRect& rect) { return GrabFrom(mRoot, rect); }

std::vector<uint32_t> XSession::GrabFrom(Window drawable, const ScreenRect& rect) {
  std::vector<uint32_t> pixels;
  XImage* image = XGetImage(mDisplay, drawable, rect.x, rect.y, static_cast<unsigned>(rect.width),
                            static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  pixels.reserve(static_cast<size_t>(rect.width) * static_cast<size_t>(rect.height));
  for (int y = 0; y < rect.height; ++y)
    for (int x = 0; x < rect.width; ++x)
      pixels.push_back(0xFF000000u | static_cast<uint32_t>(XGetPixel(image, x, y) & 0xFFFFFFu));
  XDestroyImage(image);
  return pixels;
}

bool XSession::SavePicture(const ScreenRect& rect, const std::string& path) {
  return SavePixels(Grab(rect), rect, path);
}

bool XSession::SaveWindowPicture(Window window, const std::string& path) {
  const ScreenRect place = PlaceOf(window);
  const ScreenRect whole{0, 0, place.width, place.height};
  return SavePixels(GrabFrom(window, whole), whole, path);
}

bool XSession::HasDrawn(Window window) {
  const ScreenRect place = PlaceOf(window);
  const std::vector<uint32_t> pixels = GrabFrom(window, {0, 0, place.width, place.height});
  return std::adjacent_find(pixels.begin(), pixels.end(), std::not_equal_to<>()) != pixels.end();
}

bool XSession::SavePixels(const std::vector<uint32_t>& pixels, const ScreenRect& rect, const std::string& path) {
  if (pixels.empty()) return false;
  const QImage image(reinterpret_cast<const uchar*>(pixels.data()), rect.width, rect.height,
                     rect.width * 4, QImage::Format_RGB32);
  return image.save(QString::fromStdString(path), "PNG");
}

void XSession::Sync() { XSync(mDisplay, False); }

void XSession::Focus(Window window) {
  XSetInputFocus(mDisplay, window, RevertToParent, CurrentTime);
  Sync();
}

void XSession::RequestClose(Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(mDisplay, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(mDisplay, window, False, NoEventMask, &event);
  Sync();
}

void XSession::MoveMouse(int x, int y) {
  XTestFakeMotionEvent(mDisplay, -1, x, y, CurrentTime);
  Sync();
}

void XSession::Click(int x, int y, int button) {
  XTestFakeMotionEvent(mDisplay, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(mDisplay, static_cast<unsigned>(button), True, CurrentTime);
  XTestFakeButtonEvent(mDisplay, static_cast<unsigned>(button), False, CurrentTime);
  Sync();
}

void XSession::PressKey(const std::string& keysymName) {
  const KeySym symbol = XStringToKeysym(keysymName.c_str());
  const KeyCode code = XKeysymToKeycode(mDisplay, symbol);
  if (code == 0) return;
  XTestFakeKeyEvent(mDisplay, code, True, CurrentTime);
  XTestFakeKeyEvent(mDisplay, code, False, CurrentTime);
  Sync();
}

}  // namespace Testing::EndToEnd
