#include "SVFramework/ControlBase/ValueParam.h"

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

String LValueParam::ToString() const { return String::FromFormat(u"ValueParam = %lf", normalizedValue); }

RCPtr<LValueParam> MakeValueParam(double normalizedValue, double value) {
  return RCPtr<LValueParam>(new LValueParam(normalizedValue, value));
}

}  // namespace SV
