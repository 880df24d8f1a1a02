#pragma once
#include <string>

#include "SVFramework/Controls/IndexedDataParam.h"
#include "SVFramework/Controls/MenuActivationParam.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/notification/Notification.h"

// Short texts for the payloads the controls send, so that a test compares logs of them.
namespace SV::Testing {

// The activated item's index of a menu activation, or "no payload".
inline std::string DescribeActivation(const RCPtr<LNotification>& notification) {
  const auto* param = dynamic_cast<const LMenuActivationParam*>(notification->GetPayload().Get());
  return param ? std::to_string(param->GetIndex()) : "no payload";
}

// A flag payload as "true" or "false", or "none".
inline std::string DescribeFlag(const RCPtr<LNotification>& notification) {
  const auto* flag = dynamic_cast<const LHolder<bool>*>(notification->GetPayload().Get());
  return flag ? (flag->Value() ? "true" : "false") : "none";
}

// An item's index and value, as "index value", or "?".
inline std::string DescribeItem(const RCPtr<LNotification>& notification) {
  const auto* param = dynamic_cast<const LIndexedDataWithValueParam*>(notification->GetPayload().Get());
  return param ? std::to_string(param->index) + " " + std::to_string(param->value) : std::string("?");
}

}  // namespace SV::Testing
