#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LControl;
class LControlDescriptor;
class LFrameworkApp;

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
};

// The installed factory, or null.
IOSWindowFactory* GetOSWindowFactory();
void SetOSWindowFactory(IOSWindowFactory* factory);

}  // namespace SV
