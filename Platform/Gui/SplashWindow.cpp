#include "Platform/Gui/SplashWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace Platform::Gui {

struct SplashWindow::Window : QRasterWindow {
  Window() {
    setFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    QObject::connect(&timer, &QTimer::timeout, [this] { Step(); });
  }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    const QRect bar(4, height() - 20, width() - 8, 16);
    painter.fillRect(bar, QColor(0xE0, 0xE0, 0xE0));
    painter.fillRect(QRect(bar.x(), bar.y(), bar.width() * position / 100, bar.height()), QColor(0x30, 0x80, 0x30));
  }

  void SetPosition(int value) {
    position = std::clamp(value, 0, 100);
    if (isVisible()) {
      update();
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
  }

  void Step() {
    SetPosition(position + step);
    if (--stepsLeft <= 0) {
      timer.stop();
      stepsLeft = 0;
    }
  }

  QImage image;
  QTimer timer;
  int position = 0;
  int step = 0;
  int stepsLeft = 0;
};

SplashWindow::SplashWindow() : mWindow(std::make_unique<Window>()) {}

SplashWindow::~SplashWindow() = default;

bool SplashWindow::LoadImage(const std::string& path) {
  return mWindow->image.load(QString::fromStdString(path));
}

bool SplashWindow::HasImage() const { return !mWindow->image.isNull(); }

void SplashWindow::Show() {
  if (!HasImage()) return;
  const QSize size = mWindow->image.size();
  mWindow->resize(size);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    mWindow->setPosition(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
  }
  mWindow->show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool SplashWindow::IsVisible() const { return mWindow->isVisible(); }

void SplashWindow::SetPosition(int position) { mWindow->SetPosition(position); }

int SplashWindow::GetPosition() const { return mWindow->position; }

void SplashWindow::Animate(int from, int to, int seconds) {
  const int steps = std::max(seconds, 1) * 4;
  mWindow->SetPosition(from);
  mWindow->step = (to - from) / steps;
  mWindow->stepsLeft = steps;
  mWindow->timer.start(250);
}

}  // namespace Platform::Gui
