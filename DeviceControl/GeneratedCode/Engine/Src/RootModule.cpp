#include "DeviceControl/GeneratedCode/Engine/inc/RootModule.h"

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamRanges.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterTable.h"
#include "DeviceControl/GeneratedCode/Engine/inc/PseudoParamIDs.h"

namespace SV {

LRootModule::LRootModule(bool cacheMode) : IRootModule(cacheMode) { mChangeList.SetCount(1); }

RCPtr<LRootModule> LRootModule::Create(bool cacheMode) {
  RCPtr<LRootModule> root(new LRootModule(cacheMode));
  root->CreateChildren();
  return root;
}

void LRootModule::CreateChildren() { mDevice = LDevice::Create(); }

LRootModule::~LRootModule() {
  if (!mCommunication) return;
  mCommunication->SetDeliveryEnabled(false);
  mCommunication->DisconnectDevice();
}

SVRESULT LRootModule::Initialize(ChangeCallback callback, void* context, const RCPtr<LParamCache>& cache,
                                 const RCPtr<LDeviceCommunicationInterface>& communication, int32_t firstParamID) {
  mCallback = callback;
  mContext = context;
  mCache = cache;
  mCommunication = communication;
  SetFirstParamID(nullptr, firstParamID, 0);
  FillCacheWithDefaults();
  mCache->SetMode(2);
  mCommunication->SetReceiver(this);
  mCommunication->SetDeliveryEnabled(true);
  mCommunication->Activate();
  return S_OK;
}

void LRootModule::FillCacheWithDefaults() {
  for (int32_t offset = 0; offset < ParameterTable::kParameterCount; ++offset) {
    const int32_t id = GetFirstParamID() + offset;
    if (RCPtr<LParameterizedModule> owner = GetModuleForParamID(id))
      mCache->SetValue(ParamDescriptor(offset), owner->GetParamValueDefault(id), false);
  }
}

SVRESULT LRootModule::ConnectDevice(const Variant& identifier) {
  mCommunication->DisconnectDevice();
  const SVRESULT result = mCommunication->ConnectDevice(identifier);
  if (result < 0) {
    SetCacheMode(true);
    return result;
  }
  SetCacheMode(false);
  ParamRanges ranges;
  const ParamRange preset{GetFirstParamID(), ParameterTable::kParameterCount};
  ranges.Set(&preset, 1);
  mCommunication->RequestParamRanges(ranges);
  mCommunication->RequestParamValue(ParamDescriptor(PseudoParamID::DeviceText));
  return result;
}

SVRESULT LRootModule::StopDelivery() {
  if (mCommunication) mCommunication->SetDeliveryEnabled(false);
  return S_OK;
}

void LRootModule::NotifyEngine(const Array<ParamValue>& values) {
  if (mCallback) mCallback(mContext, values);
}

SVRESULT LRootModule::SetParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  return UpdateParamValue(descriptor, value);
}

Variant LRootModule::GetParamValue(const ParamDescriptor& descriptor) { return GetCachedParamValue(descriptor); }

bool LRootModule::IsPresetID(int32_t paramID) const {
  return OffsetOf(paramID) < static_cast<uint32_t>(ParameterTable::kParameterCount);
}

SVRESULT LRootModule::UpdateParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  if (!IsPresetID(descriptor.paramID)) return -1;
  if (value.IsEmpty()) return S_OK;
  Variant byte;
  // Mended: a preset value that is not one byte is refused, not stored.
  if (!OneByteValue::Normalize(value, byte)) return -1;
  const ParamDescriptor slot(static_cast<int32_t>(OffsetOf(descriptor.paramID)), descriptor.subKey);
  Variant cached;
  mCache->GetValue(slot, cached);
  if (cached == byte) return S_OK;
  mCache->SetValue(slot, byte, true);
  OnParamValueChanged(descriptor, byte);
  return S_OK;
}

Variant LRootModule::GetCachedParamValue(const ParamDescriptor& descriptor) {
  Variant value;
  const ParamDescriptor slot(static_cast<int32_t>(OffsetOf(descriptor.paramID)), descriptor.subKey);
  if (!mCache || mCache->GetValue(slot, value) < 0) value.Empty();
  return value;
}

void LRootModule::OnParamValueChanged(const ParamDescriptor& descriptor, const Variant& value) {
  mChangeList.GetAt(0) = ParamValue(descriptor, value);
  NotifyEngine(mChangeList);
}

RCPtr<LDeviceCommunicationInterface> LRootModule::GetCommunicationInterface() { return mCommunication; }

SVRESULT LRootModule::WriteParamValue(const ParamDescriptor& descriptor, const Variant& value) {
  MutexLock guard(mLock);
  if (descriptor.paramID == PseudoParamID::DeviceSelection)
    return mCommunication->SelectDevice(value.GetInt64()) ? S_OK : S_FALSE;
  if (!IsPresetID(descriptor.paramID)) return IRootModule::WriteParamValue(descriptor, value);
  // An empty value changes nothing and is not sent either.
  if (value.IsEmpty()) return S_OK;
  Variant byte;
  // Mended: a preset value that is not one byte is refused before anything happens.
  if (!OneByteValue::Normalize(value, byte)) return -1;
  return IRootModule::WriteParamValue(descriptor, byte);
}

SVRESULT LRootModule::ReadParamValue(const ParamDescriptor& descriptor, Variant& value) {
  MutexLock guard(mLock);
  if (descriptor.paramID < 0) return mCommunication->GetParamValue(descriptor, value);
  return IRootModule::ReadParamValue(descriptor, value);
}

void LRootModule::ReceiveParamValues(const ParamValues& values) {
  MutexLock guard(mLock);
  for (uint32_t i = 0; i < values.GetCount(); ++i) {
    ParamDescriptor descriptor;
    Variant value;
    values.GetAt(i, value, descriptor.paramID, descriptor.subKey);
    ReceiveOne(descriptor.paramID, descriptor, value);
  }
}

void LRootModule::ReceiveOne(int32_t paramID, const ParamDescriptor& descriptor, const Variant& value) {
  RCPtr<LParameterizedModule> owner;
  if (paramID >= 0)
    owner = GetModuleForParamID(paramID);
  else if (IsSpecialID(paramID))
    owner = GetSpecialModule(paramID);
  else if (paramID == PseudoParamID::DeviceReady && value.GetBool())
    OnDeviceReady();
  if (owner)
    owner->SetParamValueLocal(descriptor, value, true);
  else
    OnParamValueChanged(ParamDescriptor(paramID), value);
}

}  // namespace SV
