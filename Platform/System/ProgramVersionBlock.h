#pragma once
#include <string_view>

namespace Platform::System {

// The running program's version block, made at build time from the product's identity
// and version (see VersionBlock for its form). Any thread may call it.
std::string_view ProgramVersionBlock();

}  // namespace Platform::System
