#pragma once
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace SV::Testing {

// Sets or removes environment variables for one scope and puts back what was there.
// Single-threaded tests only: the environment is process-wide.
class ScopedEnvironment {
public:
  ScopedEnvironment() = default;
  ~ScopedEnvironment() {
    for (const auto& [name, value] : mSaved) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  // Sets the variable; a null value removes it.
  void Set(const std::string& name, const char* value) {
    if (!mSaved.count(name)) {
      const char* old = std::getenv(name.c_str());
      mSaved[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) setenv(name.c_str(), value, 1);
    else unsetenv(name.c_str());
  }

private:
  std::map<std::string, std::optional<std::string>> mSaved;
};

}  // namespace SV::Testing
