#pragma once
#include <cstdint>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// The values of the parameter model: one slot per parameter offset (ParamID minus
// the root's first ID), all empty at first. A descriptor given to the cache carries
// the offset in its ParamID field. A value with a non-empty sub-key turns its slot
// into a packed list with one element per sub-key. No lock of its own: the root
// uses it inside its lock.
class LParamCache : public virtual LRefCountedObject {
public:
  explicit LParamCache(uint32_t count) : mValues(count) {}
  LParamCache(const LParamCache&) = delete;
  LParamCache& operator=(const LParamCache&) = delete;
  ~LParamCache() override = default;

  static RCPtr<LParamCache> Create(uint32_t count) { return RCPtr<LParamCache>(new LParamCache(count)); }

  // -1 for an offset outside the cache; 1 when the slot holds an equal value
  // (nothing changes); else the slot takes a copy, OnValueStored runs when `notify`
  // is set, and 0. With a sub-key the slot's list is updated instead (-1 and no
  // change for a malformed list).
  virtual SVRESULT SetValue(const ParamDescriptor& descriptor, const Variant& value, bool notify);
  // The value is emptied first. -1 for an offset outside the cache; otherwise a copy
  // of the slot and 0, or with a sub-key the slot list's Find answer.
  virtual SVRESULT GetValue(const ParamDescriptor& descriptor, Variant& value) const;
  // Takes a mode; does nothing.
  virtual void SetMode(int32_t mode) {}
  // The hook after a stored value; answers E_NOTIMPL and does nothing.
  virtual SVRESULT OnValueStored(uint32_t offset, const Variant& value) { return E_NOTIMPL; }

  uint32_t GetCount() const { return static_cast<uint32_t>(mValues.size()); }

private:
  SVRESULT SetSubKeyValue(uint32_t offset, const ParamDescriptor& descriptor, const Variant& value, bool notify);

  std::vector<Variant> mValues;
};

}  // namespace SV
