#include "Platform/Gui/GuiApplication.h"

#include <QApplication>
#include <QFont>
#include <QMessageBox>

#include <clocale>
#include <cstdlib>
#include <string>

#include "Platform/Gui/EventLoop.h"

namespace Platform::Gui {
namespace {

QMessageBox::Icon IconOf(unsigned style) {
  switch (style & kIconMask) {
    case kIconError: return QMessageBox::Critical;
    case kIconQuestion: return QMessageBox::Question;
    case kIconWarning: return QMessageBox::Warning;
    case kIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButtons ButtonsOf(unsigned style) {
  switch (style & kButtonMask) {
    case kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case kYesNo: return QMessageBox::Yes | QMessageBox::No;
    default: return QMessageBox::Ok;
  }
}

int AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Cancel: return kAnswerCancel;
    case QMessageBox::Yes: return kAnswerYes;
    case QMessageBox::No: return kAnswerNo;
    default: return kAnswerOk;
  }
}

}  // namespace

struct GuiApplication::Application {
  Application(int& argc, char** argv) : application(argc, argv) {}
  QApplication application;
};

GuiApplication::GuiApplication(int& argc, char** argv) {
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
  mApplication = std::make_unique<Application>(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
}

GuiApplication::~GuiApplication() = default;

bool GuiApplication::Exists() { return QGuiApplication::instance() != nullptr; }

int ShowMessageBox(const std::u16string& text, const std::u16string& caption, unsigned style) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
  QMessageBox box(IconOf(style), QString::fromStdU16String(caption), QString::fromStdU16String(text), ButtonsOf(style));
  const int answer = box.exec();
  // Work that arrived while the box was up (its wakes went to the box's loop) is taken
  // up by a fresh turn of our loop at once, not at the next wake of the timer.
  EventLoop::WakeSoon();
  return AnswerOf(answer);
}

bool GetSystemFont(std::u16string& face, float& size, int& style) {
  if (!QGuiApplication::instance()) return false;
  const QFont font = QGuiApplication::font();
  face = font.family().toStdU16String();
  size = static_cast<float>(font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0);
  style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) | (font.strikeOut() ? 8 : 0);
  return true;
}

}  // namespace Platform::Gui
