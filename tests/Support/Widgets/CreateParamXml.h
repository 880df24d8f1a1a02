#pragma once
#include <string>

namespace SV::Testing {

// A skin's <CreateParam> element of type String.
inline std::string Param(const char* id, const char* value) {
  return std::string("<CreateParam ID=\"") + id + "\" Type=\"String\">" + value + "</CreateParam>";
}

}  // namespace SV::Testing
