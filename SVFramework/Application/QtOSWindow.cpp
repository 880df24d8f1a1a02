#include "SVFramework/Application/QtOSWindow.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <vector>

#include "Platform/Gui/EventLoop.h"
#include "Platform/Gui/ProgramIcon.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/QtOSWindowCursor.h"
#include "SVFramework/Application/QtOSWindowPaintLog.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Renderer/Renderer.h"

namespace SV {
namespace {

// The largest window size Qt accepts.
constexpr int32_t kLargestSize = (1 << 24) - 1;
// The one current cursor of all windows.
int32_t gCurrentCursor = 0;

QRect ToQt(const RectT<int32_t>& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

std::vector<RectT<int32_t>> VisibleScreens() {
  std::vector<RectT<int32_t>> screens;
  const QList<QScreen*> all = QGuiApplication::screens();
  QScreen* const primary = QGuiApplication::primaryScreen();
  if (primary) screens.push_back({primary->availableGeometry().x(), primary->availableGeometry().y(),
                                  primary->availableGeometry().width(), primary->availableGeometry().height()});
  for (QScreen* screen : all) {
    if (screen == primary) continue;
    const QRect area = screen->availableGeometry();
    screens.push_back({area.x(), area.y(), area.width(), area.height()});
  }
  return screens;
}

}  // namespace

IOSWindow* CreateOSWindow(const OSWindowOptions& options) { return new OSWindow(options); }

OSWindow::OSWindow(const OSWindowOptions& options) : mOptions(options) {
  setSurfaceType(QSurface::RasterSurface);
  if (auto* const owner = dynamic_cast<QWindow*>(options.owner)) setTransientParent(owner);
  if (options.hostWindow != 0) {
    mHost.reset(QWindow::fromWinId(static_cast<WId>(options.hostWindow)));
    if (mHost) setTransientParent(mHost.get());
  }
  setGeometry(ToQt(options.clientRect));
  if (!options.resizable) {
    setMinimumSize(geometry().size());
    setMaximumSize(geometry().size());
  }
  SetTitle(options.title);
  setIcon(::Platform::Gui::ProgramIcon());
  mBackingStore = std::make_unique<QBackingStore>(this);
}

OSWindow::~OSWindow() {
  if (mRootWindow) {
    mRootWindow->OnOSWindowDestroyed();
    if (LFrameworkApp* application = GetFrameworkApp()) application->RemoveRootWindow(mRootWindow);
  }
  mRenderContext.Reset();
  mRenderer.Reset();
  mRootWindow.Reset();
}

bool OSWindow::event(QEvent* event) {
  bool handled = true;
  try {
    // Inside one of our loops the innermost ends and rethrows it, where the run step
    // (or the caller of a modal loop) catches it.
    ::Platform::Gui::EventLoop::Guard([&] { handled = Dispatch(event); });
  } catch (...) {
    // No loop of ours runs: Qt's dispatch must not see it either. The next loop of
    // ours (or the end of the run) reports it.
    ::Platform::Gui::EventLoop::Keep(std::current_exception());
    QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::User));
  }
  return handled;
}

SVRESULT OSWindow::CreateRenderer(RendererType type) {
  const RCPtr<LRenderer> renderer = LRenderer::Create(type, {0, 0, width(), height()}, this);
  if (!renderer) return E_FAIL;
  return SetRenderer(renderer);
}

SVRESULT OSWindow::SetRenderer(const RCPtr<LRenderer>& renderer) {
  if (!renderer) return E_INVALIDARG;
  mRenderer = renderer;
  const SVRESULT result = mRenderer->InitRenderContextInfo({0, 0, width(), height()}, this, 0, mRenderContext);
  if (result < 0) return result;
  mRootWindow = LRootWindow::Create(mRenderer, this);
  if (LFrameworkApp* application = GetFrameworkApp()) application->AddRootWindow(mRootWindow);
  return S_OK;
}

void OSWindow::RestorePlacement(const WindowPlacement& placement) {
  const WindowPlacement clamped = placement.ClampedTo(VisibleScreens());
  if (clamped.hasPosition)
    setGeometry(ToQt(clamped.rect));
  else
    resize(clamped.rect.width, clamped.rect.height);
  if (clamped.maximized) setWindowStates(Qt::WindowMaximized);
  FitClientSize();
}

void OSWindow::ApplySizeLimits() {
  if (!mRootWindow) return;
  if (!mOptions.resizable) {
    PointT<int32_t> size{width(), height()};
    mRootWindow->ConstrainClientSize(size);
    setMinimumSize(QSize(size.x, size.y));
    setMaximumSize(QSize(size.x, size.y));
    resize(size.x, size.y);
    return;
  }
  PointT<int32_t> minimum{1, 1};
  mRootWindow->ConstrainClientSize(minimum);
  PointT<int32_t> maximum{kLargestSize, kLargestSize};
  mRootWindow->ConstrainClientSize(maximum);
  setMinimumSize(QSize(std::min(minimum.x, kLargestSize), std::min(minimum.y, kLargestSize)));
  setMaximumSize(QSize(std::min(maximum.x, kLargestSize), std::min(maximum.y, kLargestSize)));
  FitClientSize();
}

bool OSWindow::FitClientSize() {
  // A maximised or full-screen window has the size the screen gives it.
  if (!mRootWindow || (windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))) return false;
  PointT<int32_t> size{width(), height()};
  if (!mRootWindow->ConstrainClientSize(size)) return false;
  resize(size.x, size.y);
  return true;
}

WindowPlacement OSWindow::GetPlacement() {
  WindowPlacement placement;
  const QRect area = geometry();
  placement.rect = {area.x(), area.y(), area.width(), area.height()};
  // Wayland does not tell a window where it is.
  placement.hasPosition = !QGuiApplication::platformName().startsWith(u"wayland");
  placement.maximized = (windowStates() & Qt::WindowMaximized) != 0;
  return placement;
}

void OSWindow::SavePlacement() {
  if (mOptions.mainWindow && mOptions.hostWindow == 0 && mOptions.savePlacement) mOptions.savePlacement(GetPlacement());
}

void OSWindow::Close() {
  if (mClosing) return;
  mClosing = true;
  SavePlacement();
  setTransientParent(nullptr);
  destroy();
  delete this;
}

void OSWindow::SetTitle(const String& title) {
  setTitle(QString::fromUtf16(title.GetString(), static_cast<qsizetype>(title.GetLength())));
}

SVRESULT OSWindow::Invalidate() {
  mUpdateRegion += QRect(0, 0, width(), height());
  requestUpdate();
  return S_OK;
}

void OSWindow::InvalidateRect(const RectT<int32_t>& rect) {
  mUpdateRegion += ToQt(rect);
  requestUpdate();
}

void OSWindow::GetClientRect(RectT<int32_t>& rect) {
  if (width() < 0 || height() < 0) return;
  rect = {0, 0, width(), height()};
}

void OSWindow::ScreenToClient(PointT<int32_t>& point) {
  const QPoint mapped = mapFromGlobal(QPoint(point.x, point.y));
  point = {mapped.x(), mapped.y()};
}

void OSWindow::ClientToScreen(PointT<int32_t>& point) {
  const QPoint mapped = mapToGlobal(QPoint(point.x, point.y));
  point = {mapped.x(), mapped.y()};
}

void OSWindow::SetWindowRect(const RectT<int32_t>& rect) { setGeometry(ToQt(rect)); }

bool OSWindow::Show(int32_t showCommand) {
  const bool wasVisible = isVisible();
  if (showCommand == 0) {
    hide();
    return wasVisible;
  }
  show();
  // Every showing command activates the window but the three that say not to
  // (4 show without activating, 7 minimise without activating, 8 show as it is).
  if (showCommand != 4 && showCommand != 7 && showCommand != 8) requestActivate();
  return wasVisible;
}

SVRESULT OSWindow::RedrawNow() {
  if (!isExposed()) return Invalidate();
  OnPaint(QRect(0, 0, width(), height()));
  return S_OK;
}

void OSWindow::PaintPendingNow() {
  if (!isExposed() || mUpdateRegion.isEmpty()) return;
  OnPaint(QRect());
}

SVRESULT OSWindow::BringToTop() {
  raise();
  return S_OK;
}

SVRESULT OSWindow::SetWindowPos(bool topmost) {
  setFlag(Qt::WindowStaysOnTopHint, topmost);
  return S_OK;
}

SVRESULT OSWindow::EndModal(int32_t result) {
  if (mModalLoop) {
    mModalLoop->End(result);
    return S_OK;
  }
  Close();
  return S_OK;
}

int32_t OSWindow::RunModalLoop() {
  ModalLoop loop;
  mModalLoop = &loop;
  setModality(Qt::ApplicationModal);
  show();
  requestActivate();
  int32_t result = -1;
  try {
    result = loop.Run();
  } catch (...) {
    mModalLoop = nullptr;
    ActivateOwner();
    Close();
    throw;
  }
  mModalLoop = nullptr;
  ActivateOwner();
  Close();
  return result;
}

// An ending dialog that has the activation hands it back to its owner.
void OSWindow::ActivateOwner() {
  if (transientParent() && isActive()) transientParent()->requestActivate();
}

bool OSWindow::HasFocus() { return QGuiApplication::focusWindow() == this; }

SVRESULT OSWindow::SetFocus() {
  requestActivate();
  return S_OK;
}

int32_t OSWindow::SetCursor(int32_t cursor) {
  const int32_t previous = gCurrentCursor;
  if (cursor != gCurrentCursor) {
    setCursor(QtCursor(cursor));
    gCurrentCursor = cursor;
  }
  return previous;
}

void OSWindow::OnPaint(const QRect& updateRect) {
  // A paint validates the whole window: what was marked meanwhile is in the pending region.
  mUpdateRegion = QRegion();
  if (!mRootWindow || !mRenderContext) return;
  Region pending;
  mRootWindow->TakeDirtyRegion(pending);
  Region& dirty = mRenderContext->GetDirtyRegion();
  dirty.Clear();
  dirty.Append(pending);
  if (!updateRect.isEmpty())
    dirty.AddRect({updateRect.left(), updateRect.top(), updateRect.right() + 1, updateRect.bottom() + 1});
  // A late platform update after the pending region was painted already has nothing to show.
  if (dirty.IsEmpty()) return;
  mRenderer->RenderStart(mRenderContext);
  const RectT<int32_t>& viewport = mRenderContext->GetViewport();
  EdgeRect only;
  const bool whole = dirty.GetCount() == 1 && dirty.GetBounds(only) &&
                     only == EdgeRect{viewport.x, viewport.y, viewport.x + viewport.width, viewport.y + viewport.height};
  // The platform's own update rectangle is copied from the offscreen surface, not drawn again.
  mRootWindow->Paint(whole ? dirty : pending);
  mRenderer->RenderFinish(mRenderContext);
}

void OSWindow::BeginPresent() {
  mPresented = QRegion();
  mBackingStore->resize(size());
  mBackingStore->beginPaint(QRegion(0, 0, width(), height()));
}

void OSWindow::CopyArea(const IPixelBuffer<uint32_t>& surface, const RectT<int32_t>& area) {
  const QImage view(reinterpret_cast<const uchar*>(surface.GetPixelAddress(0, 0)), surface.GetWidth(),
                    surface.GetHeight(), surface.GetStride(), QImage::Format_ARGB32_Premultiplied);
  QPainter painter(mBackingStore->paintDevice());
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect rect = ToQt(area);
  painter.drawImage(rect, view, rect);
  mPresented += rect;
}

void OSWindow::EndPresent() {
  mBackingStore->endPaint();
  if (!isExposed()) return;
  mBackingStore->flush(mPresented);
  if (mRootWindow) mRootWindow->NoteFramePresented();
  const QRect area = mPresented.boundingRect();
  AppendPaintLogLine(static_cast<uint64_t>(winId()), {area.x(), area.y(), area.width(), area.height()},
                     title().toStdString());
}

}  // namespace SV
