#pragma once
#include <vector>

#include "SkinFrames.h"

// The pictures of the skins and the desktop: arrows, the controller, the logos, the
// application icon and the two drop cursors.
namespace SkinImages {

// The skins' pictures at the scale ("arrow_up", "controller_body", "product_logo" ...).
std::vector<NamedImage> DrawArtwork(int scale);
// The application icon, `size` pixels square.
QImage DrawIcon(int size);
// The drag cursor for moving (`copy` false) or copying a file, 32 x 32, hot spot 1, 1.
QImage DrawDropCursor(bool copy);

}  // namespace SkinImages
