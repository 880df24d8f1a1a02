#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Variant.h"

namespace SV {

// A module of a parameter tree: it owns a run of consecutive ParamIDs from its own
// first ID, knows its parent (not counted: a parent owns its children) and passes
// reads and writes up the tree, so that a value set anywhere reaches the root. The
// root, the device and the leaves override what this base does; every tree is
// wired by one SetFirstParamID on its root. No lock of its own: a tree is used under
// its root's lock (the model) or on the UI thread (the editor's view).
// Value-level outcomes are results: -1 for an ID outside the run or no parent;
// logic errors are raised only where a caller breaks the wiring or routing rules.
class LParameterizedModule : public virtual LRefCountedObject {
public:
  ~LParameterizedModule() override = default;

  // Stores parent, first ParamID and index (the zone index of a MIDI zone, else 0).
  virtual void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index);
  ConstRCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) const;
  // The module that owns the ID. A leaf answers itself for any ID; the device and
  // the root route by offset; null when no module owns it.
  virtual RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID);
  // Stores a value into this module. The base raises a logic error on a module that
  // owns no parameter; otherwise hands the value to the parent's SetParamValue (-1
  // without parent). `fromDevice` is set for values received from the device.
  virtual SVRESULT SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool fromDevice);
  // Reads a value of this module: a logic error on a module that owns no parameter;
  // otherwise the parent's GetParamValue (empty without parent).
  virtual Variant GetParamValueLocal(const ParamDescriptor& descriptor);
  // Hands on to the parent: -1 and an empty value without one.
  virtual SVRESULT SetParamValue(const ParamDescriptor& descriptor, const Variant& value);
  virtual Variant GetParamValue(const ParamDescriptor& descriptor);
  // The parameter's default; the base has none (empty).
  virtual Variant GetParamValueDefault(int32_t paramID);
  // Broadcasts down the tree (root, device, keybed, controller numbers, zones); the
  // base passes nothing on.
  virtual void OnDeviceReady() {}
  virtual void OnTreeSignal() {}
  // Answers 1 in every module.
  virtual SVRESULT ProbeParam(int32_t value) { return S_FALSE; }
  // Passes the four values to the parent's RelayToRoot; nothing at the top.
  virtual void PostToRoot(int32_t a, int32_t b, int32_t c, int32_t d);
  virtual void RelayToRoot(int32_t a, int32_t b, int32_t c, int32_t d);
  // Hand on to the parent: E_FAIL and an empty value at the top. The model root
  // overrides them with its cache update and read.
  virtual SVRESULT UpdateParamValue(const ParamDescriptor& descriptor, const Variant& value);
  virtual Variant GetCachedParamValue(const ParamDescriptor& descriptor);

  // The parent (null at the top of a tree), and the topmost module (itself without
  // a parent).
  RCPtr<LParameterizedModule> GetParent() const { return RCPtr<LParameterizedModule>(mParent); }
  RCPtr<LParameterizedModule> GetRoot();

  int32_t GetOwnParamCount() const { return mOwnParamCount; }
  int32_t GetFirstParamID() const { return mFirstParamID; }
  int32_t GetIndex() const { return mIndex; }
  // The ID's offset from this module's first ID as an unsigned number, so that IDs
  // below the first one lie outside every run.
  uint32_t OffsetOf(int32_t paramID) const {
    return static_cast<uint32_t>(paramID) - static_cast<uint32_t>(mFirstParamID);
  }

protected:
  explicit LParameterizedModule(int32_t ownParamCount) : mOwnParamCount(ownParamCount) {}

private:
  LParameterizedModule* mParent = nullptr;
  const int32_t mOwnParamCount;
  int32_t mFirstParamID = 0;
  int32_t mIndex = 0;
};

}  // namespace SV
