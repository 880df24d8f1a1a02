#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {

// A MIDI filter of the port manager: passes a captured message when its bytes begin
// with one of the filter's prefixes (an empty prefix passes every message; a filter
// without prefixes passes none). The port manager keeps a copy of each client's
// filter and asks it about every message before delivering it to that client.
// Subclasses may choose another rule; they override Copy and Passes together.
// Thread rules: a filter is filled by one thread before it is handed to the port
// manager; Passes and Copy only read and may run on any thread.
class LIMidiFilterByIncludePrefixList : public virtual LRefCountedObject {
public:
  using Prefix = std::vector<uint8_t>;

  static RCPtr<LIMidiFilterByIncludePrefixList> Create(std::vector<Prefix> prefixes = {});

  // A new filter of the same class and rule.
  virtual RCPtr<LRefCountedObject> Copy() const;
  // Whether a message of `count` bytes passes.
  virtual bool Passes(const int8_t* bytes, uint32_t count) const;

  void AddPrefix(Prefix prefix) { mPrefixes.push_back(std::move(prefix)); }
  const std::vector<Prefix>& GetPrefixes() const { return mPrefixes; }

protected:
  explicit LIMidiFilterByIncludePrefixList(std::vector<Prefix> prefixes) : mPrefixes(std::move(prefixes)) {}

private:
  std::vector<Prefix> mPrefixes;
};

}  // namespace SV
