#pragma once
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The OS window behind a root window, as far as controls reach it. The application
// shell implements it over the platform's window; tests use stand-ins. UI thread only.
class IWindowOSServices {
public:
  virtual ~IWindowOSServices() = default;

  // Shows `title` as the window's title.
  virtual void SetTitle(const String& title) = 0;
  // Maps a point of the client area to screen coordinates, in place.
  virtual void ClientToScreen(PointT<int32_t>& point) = 0;
  // Whether the window is the platform's active window.
  virtual bool IsActive() const = 0;
  // Runs the modal loop of this window (the application's idle pass included) until
  // its root window closes; returns the close result.
  virtual int32_t RunModalLoop() = 0;
  // Restores the window when minimised and brings it, and its modal dialog when one is
  // open, to the top.
  virtual void Raise() = 0;
};

}  // namespace SV
