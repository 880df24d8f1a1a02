#include "SVFramework/ObjectBase/Exception.h"

#include <cstdio>
#include <string_view>

namespace SV {

const char* ExceptionBase::What() const {
  const auto* standard = dynamic_cast<const std::exception*>(this);
  return standard ? standard->what() : "";
}

std::string FormatResultCode(SVRESULT result) {
  char digits[65];
  std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(result));
  return std::string("SVRESULT = ") + digits;
}

std::string ExceptionSourcePath(const char* file) {
  std::string_view path(file ? file : "");
  const auto dot = path.rfind('.');
  const auto slash = path.rfind('/');
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash))
    path = path.substr(0, dot);
  constexpr std::string_view kFramework = "SVFramework/";
  constexpr std::string_view kEditor = "Panel/";
  constexpr std::string_view kGenerated = "DeviceControl/";
  if (path.starts_with(kFramework)) return std::string(path.substr(kFramework.size()));
  if (path.starts_with(kEditor)) return std::string(path.substr(kEditor.size()));
  if (path.starts_with(kGenerated)) return "../" + std::string(path);
  return std::string(path);
}

std::string RaiseText(const char* kind, const std::string& message, const char* function,
                      const char* file, int line) {
  std::string text(kind);
  if (!message.empty()) text += " : " + message;
  text += " : ";
  text += function;
  text += " : " + ExceptionSourcePath(file);
  text += " : Line " + std::to_string(line);
  return text;
}

}  // namespace SV
