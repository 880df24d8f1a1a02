#pragma once
#include "DeviceControl/GeneratedCode/Engine/inc/ParamDescriptor.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Pair.h"
#include "SVFramework/Utilities/Storage/Variant.h"
#include "SVFramework/Utilities/Wrapper.h"

namespace SV {

// One changed parameter, its descriptor and new value; its text is the ParamID.
using ParamChangePayload = LPair<ParamDescriptor, Variant, &ParamDescriptorToString>;
// A set of parameter values, shared: a notification payload and the element of the
// device communication interface's receive queue.
using ParamValuesPayload = LWrapper<ParamValues, LRefCountedObject>;

}  // namespace SV
