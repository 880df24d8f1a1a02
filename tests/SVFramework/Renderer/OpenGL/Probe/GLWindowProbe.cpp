// Draws one frame of the OpenGL back end into a Qt window on the X server of $DISPLAY
// and prints the window's pixel at (5, 5) as it appears on the screen: "pixel RRGGBB".
// Exit status 0 when it could draw and grab, 1 otherwise (with the reason printed).
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <cstdio>
#include <exception>

#include "SVFramework/Renderer/OpenGL/GLRenderer.h"
#include "SVFramework/Renderer/OpenGL/QtGLContext.h"

namespace {

class ProbeWindow : public SV::IQtGLWindowTarget {
public:
  QWindow* GetGLWindow() override { return &window; }
  void BeginPresent() override {}
  void CopyArea(const SV::IPixelBuffer<uint32_t>&, const SV::RectT<int32_t>&) override {}
  void EndPresent() override {}
  QWindow window;
};

// Handles events until the condition holds, at most 10 s (a timer wakes the wait).
template <class Condition>
bool WaitFor(Condition condition) {
  QTimer wake;
  wake.start(50);
  QElapsedTimer elapsed;
  elapsed.start();
  while (!condition() && elapsed.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return condition();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  ProbeWindow target;
  target.window.setSurfaceType(QSurface::OpenGLSurface);
  target.window.resize(64, 48);
  target.window.show();
  if (!WaitFor([&] { return target.window.isExposed(); })) {
    std::printf("the window was never exposed\n");
    return 1;
  }
  try {
    const SV::RCPtr<SV::LRenderer> renderer =
        SV::LGLRenderer::Create(std::shared_ptr<SV::IGLPlatformContext>(SV::QtGLContext::Create().release()));
    SV::RCPtr<SV::LRenderContextInfo> context;
    renderer->InitRenderContextInfo({0, 0, 64, 48}, &target, 0, context);
    renderer->RenderStart(context);
    renderer->FillRect({0, 0, 64, 48}, SV::Color::FromARGB(0xFFFF8000u), true);
    renderer->RenderFinish(context);
  } catch (const std::exception& error) {
    std::printf("%s\n", error.what());
    return 1;
  }
  const QImage grabbed = application.primaryScreen()->grabWindow(target.window.winId()).toImage();
  if (grabbed.isNull()) {
    std::printf("the window could not be grabbed\n");
    return 1;
  }
  std::printf("pixel %06X\n", grabbed.pixel(5, 5) & 0xFFFFFF);
  return 0;
}
