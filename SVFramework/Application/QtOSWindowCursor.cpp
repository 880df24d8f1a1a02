#include "SVFramework/Application/QtOSWindowCursor.h"

#include "Platform/Gui/ImageCursors.h"
#include "SVFramework/Application/CursorNames.h"

namespace SV {
namespace {

struct CursorShape {
  int32_t id;
  Qt::CursorShape shape;
};

constexpr CursorShape kCursorShapes[] = {
    {kCursorArrow, Qt::ArrowCursor},        {kCursorIBeam, Qt::IBeamCursor},
    {kCursorWait, Qt::WaitCursor},          {kCursorCross, Qt::CrossCursor},
    {kCursorUpArrow, Qt::UpArrowCursor},    {kCursorSizeNwse, Qt::SizeFDiagCursor},
    {kCursorSizeNesw, Qt::SizeBDiagCursor}, {kCursorSizeWe, Qt::SizeHorCursor},
    {kCursorSizeNs, Qt::SizeVerCursor},     {kCursorSizeAll, Qt::SizeAllCursor},
    {kCursorNo, Qt::ForbiddenCursor},       {kCursorHand, Qt::PointingHandCursor},
    {kCursorAppStarting, Qt::BusyCursor},   {kCursorHelp, Qt::WhatsThisCursor},
};

}  // namespace

Qt::CursorShape QtCursorShape(int32_t cursorId) {
  for (const CursorShape& entry : kCursorShapes)
    if (entry.id == cursorId) return entry.shape;
  return Qt::ArrowCursor;
}

QCursor QtCursor(int32_t cursorId) {
  QCursor cursor;
  if (::Platform::Gui::LoadImageCursor(cursorId, cursor)) return cursor;
  return QCursor(QtCursorShape(cursorId));
}

}  // namespace SV
