#pragma once
#include "SVFramework/ObjectBase/TaggableObject.h"

namespace SV {

// The shared description of a menu and its entries. Menu activation arguments hold a
// reference to the menu a command came from.
class LMenuDescriptor : public LTaggableObject {
public:
  LMenuDescriptor() = default;
  ~LMenuDescriptor() override = default;
};

}  // namespace SV
