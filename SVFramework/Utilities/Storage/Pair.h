#pragma once

namespace SV {

// Two values kept together, such as the (ID, text) entries of a string table. Equal
// when both values are; ordered by the first value, then by the second.
template <class First, class Second>
struct Pair {
  First first{};
  Second second{};

  bool operator==(const Pair& other) const { return first == other.first && second == other.second; }
  bool operator<(const Pair& other) const {
    if (first < other.first) return true;
    if (other.first < first) return false;
    return second < other.second;
  }
};

}  // namespace SV
