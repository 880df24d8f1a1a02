#include "SVFramework/Utilities/Storage/TemplateFunctionName.h"

#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

std::string TemplateFunctionName(const char* classTemplate, const std::type_info& elementClass,
                                 std::initializer_list<uint32_t> numbers, const char* function) {
  std::string name = std::string(classTemplate) + "<class " + TypeName(elementClass);
  for (const uint32_t number : numbers) name += "," + std::to_string(number);
  return name + ">::" + function;
}

}  // namespace SV
