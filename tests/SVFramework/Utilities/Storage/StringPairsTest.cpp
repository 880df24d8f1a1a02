#include "SVFramework/Utilities/Storage/StringPairs.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(StringPairs, CopiesAMapInOrdinalKeyOrderAfterEmptyingThePairs) {
  const StringMap map{{String(u"ITEM.10"), String(u"ten")},
                      {String(u"ITEM.02"), String(u"two")},
                      {String(u"ITEM.1"), String(u"one")},
                      {String(u"Item.0"), String(u"zero")}};
  Array<StringPair> pairs{StringPair{String(u"old"), String(u"entry")}};
  EXPECT_EQ(CopyStringMapToPairs(map, pairs), S_OK);
  const Array<StringPair> expected{StringPair{String(u"ITEM.02"), String(u"two")},
                                   StringPair{String(u"ITEM.1"), String(u"one")},
                                   StringPair{String(u"ITEM.10"), String(u"ten")},
                                   StringPair{String(u"Item.0"), String(u"zero")}};
  ASSERT_EQ(pairs.GetCount(), expected.GetCount());
  for (uint32_t i = 0; i < pairs.GetCount(); ++i) EXPECT_EQ(pairs[i], expected[i]) << pairs[i].first;
}

TEST(StringPairs, AnEmptyMapLeavesAnEmptyArray) {
  Array<StringPair> pairs{StringPair{String(u"old"), String(u"entry")}};
  EXPECT_EQ(CopyStringMapToPairs(StringMap(), pairs), S_OK);
  EXPECT_EQ(pairs.GetCount(), 0u);
}

TEST(StringPairs, PairsOrderByFirstThenBySecond) {
  const StringPair a{String(u"k"), String(u"a")}, b{String(u"k"), String(u"b")}, c{String(u"l"), String(u"a")};
  EXPECT_TRUE(a < b);
  EXPECT_TRUE(b < c);
  EXPECT_FALSE(b < a);
  EXPECT_FALSE(a < a);
}

}  // namespace
}  // namespace SV
