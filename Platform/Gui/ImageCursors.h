#pragma once
#include <cstdint>
#include <string>

class QCursor;

namespace Platform::Gui {

// The program's own cursors drawn from images (a Qt resource path such as
// ":/CURSORS/cursor_drop_move.png", or a file), kept by cursor id beside the platform's shapes.
// Registering an id again replaces its image. GUI thread only.
void RegisterImageCursor(int32_t cursorId, const std::string& imagePath, int hotSpotX, int hotSpotY);
bool HasImageCursor(int32_t cursorId);
// The cursor of a registered id; false (and `cursor` unchanged) when the id is not
// registered or its image cannot be read.
bool LoadImageCursor(int32_t cursorId, QCursor& cursor);
// Drops every registration.
void ForgetImageCursors();

}  // namespace Platform::Gui
