#include "SVFramework/Utilities/Storage/StringPairs.h"

#include "SVFramework/Utilities/Storage/ArrayUtils.h"

namespace SV {

SVRESULT CopyStringMapToPairs(const StringMap& map, Array<StringPair>& pairs) {
  pairs.RemoveAll();
  for (const auto& [key, value] : map) pairs.Append(StringPair{key, value});
  ArrayUtils::Sort(pairs, 0, pairs.GetCount(), [](const StringPair& a, const StringPair& b) { return a < b; });
  return S_OK;
}

}  // namespace SV
