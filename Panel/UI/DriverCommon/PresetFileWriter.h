#pragma once
#include <cstdint>
#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/ParamValue.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The bytes of a preset file holding `values`, the 24 parameters in order (each
// written under its position as parameter index). 0, or E_FAIL when there are not
// exactly 24 values or one cannot be serialised; `bytes` is then empty.
SVRESULT BuildPresetFileBytes(const Array<ParamValue>& values, std::vector<uint8_t>& bytes);

// Writes `values` as the preset file at `path`, all or nothing: 0 when the file holds
// them; E_FAIL when there are not 24 values, or a write, the close or putting the new
// file in place failed, and then the file at `path` is left exactly as it was (or
// absent). UI thread only.
SVRESULT WritePresetFile(const String& path, const Array<ParamValue>& values);

}  // namespace SV
