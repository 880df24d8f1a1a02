#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringArrayT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LStringTable;

// The items of lists and combo boxes as their string tables give them: key "ITEM.n"
// holds the text of item n. A table is data from outside, so an index is trusted only
// within 0..kMaxItemKeyIndex: a hostile key can neither write before the first item nor
// make the list huge. UI thread only.
constexpr int32_t kMaxItemKeyIndex = 65535;

// The index of an "ITEM." key: the decimal number after the prefix as the C library
// reads it (leading blanks, a sign, digits up to the first other character). -1 for
// a key without the prefix or without digits there, and for a number outside
// 0..kMaxItemKeyIndex.
int32_t GetItemKeyIndex(const String& key);

// The item texts of the table in index order: text n is the one of the last key in
// key order with index n ("ITEM.2" after "ITEM.02"); indexes below the highest that
// no key names give empty texts. Keys that GetItemKeyIndex refuses are ignored. Empty
// for a null table.
StringArrayT<char16_t, char> ReadItemTexts(const LStringTable* table);

}  // namespace SV
