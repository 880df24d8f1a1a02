// The baseline of the launch benchmarks: a bare Qt widgets application that shows one
// window of the given size and title (arguments: WIDTH HEIGHT TITLE) and fills it. It
// records its first presented frame in the paint log the editor's windows write
// (SV_PAINT_LOG, the same line format: CLOCK_MONOTONIC nanoseconds, window id, the
// area shown, title), so that a benchmark starts it exactly as it starts the editor
// and waits for the same signal. It links Qt's widgets and nothing of ours.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <cstdlib>
#include <string>

namespace {

void AppendPaintLogLine(uint64_t window, const QRect& area, const std::string& title) {
  const char* const path = std::getenv("SV_PAINT_LOG");
  if (path == nullptr || *path == '\0') return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t nanoseconds = static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
  std::string line = std::to_string(nanoseconds) + " " + std::to_string(window) + " ";
  for (const int number : {area.x(), area.y(), area.width(), area.height()}) line += std::to_string(number) + " ";
  line += title + "\n";
  const int file = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (file < 0) return;
  [[maybe_unused]] const ssize_t written = write(file, line.data(), line.size());
  close(file);
}

class BareWindow : public QWidget {
protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), QColor(0x20, 0x24, 0x2A));
    if (mLogged) return;
    mLogged = true;
    // Put the frame on the screen now, as the editor's window has when it records.
    QMetaObject::invokeMethod(this, [this] {
      AppendPaintLogLine(static_cast<uint64_t>(winId()), rect(), windowTitle().toStdString());
    }, Qt::QueuedConnection);
  }

private:
  bool mLogged = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  BareWindow window;
  window.resize(argc > 2 ? std::atoi(argv[1]) : 640, argc > 2 ? std::atoi(argv[2]) : 480);
  window.setWindowTitle(argc > 3 ? argv[3] : "Bare Qt Window");
  window.show();
  return application.exec();
}
