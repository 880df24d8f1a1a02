#pragma once
#include <cstdint>

#include "DeviceControl/GeneratedCode/Engine/inc/Device.h"
#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationReceiver.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamCache.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleInterface.h"
#include "SVFramework/Threads/Mutex.h"
#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {

class LDeviceCommunicationInterface;

// The top of the model tree and the only door to it. Once initialised it holds the
// parameter cache (where the preset's values live), the device communication
// interface, and a plain callback into the engine, through which every accepted
// change is announced, one value at a time. Without a connected device (every
// connect fails without the client library) it runs in cache mode: writes store
// into the cache and announce, nothing is sent, reads come from the cache.
// Every preset value is one byte: a value for one of the preset's IDs that is not a
// one-byte value (OneByteValue::Normalize) is refused with -1, nothing stored,
// announced or sent; an accepted value is stored and announced in its one-byte form.
// Thread rules: WriteParamValue, ReadParamValue and ReceiveParamValues hold the
// root's recursive lock for their whole run, and the change callback runs inside
// it, on the thread that made the change. Initialize, ConnectDevice and
// StopDelivery take no lock: they run at start-up, under the engine's lock, or at
// shut-down. The engine's lock, when held too, is taken before this one.
class LRootModule final : public IRootModule, public DeviceCommunicationReceiver {
public:
  // Receives every change the root accepts: one value, in the one reused list.
  using ChangeCallback = void (*)(void* context, const Array<ParamValue>& values);

  // A new root, with its device and leaves, unwired. The engine asks for cache mode
  // when its communication interface could not be initialised.
  static RCPtr<LRootModule> Create(bool cacheMode);
  ~LRootModule() override;

  // Stores callback, context, cache and interface, wires the tree from `firstParamID`
  // (raising the tree's logic errors), fills the cache with the defaults without
  // announcing them, registers as the interface's receiver and turns delivery on.
  // Always 0. Must precede every other use.
  SVRESULT Initialize(ChangeCallback callback, void* context, const RCPtr<LParamCache>& cache,
                      const RCPtr<LDeviceCommunicationInterface>& communication, int32_t firstParamID);
  // Reconnects the interface to the device: the connect result. A failure sets cache
  // mode; a success clears it and asks the device for the preset's values and for
  // the device text (pseudo-ID -8).
  SVRESULT ConnectDevice(const Variant& identifier);
  // Turns the interface's delivery off; 0.
  SVRESULT StopDelivery();
  RCPtr<LParamCache> GetParamCache() const { return mCache; }
  // Calls the change callback with the values.
  void NotifyEngine(const Array<ParamValue>& values);

  // The root keeps the values: a value set anywhere in the tree ends here.
  SVRESULT SetParamValue(const ParamDescriptor& descriptor, const Variant& value) override;
  Variant GetParamValue(const ParamDescriptor& descriptor) override;
  // -1 for an ID outside the preset or a value that is not one byte; 0 otherwise
  // (an empty value is dropped). A value other than the cached one is stored and
  // announced with the descriptor as given.
  SVRESULT UpdateParamValue(const ParamDescriptor& descriptor, const Variant& value) override;
  // The cached value, empty for an ID outside the preset.
  Variant GetCachedParamValue(const ParamDescriptor& descriptor) override;
  void OnParamValueChanged(const ParamDescriptor& descriptor, const Variant& value) override;
  RCPtr<LDeviceCommunicationInterface> GetCommunicationInterface() override;
  // Under the lock. Pseudo-ID -4 selects the device given as the value's 64-bit
  // integer: 0 when it is available, else 1 (in either mode). Otherwise the
  // IRootModule behaviour, after the one-byte check of the preset's IDs.
  SVRESULT WriteParamValue(const ParamDescriptor& descriptor, const Variant& value) override;
  // Under the lock. Pseudo-IDs are answered by the interface in either mode;
  // otherwise the IRootModule behaviour.
  SVRESULT ReadParamValue(const ParamDescriptor& descriptor, Variant& value) override;
  using IRootModule::GetDevice;
  RCPtr<IDevice> GetDevice() override { return mDevice; }

  // Under the lock: stores (through the owning leaf) and announces each received
  // value, never sending it back; values no module owns are announced only. A true
  // device-ready pseudo-value (-2) first runs the OnDeviceReady broadcast.
  void ReceiveParamValues(const ParamValues& values) override;
  // E_FAIL.
  SVRESULT ReceiveOther(int32_t a, int32_t b, int32_t c) override { return E_FAIL; }

private:
  explicit LRootModule(bool cacheMode);
  void CreateChildren();
  void FillCacheWithDefaults();
  void ReceiveOne(int32_t paramID, const ParamDescriptor& descriptor, const Variant& value);
  bool IsPresetID(int32_t paramID) const;

  RCPtr<LDevice> mDevice;
  ChangeCallback mCallback = nullptr;
  void* mContext = nullptr;
  RCPtr<LDeviceCommunicationInterface> mCommunication;
  RCPtr<LParamCache> mCache;
  Mutex mLock;  // guards the tree, the cache and the change list
  Array<ParamValue> mChangeList;
};

}  // namespace SV
