#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/PooledObject.h"

namespace SV {

// Payload of notifications that carry a point in the sending control's coordinates.
class LPointParam : public virtual LRefCountedObject {
public:
  LPointParam(int32_t px, int32_t py) : x(px), y(py) {}
  // "point(x, y)"
  String ToString() const override;

  int32_t x;
  int32_t y;
};

// A point with the modifier keys held (Ctrl 1, Shift 8, Alt 0x40) and the index the
// root window gave the event's pointer. Made from a pool: UI thread only.
class LPointWithModifiersParam : public LPointParam, public PooledObject<LPointWithModifiersParam, 32, false> {
public:
  LPointWithModifiersParam(PointT<int32_t> point, int32_t modifierBits, int32_t pointer)
      : LPointParam(point.x, point.y), modifiers(modifierBits), pointerIndex(pointer) {}
  // The point text followed by "  modifiers: 0x%08x".
  String ToString() const override;

  int32_t modifiers;
  int32_t pointerIndex;
};

// A mouse button event: the button (1 left, 2 middle, 4 right), 1 for the second press
// of a double click and its release, and the buttons held when it was made. Pooled.
class LMouseButtonParam : public LPointWithModifiersParam, public PooledObject<LMouseButtonParam, 32, false> {
public:
  using PooledObject<LMouseButtonParam, 32, false>::operator new;
  using PooledObject<LMouseButtonParam, 32, false>::operator delete;

  LMouseButtonParam(int32_t pressed, PointT<int32_t> point, int32_t modifierBits, int32_t doubleClicked,
                    int32_t held, int32_t pointer)
      : LPointWithModifiersParam(point, modifierBits, pointer), button(pressed), doubleClick(doubleClicked),
        buttonsHeld(held) {}

  int32_t button;
  int32_t doubleClick;
  int32_t buttonsHeld;
};

// A wheel step: the pointer in root-window coordinates (not relative to the control
// that gets it), the modifier keys and the direction (0 down, 1 up, 2 left, 3 right).
// Pooled: UI thread only.
class LMouseWheelParam : public LPointWithModifiersParam, public PooledObject<LMouseWheelParam, 4, false> {
public:
  using PooledObject<LMouseWheelParam, 4, false>::operator new;
  using PooledObject<LMouseWheelParam, 4, false>::operator delete;

  static constexpr int32_t kDown = 0;
  static constexpr int32_t kUp = 1;
  static constexpr int32_t kLeft = 2;
  static constexpr int32_t kRight = 3;

  LMouseWheelParam(PointT<int32_t> point, int32_t modifierBits, int32_t wheelDirection)
      : LPointWithModifiersParam(point, modifierBits, 0), direction(wheelDirection) {}
  bool IsVertical() const { return direction == kDown || direction == kUp; }
  // The point and modifiers text followed by "  direction: " and down, up, left or right.
  String ToString() const override;

  int32_t direction;
};

RCPtr<LPointWithModifiersParam> MakePointWithModifiersParam(PointT<int32_t> point, int32_t modifiers,
                                                            int32_t pointerIndex);
RCPtr<LMouseButtonParam> MakeMouseButtonParam(int32_t button, PointT<int32_t> point, int32_t modifiers,
                                              int32_t doubleClick, int32_t buttonsHeld, int32_t pointerIndex);
RCPtr<LMouseWheelParam> MakeMouseWheelParam(PointT<int32_t> point, int32_t modifiers, int32_t direction);

}  // namespace SV
