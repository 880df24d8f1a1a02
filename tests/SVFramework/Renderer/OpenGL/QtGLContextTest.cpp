#include "SVFramework/Renderer/OpenGL/QtGLContext.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace SV {
namespace {

// An X server of the test's own (Xvfb), on the display number it chooses itself and
// reports once it accepts connections; stopped with the object.
class OwnXServer {
public:
  OwnXServer() {
    mServer.start("Xvfb", {"-displayfd", "1", "-screen", "0", "320x240x24", "-nolisten", "tcp"});
    if (!mServer.waitForStarted(10000)) return;
    QByteArray number;
    while (!number.contains('\n') && mServer.waitForReadyRead(10000)) number += mServer.readAllStandardOutput();
    mDisplay = ":" + QString::fromLatin1(number.trimmed());
  }
  ~OwnXServer() {
    mServer.terminate();
    if (!mServer.waitForFinished(10000)) mServer.kill();
  }
  // ":N", or empty when the server did not come up.
  const QString& Display() const { return mDisplay; }

private:
  QProcess mServer;
  QString mDisplay;
};

TEST(QtGLWindow, AFrameOfTheOpenGLBackEndReachesAQtWindowOnAnXServer) {
  OwnXServer server;
  ASSERT_TRUE(server.Display().size() > 1) << "Xvfb (package xvfb) did not start";
  QProcess probe;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", server.Display());
  environment.insert("QT_QPA_PLATFORM", "xcb");
  // Under LeakSanitizer: the GLX driver is unloaded before the report, so its blocks
  // name no library a suppression could match; the probe's own leak report is left to
  // the in-process tests, which run the same code on EGL.
  environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
  probe.setProcessEnvironment(environment);
  probe.start(SV_GL_WINDOW_PROBE, {});
  ASSERT_TRUE(probe.waitForFinished(60000)) << "the probe did not finish";
  const QString output = QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
  EXPECT_EQ(probe.exitCode(), 0) << output.toStdString() << probe.readAllStandardError().toStdString();
  EXPECT_EQ(output.toStdString(), "pixel FF8000");
}

}  // namespace
}  // namespace SV
