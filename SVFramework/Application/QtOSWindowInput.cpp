#include <QDropEvent>
#include <QExposeEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyleHints>
#include <QUrl>
#include <QWheelEvent>

#include "Platform/Gui/MouseTranslation.h"
#include "SVFramework/Application/QtOSWindow.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/notification/NotificationCenterManager.h"

namespace SV {
namespace {

PointT<int32_t> PointOf(const QPointF& point) {
  const QPoint rounded = point.toPoint();
  return {rounded.x(), rounded.y()};
}

// The modifier word of a character: Shift 8, Ctrl 1, Alt 0x40 (no sides).
uint32_t CharacterModifiers(uint32_t modifiers) {
  return modifiers & (KeyCode::kModShift | KeyCode::kModCtrl | KeyCode::kModAlt);
}

constexpr uint32_t kWindowsKey = KeyCode::kModWin;

// The local files of a drag's URI list; empty when it carries none.
Array<String> LocalFilesOf(const QMimeData* data) {
  Array<String> files;
  if (data == nullptr || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    files.InsertAt(files.GetCount(), String(reinterpret_cast<const char16_t*>(path.utf16())));
  }
  return files;
}

}  // namespace

bool OSWindow::Dispatch(QEvent* event) {
  switch (event->type()) {
    case QEvent::Expose:
      // Qt gives no dependable exposed region on every platform: repaint the whole window.
      if (isExposed()) OnPaint(QRect(0, 0, width(), height()));
      break;
    case QEvent::UpdateRequest:
      OnPaint(std::exchange(mUpdateRegion, QRegion()).boundingRect());
      break;
    case QEvent::KeyPress:
      OnKey(*static_cast<QKeyEvent*>(event), true);
      break;
    case QEvent::KeyRelease:
      OnKey(*static_cast<QKeyEvent*>(event), false);
      break;
    case QEvent::InputMethod:
      OnCharacters(static_cast<QInputMethodEvent*>(event)->commitString(), 0);
      break;
    case QEvent::MouseButtonPress:
      OnMousePress(*static_cast<QMouseEvent*>(event));
      break;
    case QEvent::MouseButtonRelease:
      OnMouseRelease(*static_cast<QMouseEvent*>(event));
      break;
    case QEvent::MouseMove:
      OnMouseMove(*static_cast<QMouseEvent*>(event));
      break;
    case QEvent::Wheel:
      OnWheel(*static_cast<QWheelEvent*>(event));
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
      OnDragOver(*static_cast<QDragMoveEvent*>(event));
      break;
    case QEvent::DragLeave:
      break;
    case QEvent::Drop:
      OnDrop(*static_cast<QDropEvent*>(event));
      break;
    case QEvent::Leave:
      // Off the window with no button held: nothing is hovered any more.
      if (mButtonsHeld == 0 && mRootWindow) {
        mCaptured = false;
        mRootWindow->SetHoverControl(nullptr);
      }
      break;
    case QEvent::FocusIn:
      mActivatingPress = false;
      if (mRootWindow) mRootWindow->RestoreFocus();
      break;
    case QEvent::FocusOut:
      OnFocusOut();
      break;
    case QEvent::Resize:
      OnResize();
      break;
    case QEvent::Close:
      event->ignore();
      OnCloseRequest();
      break;
    case QEvent::MouseButtonDblClick:
      // Double clicks are told from the presses themselves, so that the second press
      // arrives once, flagged.
      break;
    default:
      return QWindow::event(event);
  }
  return true;
}

void OSWindow::OnDragOver(QDragMoveEvent& event) {
  const bool accepted = mRootWindow && LocalFilesOf(event.mimeData()).GetCount() > 0 &&
                        mRootWindow->CanDropFiles(PointOf(event.position()));
  if (accepted) {
    event.acceptProposedAction();
  } else {
    event.ignore();
  }
}

void OSWindow::OnDrop(QDropEvent& event) {
  const Array<String> files = LocalFilesOf(event.mimeData());
  if (mRootWindow && files.GetCount() > 0 && mRootWindow->OnFilesDropped(PointOf(event.position()), files) >= 0) {
    event.acceptProposedAction();
  } else {
    event.ignore();
  }
}

void OSWindow::DeliverKey(uint32_t codeWord, uint32_t modifiers, uint8_t previousState) {
  if (!mRootWindow) return;
  const KeyCode key(codeWord | KeyCode::CodeModifierBits(modifiers), KeyCode::GetSidedModifiers(modifiers),
                    previousState);
  mRootWindow->OnKey(MakeKeyParam(key, 1));
}

void OSWindow::OnKey(QKeyEvent& event, bool down) {
  if (!down && event.isAutoRepeat()) return;
  if (down) mModifierSides.OnKey(event.nativeVirtualKey(), true);
  const uint32_t modifiers = ::Platform::Gui::ModifierWordFromQt(event.modifiers(), mModifierSides.GetSideBits());
  if (!down) mModifierSides.OnKey(event.nativeVirtualKey(), false);
  const uint32_t virtualKey = ::Platform::Gui::VirtualKeyFromQtKey(event.key(), event.modifiers());
  const uint32_t downBit = down ? KeyCode::kKeyDown : 0;
  if (virtualKey != 0) {
    const uint8_t previous = down ? (event.isAutoRepeat() ? 1 : 0) : 1;
    DeliverKey((virtualKey << 16) | downBit, modifiers, previous);
  } else if (modifiers & KeyCode::kModAlt) {
    // A key without a virtual key while Alt is held still tells the modifiers.
    DeliverKey(downBit, modifiers, down ? 0 : 1);
  }
  if (down) OnCharacters(event.text(), modifiers);
}

void OSWindow::OnCharacters(const QString& text, uint32_t modifiers) {
  if (!mRootWindow || (modifiers & kWindowsKey)) return;
  for (const QChar unit : text) {
    if (unit.unicode() == 0x7F) continue;  // Delete is a key, not a character.
    mRootWindow->OnKey(MakeKeyParam(KeyCode(static_cast<char16_t>(unit.unicode()), CharacterModifiers(modifiers)), 1));
  }
}

bool OSWindow::IsDoubleClick(int32_t button, QPoint point, uint64_t timestamp) {
  const int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
  const bool near = (point - mLastPressPoint).manhattanLength() <= distance;
  const bool soon = timestamp - mLastPressTime <= static_cast<uint64_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
  const bool isDouble = !mLastPressWasDouble && button == mLastPressButton && near && soon;
  mLastPressButton = button;
  mLastPressPoint = point;
  mLastPressTime = timestamp;
  mLastPressWasDouble = isDouble;
  return isDouble;
}

void OSWindow::OnMousePress(QMouseEvent& event) {
  const int32_t button = ::Platform::Gui::ButtonFromQt(event.button());
  if (button == 0) return;
  mLastMousePoint = PointOf(event.position());
  mButtonsHeld = ::Platform::Gui::ButtonMaskFromQt(event.buttons());
  if (!mRootWindow) return;
  if (!isActive()) mActivatingPress = true;
  if (!mRootWindow->GetFocusControl() || mActivatingPress) requestActivate();
  // Qt grabs the pointer for the window while a button is held.
  if (mPressCount++ == 0) mCaptured = true;
  const bool isDouble = IsDoubleClick(button, event.position().toPoint(), event.timestamp());
  mRootWindow->OnMouseButton(isDouble ? 2 : 0, button, ::Platform::Gui::MouseModifiersFromQt(event.modifiers()),
                             mLastMousePoint, 0);
}

void OSWindow::OnMouseRelease(QMouseEvent& event) {
  const int32_t button = ::Platform::Gui::ButtonFromQt(event.button());
  if (button == 0) return;
  mLastMousePoint = PointOf(event.position());
  mButtonsHeld = ::Platform::Gui::ButtonMaskFromQt(event.buttons());
  if (!mRootWindow) return;
  mRootWindow->OnMouseButton(1, button, ::Platform::Gui::MouseModifiersFromQt(event.modifiers()), mLastMousePoint, 0);
  // The click is whole; from now on the window takes input once it is active.
  if (mButtonsHeld == 0) mActivatingPress = false;
  const bool outside = !QRect(0, 0, width(), height()).contains(event.position().toPoint());
  if (mButtonsHeld == 0 && outside) {
    mPressCount = 0;
    mCaptured = false;
    mRootWindow->SetHoverControl(nullptr);
  }
}

void OSWindow::OnMouseMove(QMouseEvent& event) {
  mLastMousePoint = PointOf(event.position());
  mButtonsHeld = ::Platform::Gui::ButtonMaskFromQt(event.buttons());
  if (mRootWindow)
    mRootWindow->OnMouseMove(mLastMousePoint, ::Platform::Gui::MouseModifiersFromQt(event.modifiers()), 0);
}

void OSWindow::OnWheel(QWheelEvent& event) {
  const QPoint angle = event.angleDelta();
  // Qt counts a tilt to the right as negative; our horizontal steps count it positive.
  const int32_t deltas[2] = {angle.y(), -angle.x()};
  for (int32_t axis = 0; axis < 2; ++axis) {
    if (deltas[axis] == 0) continue;
    const int32_t direction = mWheel.Add(axis, deltas[axis]);
    if (direction < 0) continue;
    mLastMousePoint = PointOf(event.position());
    if (mRootWindow)
      mRootWindow->OnMouseWheel(mLastMousePoint, ::Platform::Gui::MouseModifiersFromQt(event.modifiers()), direction);
  }
}

void OSWindow::OnResize() {
  // A size outside the root control's limits (a window manager that ignores them) is
  // brought back inside; the resize that follows does the rest.
  if (FitClientSize()) return;
  if (mRenderContext) mRenderContext->SetViewport({0, 0, width(), height()});
  if (!mRootWindow || (windowStates() & Qt::WindowMinimized)) return;
  mRootWindow->OnResize({width(), height()});
  mRootWindow->SetFullRedrawPending();
}

void OSWindow::OnFocusOut() {
  mActivatingPress = false;
  mModifierSides.Clear();
  if (!mRootWindow) return;
  if (mButtonsHeld != 0 || mCaptured) {
    mCaptured = false;
    mPressCount = 0;
    mRootWindow->OnCaptureLost();
  }
  mRootWindow->OnWindowFocusLost();
}

void OSWindow::OnCloseRequest() {
  // The window manager's close (and the Alt+F4 it may consume) of the main window is
  // the application's exit request; any other window closes through its root window.
  if (mOptions.mainWindow) {
    GetApplicationNotificationCenter()->PostNotification(u"NID_APP_EXIT_REQ", nullptr);
  } else if (mRootWindow) {
    mRootWindow->OnSystemClose();
  }
}

}  // namespace SV
