#pragma once
#include <cstdint>
#include <memory>

#include "DeviceControl/GeneratedCode/Engine/inc/DeviceCommunicationInterface.h"
#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParameterTable.h"
#include "DeviceControl/GeneratedCode/Engine/inc/PseudoParamTranslator.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModuleInterface.h"

namespace SV {

// What the three model leaves share: they hold no values, check that an ID is
// their own, answer the defaults of their rows of the parameter table and pass
// every real read and write up to the root. The leaf classes raise their own logic
// errors where these checks fail. Used inside the root's lock.
template <class Interface, ParameterTable::ModuleKind Kind>
class LLeafModule : public Interface {
public:
  ~LLeafModule() override = default;

protected:
  LLeafModule() : mTranslator(std::make_unique<LPseudoParamTranslator>(*this)) {}

  bool IsInRun(int32_t paramID) const {
    return this->OffsetOf(paramID) < static_cast<uint32_t>(this->GetOwnParamCount());
  }

  // Whether this module sits at the start of one of its kind's runs, counted from
  // the root's first ID (either zone may take either MIDI-zone run).
  bool HasRequiredOffset() {
    const int64_t offset = int64_t{this->GetFirstParamID()} - this->GetRoot()->GetFirstParamID();
    for (int32_t zone = 0; zone < ParameterTable::kZoneCount; ++zone) {
      const int32_t start = ParameterTable::RunStart(Kind, zone);
      if (start >= 0 && start == offset) return true;
    }
    return false;
  }

  // The default of an ID of this run.
  Variant DefaultFor(int32_t paramID) const {
    const int32_t row = ParameterTable::RunStart(Kind, 0) + static_cast<int32_t>(this->OffsetOf(paramID));
    return OneByteValue::Make(ParameterTable::DefaultByte(row, this->GetIndex()));
  }

  // The steps of a local write before the value is handed up. False, with the
  // result, when the write ends here: -1 for an ID outside the run or a pseudo-ID
  // other than the special ones; 1 when the translator maps a special ID onto no
  // parameter. A special ID from inside the system is first sent to the device
  // (never echoed when it came from the device). True with what to hand up.
  bool PrepareLocalWrite(const ParamDescriptor& descriptor, const Variant& value, bool fromDevice,
                         ParamDescriptor& handedUp, Variant& handedUpValue, SVRESULT& result) {
    const int32_t id = descriptor.paramID;
    if (id >= 0 || !IRootModule::IsSpecialID(id)) {
      result = -1;
      if (id < 0 || !IsInRun(id)) return false;
      handedUp = descriptor;
      handedUpValue = value;
      return true;
    }
    if (!fromDevice) SendToDevice(descriptor, value);
    if (mTranslator->Translate(descriptor, value, handedUp, handedUpValue) < 0) {
      result = S_FALSE;
      return false;
    }
    return true;
  }

private:
  void SendToDevice(const ParamDescriptor& descriptor, const Variant& value) {
    RCPtr<IRootModule> root = RCPtr<IRootModule>(dynamic_cast<IRootModule*>(this->GetRoot().Get()));
    if (!root) return;
    if (RCPtr<LDeviceCommunicationInterface> communication = root->GetCommunicationInterface())
      communication->SetParamValue(descriptor, value);
  }

  const std::unique_ptr<LPseudoParamTranslator> mTranslator;
};

}  // namespace SV
