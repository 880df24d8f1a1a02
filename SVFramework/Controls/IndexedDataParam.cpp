#include "SVFramework/Controls/IndexedDataParam.h"

namespace SV {

String LIndexedDataParam::ToString() const {
  String text = String::FromFormat(u"LIndexedDataParam: Index = %d, Data = ", index);
  if (data) text += data->ToString();
  return text;
}

String LIndexedDataWithValueParam::ToString() const {
  return LIndexedDataParam::ToString() + String::FromFormat(u" Value = %lf", value);
}

}  // namespace SV
