#include "Platform/Gui/MouseTranslation.h"

namespace Platform::Gui {

int32_t ButtonFromQt(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::MiddleButton:
      return 2;
    case Qt::RightButton:
      return 4;
    default:
      return 0;
  }
}

uint32_t ButtonMaskFromQt(Qt::MouseButtons buttons) {
  uint32_t mask = 0;
  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton})
    if (buttons & button) mask |= static_cast<uint32_t>(ButtonFromQt(button));
  return mask;
}

int32_t MouseModifiersFromQt(Qt::KeyboardModifiers modifiers) {
  int32_t word = 0;
  if (modifiers & Qt::ControlModifier) word |= 0x1;
  if (modifiers & Qt::ShiftModifier) word |= 0x8;
  if (modifiers & Qt::AltModifier) word |= 0x40;
  return word;
}

}  // namespace Platform::Gui
