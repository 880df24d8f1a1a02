#pragma once
#include <Qt>

#include <cstdint>

namespace SV {

// The Qt cursor shape that shows the application's cursor id (the ids of the cursor
// table, CursorId); the arrow for an id the table does not hand out. Any thread.
Qt::CursorShape QtCursorShape(int32_t cursorId);

}  // namespace SV
