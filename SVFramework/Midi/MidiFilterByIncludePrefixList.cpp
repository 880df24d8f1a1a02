#include "SVFramework/Midi/MidiFilterByIncludePrefixList.h"

#include <algorithm>
#include <cstring>

namespace SV {

RCPtr<LIMidiFilterByIncludePrefixList> LIMidiFilterByIncludePrefixList::Create(std::vector<Prefix> prefixes) {
  return RCPtr<LIMidiFilterByIncludePrefixList>(new LIMidiFilterByIncludePrefixList(std::move(prefixes)));
}

RCPtr<LRefCountedObject> LIMidiFilterByIncludePrefixList::Copy() const {
  return RCPtr<LRefCountedObject>(new LIMidiFilterByIncludePrefixList(mPrefixes));
}

bool LIMidiFilterByIncludePrefixList::Passes(const int8_t* bytes, uint32_t count) const {
  return std::any_of(mPrefixes.begin(), mPrefixes.end(), [&](const Prefix& prefix) {
    return prefix.size() <= count && (prefix.empty() || std::memcmp(prefix.data(), bytes, prefix.size()) == 0);
  });
}

}  // namespace SV
