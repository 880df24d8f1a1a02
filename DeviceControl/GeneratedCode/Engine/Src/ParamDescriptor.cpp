#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"

#include <string>

namespace SV {

String ParamDescriptorToString(const ParamDescriptor& descriptor) {
  const std::string digits = std::to_string(static_cast<uint32_t>(descriptor.paramID));
  return String(digits.c_str());
}

}  // namespace SV
