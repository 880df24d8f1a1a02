#pragma once
#include <memory>
#include <string>

namespace Platform::Gui {

// The process's one Qt application, made in the program's entry before any font,
// image or window is used: Qt's own high-DPI scaling off unless the user set it, and
// LC_NUMERIC "C" once it exists. Destroying it ends Qt. Main (GUI) thread only.
class GuiApplication {
public:
  GuiApplication(int& argc, char** argv);
  ~GuiApplication();
  GuiApplication(const GuiApplication&) = delete;
  GuiApplication& operator=(const GuiApplication&) = delete;

  // Whether a Qt GUI application exists in the process.
  static bool Exists();

private:
  struct Application;
  std::unique_ptr<Application> mApplication;
};

// Message-box style bits and answers, as the string tables' callers pass them.
enum MessageBoxStyle : unsigned {
  kOkCancel = 0x1,
  kYesNoCancel = 0x3,
  kYesNo = 0x4,
  kButtonMask = 0xF,
  kIconError = 0x10,
  kIconQuestion = 0x20,
  kIconWarning = 0x30,
  kIconInformation = 0x40,
  kIconMask = 0xF0,
};
enum MessageBoxAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

// Shows a modal message box (QMessageBox) and returns the answer; 0 without a GUI
// application. Blocks the calling (GUI) thread until the user answers.
int ShowMessageBox(const std::u16string& text, const std::u16string& caption, unsigned style);

// The desktop's general font: face, size in points and style bits (bold 1, italic 2,
// underline 4, strikeout 8); false without a GUI application.
bool GetSystemFont(std::u16string& face, float& size, int& style);

}  // namespace Platform::Gui
