#pragma once
#include <QGuiApplication>

#include <cstdlib>

namespace SV::Testing {

// Makes the one Qt GUI application of the test process on first use, on the offscreen
// platform at 96 pixels per inch unless the environment says otherwise. It is never
// destroyed, so nothing Qt-owned outlives it.
inline void EnsureGuiApplication() {
  static QGuiApplication* const application = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 0);
    static int argc = 1;
    static char name[] = "SVRendererTests";
    static char* argv[] = {name, nullptr};
    return new QGuiApplication(argc, argv);
  }();
  (void)application;
}

}  // namespace SV::Testing
