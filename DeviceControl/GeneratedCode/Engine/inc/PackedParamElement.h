#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// Reading and building the fixed-shape elements of the packed parameter lists.
namespace PackedParamElement {

// Reads element `index` of `list` and its `width` members into `members` (which
// must hold `width` values). -4 when `list` holds no element `index`; -7 when that
// element is not a packed array of exactly `width` values; else 0.
SVRESULT Read(const Variant& list, uint32_t index, uint32_t width, Variant* members);

// A packed array of the given members, built into `element`; false when it cannot
// be built.
bool Build(const Variant* members, uint32_t width, Variant& element);

// Packs `elements` into `list`; a list of no elements is the empty array. False
// (list unchanged) when the list cannot be built.
bool Pack(const std::vector<Variant>& elements, Variant& list);

// The ParamID as the lists store it (int32).
Variant MakeID(int32_t paramID);

}  // namespace PackedParamElement
}  // namespace SV
