#pragma once
#include "SVFramework/ObjectBase/TaggableObject.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LMenuItemDescriptor;

// The shared description of a menu: its items in order. Menu activation arguments hold
// a reference to the menu a command came from.
class LMenuDescriptor : public LTaggableObject {
public:
  LMenuDescriptor() = default;
  ~LMenuDescriptor() override;

  RCPtrArray<LMenuItemDescriptor, 1, 0> Items;
};

// One item: its own sub-items (none for a leaf), the command it sends (a notification
// ID text) and its state.
class LMenuItemDescriptor : public LMenuDescriptor {
public:
  LMenuItemDescriptor() = default;
  ~LMenuItemDescriptor() override = default;

  String CommandID;
  String Label;
  bool Enabled = true;
  bool Checked = false;
  bool Separator = false;
};

inline LMenuDescriptor::~LMenuDescriptor() = default;

}  // namespace SV
