#include "SVFramework/ControlBase/ConditionsParam.h"

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

String LConditionsParam::ToString() const { return String::FromFormat(u"(%g, %g)", point.x, point.y); }

RCPtr<LConditionsParam> MakeConditionsParam(uint32_t previous, uint32_t current, PointT<double> point) {
  return RCPtr<LConditionsParam>(new LConditionsParam(previous, current, point));
}

}  // namespace SV
