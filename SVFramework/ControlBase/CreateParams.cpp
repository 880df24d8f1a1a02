#include "SVFramework/ControlBase/CreateParams.h"

namespace SV {

bool LCreateParams::Has(const LStringTable* parameters, const char16_t* id) {
  String text;
  return parameters && parameters->GetString(id, text);
}

bool LCreateParams::ReadBoolean(const LStringTable* parameters, const char16_t* id, bool& value) {
  String text;
  if (!parameters || !parameters->GetString(id, text)) return false;
  value = text.ToLower().Trim() == u"true";
  return true;
}

bool LCreateParams::ReadReal(const LStringTable* parameters, const char16_t* id, double& value) {
  String text;
  if (!parameters || !parameters->GetString(id, text)) return false;
  value = text.ToDouble();
  return true;
}

}  // namespace SV
