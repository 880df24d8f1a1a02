#pragma once
#include <exception>
#include <functional>
#include <string>

namespace SV::Testing {

// The text of the exception the action raises, or "nothing raised".
inline std::string RaisedText(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "nothing raised";
}

}  // namespace SV::Testing
