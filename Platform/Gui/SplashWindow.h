#pragma once
#include <memory>
#include <string>

namespace Platform::Gui {

// A frameless window centred on the primary screen that shows an image with a
// progress bar (0 to 100) along its bottom edge. It lives and paints on the GUI thread:
// each change repaints it at once, so it stays current while start-up keeps the
// thread busy. GUI thread only.
class SplashWindow {
public:
  SplashWindow();
  ~SplashWindow();
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;

  // Reads the image file (UTF-8 path); false when it cannot be decoded.
  bool LoadImage(const std::string& path);
  bool HasImage() const;
  // Shows the window without activating it; nothing without an image.
  void Show();
  bool IsVisible() const;
  // Sets the bar; leaves a running animation stepping from there.
  void SetPosition(int position);
  int GetPosition() const;
  // Moves the bar from `from` towards `to` in seconds × 4 steps of (to − from) /
  // (seconds × 4), one every 250 ms.
  void Animate(int from, int to, int seconds);

private:
  struct Window;
  std::unique_ptr<Window> mWindow;
};

}  // namespace Platform::Gui
