#pragma once
#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "SVFramework/ObjectBase/Exception.h"
#include "SVFramework/Utilities/Storage/Iterable.h"

namespace SV::ArrayUtils {

// Sorts the elements first .. first + count - 1 of the array in place by `less` (a
// strict "less than" of two elements). Equal elements keep their order. A count below
// 2 does nothing; a range that ends past the count raises
// SV::Exception<std::out_of_range>. Runs on the caller's thread; the array is not locked.
template <class T, class Less>
void Sort(IArray<T>& array, uint32_t first, uint32_t count, Less less) {
  if (count < 2) return;
  if (uint64_t{first} + count > array.GetCount()) SV_RAISE(std::out_of_range, "", "SV::ArrayUtils::Sort");
  T* begin = array.GetData() + first;
  std::stable_sort(begin, begin + count, less);
}

// Fills `indices` with first .. first + count - 1 and sorts them by `less`, a strict
// "less than" of two indices that sees the source through its own state; entries that
// compare equal keep their order. Raises SV::Exception<std::out_of_range>, leaving the
// indices untouched, when the source holds fewer than first + count elements.
template <class T, class Less>
void SortIndecies(IArray<uint32_t>& indices, const IIterable<T>& source, uint32_t first, uint32_t count, Less less) {
  if (uint64_t{first} + count > source.GetCount()) SV_RAISE(std::out_of_range, "", "SV::ArrayUtils::SortIndecies");
  indices.SetCount(count);
  if (count == 0) return;
  uint32_t* entries = indices.GetData();
  for (uint32_t i = 0; i < count; ++i) entries[i] = first + i;
  if (count < 2) return;
  std::stable_sort(entries, entries + count, less);
}

}  // namespace SV::ArrayUtils
