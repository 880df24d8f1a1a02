#pragma once
#include <cstdint>

#include <QtCore/qnamespace.h>

namespace Platform::Gui {

// Translates Qt's key events into what our key codes carry: the virtual key (the
// values of the "VKEY_" identifiers) and the modifier word (Ctrl 0x1, Shift 0x8,
// Alt 0x40, Windows key 0x200, with their left/right bits). Any thread; no state.

// The virtual key of a Qt key; letters and digits keep their codes, keypad keys (with
// Qt::KeypadModifier) become the numeric-pad keys. 0 when the key has no virtual key.
uint8_t VirtualKeyFromQtKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The modifier word for Qt's modifiers, with the left/right bits of `sides` kept only
// where their generic modifier is held.
uint32_t ModifierWordFromQt(Qt::KeyboardModifiers modifiers, uint32_t sides);

// Which modifier keys are held on which side, learnt from the native key symbols
// (X11 keysyms) of presses and releases, as Qt's modifiers do not tell the sides.
// Belongs to one window; used on the UI thread.
class ModifierSides {
public:
  // Notes a key press or release; keys that are not sided modifiers change nothing.
  void OnKey(uint32_t nativeKeySymbol, bool pressed);
  // The side bits of the modifier word (0x2/0x4 Ctrl, 0x10/0x20 Shift, 0x80/0x100
  // Alt, 0x400/0x800 Windows key) for the keys held now.
  uint32_t GetSideBits() const { return mSideBits; }
  // Forgets every key, for a window that lost the keyboard.
  void Clear() { mSideBits = 0; }

private:
  uint32_t mSideBits = 0;
};

}  // namespace Platform::Gui
