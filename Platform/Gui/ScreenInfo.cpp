#include "Platform/Gui/ScreenInfo.h"

#include <QGuiApplication>
#include <QScreen>

namespace Platform::Gui {

double ScreenDotsPerInch() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return 96.0;
  const QScreen* const screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  return dpi > 0 ? dpi : 96.0;
}

}  // namespace Platform::Gui
