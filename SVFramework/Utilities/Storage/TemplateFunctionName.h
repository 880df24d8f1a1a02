#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <typeinfo>

namespace SV {

// The qualified name of a member of a class template over one shared class and some
// numbers, as exception texts show it:
// ("SV::RCPtrArray", typeid(LEvent), {1, 0}, "RemoveItem") gives
// "SV::RCPtrArray<class SV::LEvent,1,0>::RemoveItem". Any thread.
std::string TemplateFunctionName(const char* classTemplate, const std::type_info& elementClass,
                                 std::initializer_list<uint32_t> numbers, const char* function);

}  // namespace SV
