#pragma once
#include <map>

#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/Pair.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

using StringPair = Pair<String, String>;
// An ordered map from text to text, in the strings' ordinal order.
using StringMap = std::map<String, String>;

// Empties `pairs`, appends one (key, value) pair per entry of the map and sorts them
// by key, then by value; returns S_OK. Runs on the caller's thread.
SVRESULT CopyStringMapToPairs(const StringMap& map, Array<StringPair>& pairs);

}  // namespace SV
