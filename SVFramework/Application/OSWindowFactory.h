#pragma once
#include <cstdint>
#include <functional>

#include "SVFramework/Application/WindowPlacement.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Renderer/RendererType.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LControl;
class LControlDescriptor;
class LFrameworkApp;
class LRenderer;
class LRootWindow;

// What a new OS window is made with.
struct OSWindowOptions {
  String title;
  // The client area in screen coordinates.
  RectT<int32_t> clientRect{100, 100, 1024, 768};
  bool resizable = true;
  // The window this one stays above and is placed over (a modal dialog's owner); null
  // for a window of its own.
  IWindowOSServices* owner = nullptr;
  // Hosted mode: the native window of the host program that this window stays above
  // (0: none). A hosted window never saves a placement.
  uintptr_t hostWindow = 0;
  // The main window: its close command becomes the exit request, and its placement is
  // handed to `savePlacement` when it is destroyed.
  bool mainWindow = false;
  std::function<void(const WindowPlacement&)> savePlacement;
};

// An OS window as the application drives it, beyond what its root window reaches.
// UI thread only. The window frees itself when it is closed (EndModal outside a modal
// loop, the end of its modal loop, or the application closing it).
class IOSWindow : public IWindowOSServices {
public:
  // Makes the window's own renderer of that type and creates the root window
  // (SetRenderer).
  virtual SVRESULT CreateRenderer(RendererType type) = 0;
  // Draws through `renderer` (a dialog shares its owner's): makes the render context
  // and the root window, which joins the application's list.
  virtual SVRESULT SetRenderer(const RCPtr<LRenderer>& renderer) = 0;
  // Null before a renderer is set.
  virtual LRootWindow* GetRootWindow() const = 0;
  // Puts the window where the record says, clamped to the visible screens.
  virtual void RestorePlacement(const WindowPlacement& placement) = 0;
  // Where the window is now.
  virtual WindowPlacement GetPlacement() = 0;
  // Destroys the platform window (saving the main window's placement) and frees this object.
  virtual void Close() = 0;
};

// A new platform window, not yet shown; null when the platform cannot make one.
IOSWindow* CreateOSWindow(const OSWindowOptions& options);

// What the main window is made from.
struct MainWindowRequest {
  String title;                               // until the root control's label replaces it
  RCPtr<LControlDescriptor> mainDescriptor;   // the skin's main control (its layout gives style and size)
  int32_t rendererType = 1;
};

// What a dialog window (a root window for an existing control) is made from.
struct DialogWindowRequest {
  RCPtr<LControl> control;
  bool modeless = false;
  bool systemMenu = false;
  bool minimizeBox = false;
  bool maximizeBox = false;
};

// What the main window of a hosted run is made from: the host program's window and the
// skin's control that the new window shows.
struct HostedWindowRequest {
  uintptr_t hostWindow = 0;
  String title;                        // the control's "LABEL" text
  RCPtr<LControlDescriptor> descriptor;  // its layout gives the place, the size and the style
  int32_t rendererType = 1;
};

// Makes OS windows with their root windows; the OS-window layer installs the real one,
// tests install fakes. UI thread only.
class IOSWindowFactory {
public:
  virtual ~IOSWindowFactory() = default;
  // Creates the main OS window with its renderer, its 33 ms wake timer and its root
  // window, which it adds to the application's list as window 0; restores the saved
  // placement. 0, or the failure.
  virtual SVRESULT CreateMainWindow(LFrameworkApp& application, const MainWindowRequest& request) = 0;
  // Creates a window hosting the control, owned by the active root window (else window
  // 0) and sharing its renderer; the index of the new root window, or E_FAIL.
  virtual int32_t CreateDialogWindow(LFrameworkApp& application, const DialogWindowRequest& request) = 0;
  // Hosted mode: creates root window 0 in a window of its own that stays above the
  // host's window, with its own renderer and wake timer, placed and sized by the
  // layout record. 0, or the failure; E_NOTIMPL where hosting is not supported.
  virtual SVRESULT CreateHostedWindow(LFrameworkApp&, const HostedWindowRequest&) { return E_NOTIMPL; }
};

// The installed factory, or null.
IOSWindowFactory* GetOSWindowFactory();
void SetOSWindowFactory(IOSWindowFactory* factory);

}  // namespace SV
