#pragma once
#include <cstdint>

#include "SVFramework/Application/OSWindowFactory.h"

namespace SV {

class LLayoutDescriptor;

// The OS-window factory on Qt: the main window titled and sized from the request and
// the main control's layout record, drawing through its own renderer, put where the
// user settings say it was and saving its placement there when it closes; dialogs for
// existing controls, sharing their owner's renderer, placed over the owner at the
// control's rectangle and kept inside the work area; in hosted mode the main window
// above the host program's window. Each window's root window joins the application's
// list. UI thread only.
class QtOSWindowFactory : public IOSWindowFactory {
public:
  SVRESULT CreateMainWindow(LFrameworkApp& application, const MainWindowRequest& request) override;
  int32_t CreateDialogWindow(LFrameworkApp& application, const DialogWindowRequest& request) override;
  SVRESULT CreateHostedWindow(LFrameworkApp& application, const HostedWindowRequest& request) override;
};

// Whether a window of that layout record may be resized: not when it has a minimum size
// equal to its maximum on both axes, nor when all four limits refer to named controls.
bool IsResizableLayout(const LLayoutDescriptor& layout);

// Makes the Qt factory the installed one for the rest of the process (the program's
// entry calls it before the run step).
void InstallQtOSWindowFactory();

}  // namespace SV
