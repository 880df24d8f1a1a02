#pragma once
#include <QIcon>
#include <QImage>

namespace Platform::Gui {

// The program's own icon, drawn in code: a keyboard seen from above, dark body with a
// lit panel strip, white keys and the black keys between them, on a transparent ground.
// DrawProgramIcon makes one square image of `size` pixels (at least 1); any thread.
QImage DrawProgramIcon(int size);

// The icon that every window of the program shows: the drawing at the sizes window
// managers ask for. Built per call, so that no pixmap outlives the Qt application.
// GUI thread only.
QIcon ProgramIcon();

}  // namespace Platform::Gui
