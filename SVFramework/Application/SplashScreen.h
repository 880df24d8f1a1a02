#pragma once
#include <memory>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace Platform::Gui {
class SplashWindow;
}

namespace SV {

// The splash window shown while the application starts: an image with a progress bar.
// It is made, shown, moved and destroyed on the UI thread (GUI objects live there);
// destroying it closes it. Deleting one that never started only frees the image.
// UI thread only.
class LSplashScreen {
public:
  LSplashScreen();
  ~LSplashScreen();
  LSplashScreen(const LSplashScreen&) = delete;
  LSplashScreen& operator=(const LSplashScreen&) = delete;

  // Reads the image file when no image is held yet.
  void SetImageFile(const String& path);
  // Shows the window; nothing when started already or without an image.
  void Start();
  bool IsStarted() const { return mStarted; }
  // Animates the bar from `from` to `to` (0 to 100) over `seconds` (at least 1).
  void Animate(int from, int to, int seconds);
  void SetPosition(int position);
  int GetPosition() const;

private:
  std::unique_ptr<::Platform::Gui::SplashWindow> mWindow;
  bool mStarted = false;
};

}  // namespace SV
