#include "SVFramework/Application/SplashScreen.h"

#include "Platform/Gui/SplashWindow.h"

namespace SV {

LSplashScreen::LSplashScreen() : mWindow(std::make_unique<::Platform::Gui::SplashWindow>()) {}

LSplashScreen::~LSplashScreen() = default;

void LSplashScreen::SetImageFile(const String& path) {
  if (!mWindow->HasImage()) mWindow->LoadImage(path.ToUTF8().GetString());
}

void LSplashScreen::Start() {
  if (mStarted || !mWindow->HasImage()) return;
  mWindow->Show();
  mStarted = true;
}

void LSplashScreen::Animate(int from, int to, int seconds) { mWindow->Animate(from, to, seconds); }

void LSplashScreen::SetPosition(int position) { mWindow->SetPosition(position); }

int LSplashScreen::GetPosition() const { return mWindow->GetPosition(); }

}  // namespace SV
