#pragma once
#include <Qt>

#include <cstdint>

namespace Platform::Gui {

// Qt's mouse buttons and modifiers as our mouse events carry them. Any thread; no state.

// 1 left, 2 middle, 4 right; 0 for any other button.
int32_t ButtonFromQt(Qt::MouseButton button);
// The mask of the left, middle and right buttons among `buttons`.
uint32_t ButtonMaskFromQt(Qt::MouseButtons buttons);
// Ctrl 1, Shift 8, Alt 0x40.
int32_t MouseModifiersFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace Platform::Gui
