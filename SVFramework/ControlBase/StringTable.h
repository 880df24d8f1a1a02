#pragma once
#include <cstdint>
#include <map>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/StringPairs.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The texts of one string table (or one control's create parameters) by ID, in
// ordinal ID order. Every table the factory hands out is an independent copy.
// Used on the UI thread.
class LStringTable : public virtual LRefCountedObject {
public:
  static RCPtr<LStringTable> Create(const StringMap& entries = {});

  // True and the text when the ID is present; false with `text` unchanged otherwise.
  bool GetString(const char16_t* id, String& text) const;
  // E_INVALIDARG for an empty ID; 0 when the ID was added, 1 when its text was replaced.
  SVRESULT SetString(const char16_t* id, const String& text);
  // Appends to the text of the ID, adding the ID when absent (with E_INVALIDARG for an
  // empty ID): how a value that arrives in pieces is put together.
  SVRESULT AppendString(const char16_t* id, const String& text);
  // Empties `entries`, then appends every entry whose ID begins with the prefix (an
  // empty prefix takes all), in ascending ordinal ID order. Returns 0.
  SVRESULT GetEntriesWithPrefix(const String& prefix, Array<StringPair>& entries) const;

  uint32_t GetCount() const { return static_cast<uint32_t>(mEntries.size()); }
  const StringMap& GetEntries() const { return mEntries; }

protected:
  explicit LStringTable(const StringMap& entries) : mEntries(entries) {}

private:
  StringMap mEntries;
};

}  // namespace SV
