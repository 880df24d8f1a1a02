#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// An item index with an optional data object: payload of list notifications that
// name an item. UI thread only.
class LIndexedDataParam : public virtual LRefCountedObject {
public:
  LIndexedDataParam(const RCPtr<LRefCountedObject>& itemData, int32_t itemIndex) : data(itemData), index(itemIndex) {}
  // "LIndexedDataParam: Index = <index>, Data = " and the data's text (empty without).
  String ToString() const override;

  RCPtr<LRefCountedObject> data;
  int32_t index;
};

// The same with a value (a check box's, say).
class LIndexedDataWithValueParam : public LIndexedDataParam {
public:
  LIndexedDataWithValueParam(const RCPtr<LRefCountedObject>& itemData, int32_t itemIndex, double itemValue)
      : LIndexedDataParam(itemData, itemIndex), value(itemValue) {}
  // The base text, then " Value = " and the value with six decimals.
  String ToString() const override;

  double value;
};

}  // namespace SV
