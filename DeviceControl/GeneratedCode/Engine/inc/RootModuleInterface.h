#pragma once
#include <atomic>
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterizedModule.h"

namespace SV {

class LDeviceCommunicationInterface;

// The top of a parameter tree and its external door: WriteParamValue and
// ReadParamValue. Owns no parameter itself; gives its device its IDs, routes the
// IDs of the preset to it and passes broadcasts on. While cache mode is set, writes
// and reads work on the root's own cache alone; otherwise parameter writes go to
// the owning leaf and then to the device communication interface.
// Cache mode may be read and changed from any thread; the rest runs under the
// implementation's own serialisation.
class IRootModule : public LParameterizedModule {
public:
  using LParameterizedModule::GetModuleForParamID;

  // The 128 pseudo-IDs reserved for special modules.
  static constexpr int32_t kFirstSpecialID = -256;
  static constexpr int32_t kLastSpecialID = -129;
  static bool IsSpecialID(int32_t paramID) { return paramID >= kFirstSpecialID && paramID <= kLastSpecialID; }

  // Stores the three, then wires the device with this root as parent, the same
  // first ID and index 0; nothing more without a device.
  void SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID, int32_t index) override;
  // The device's answer for IDs of the preset; null otherwise (every negative ID).
  RCPtr<LParameterizedModule> GetModuleForParamID(int32_t paramID) override;
  void OnDeviceReady() override;
  void OnTreeSignal() override;

  // A value of the tree has changed (the model announces it; the editor sends it).
  virtual void OnParamValueChanged(const ParamDescriptor& descriptor, const Variant& value) = 0;
  // The interface values are written through; null where none is used.
  virtual RCPtr<LDeviceCommunicationInterface> GetCommunicationInterface() = 0;
  ConstRCPtr<LParameterizedModule> GetSpecialModule(int32_t paramID) const {
    return const_cast<IRootModule*>(this)->GetSpecialModule(paramID);
  }
  // The module that owns a pseudo-ID of -256 to -129: none in this model.
  virtual RCPtr<LParameterizedModule> GetSpecialModule(int32_t paramID) { return nullptr; }
  // In cache mode: UpdateParamValue. Otherwise pseudo-IDs (outside the special ones)
  // go straight to the communication interface; other IDs first to their owning
  // module's SetParamValueLocal (its result ignored), then to the interface, whose
  // result is the result. Without an interface: the local step's result for a
  // module's ID, E_FAIL for a pseudo-ID.
  virtual SVRESULT WriteParamValue(const ParamDescriptor& descriptor, const Variant& value);
  // In cache mode: GetCachedParamValue and 0. Otherwise the owning module's
  // GetParamValueLocal and 0, or E_FAIL and an empty value when no module owns it.
  virtual SVRESULT ReadParamValue(const ParamDescriptor& descriptor, Variant& value);
  ConstRCPtr<IDevice> GetDevice() const { return const_cast<IRootModule*>(this)->GetDevice(); }
  virtual RCPtr<IDevice> GetDevice() = 0;

  bool IsCacheMode() const { return mCacheMode.load(std::memory_order_acquire); }

protected:
  explicit IRootModule(bool cacheMode) : LParameterizedModule(0), mCacheMode(cacheMode) {}
  void SetCacheMode(bool cacheMode) { mCacheMode.store(cacheMode, std::memory_order_release); }

private:
  // The owning module of a non-negative or special ID; null for other pseudo-IDs.
  RCPtr<LParameterizedModule> FindOwner(int32_t paramID);
  SVRESULT WriteThroughInterface(const ParamDescriptor& descriptor, const Variant& value, SVRESULT withoutInterface);

  std::atomic<bool> mCacheMode;
};

}  // namespace SV
