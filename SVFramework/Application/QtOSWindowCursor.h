#pragma once
#include <QCursor>
#include <Qt>

#include <cstdint>

namespace SV {

// The Qt cursor shape that shows the application's cursor id (the ids of the cursor
// table, CursorId); the arrow for an id the table does not hand out. Any thread.
Qt::CursorShape QtCursorShape(int32_t cursorId);

// The cursor that shows the id: the program's image registered for it
// (Platform/Gui/ImageCursors), else the shape of QtCursorShape. GUI thread only.
QCursor QtCursor(int32_t cursorId);

}  // namespace SV
