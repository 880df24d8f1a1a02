#include "SVFramework/notification/NotificationID.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace SV {
namespace {

TEST(NotificationID, NullOrEmptyTextHasNoID) {
  EXPECT_EQ(InternNotificationID(nullptr), nullptr);
  EXPECT_EQ(InternNotificationID(u""), nullptr);
}

TEST(NotificationID, EqualTextsFromDifferentBuffersGiveTheSameIDAndCaseMatters) {
  const std::u16string first = u"NID_VALUE_CHANGE";
  const std::u16string second = u"NID_VALUE_CHANGE";
  const NotificationID id = InternNotificationID(first.c_str());

  EXPECT_EQ(InternNotificationID(second.c_str()), id);
  EXPECT_NE(id, first.c_str());
  EXPECT_EQ(InternNotificationID(id), id);
  EXPECT_EQ(std::u16string(id), first);
  EXPECT_NE(InternNotificationID(u"nid_value_change"), id);
}

TEST(NotificationID, FindingFindsOnlyInternedTextsAndNeverAddsOne) {
  const std::u16string text = u"NID_FOUND_BY_TEXT";
  EXPECT_EQ(FindNotificationID(text.c_str()), nullptr);
  EXPECT_EQ(FindNotificationID(text.c_str()), nullptr) << "a failed lookup added the text";
  const NotificationID id = InternNotificationID(text.c_str());
  EXPECT_EQ(FindNotificationID(text.c_str()), id);
  EXPECT_EQ(FindNotificationID(id), id);
  EXPECT_EQ(FindNotificationID(u"nid_found_by_text"), nullptr);
  EXPECT_EQ(FindNotificationID(nullptr), nullptr);
  EXPECT_EQ(FindNotificationID(u""), nullptr);
}

TEST(NotificationID, AnIDKeepsItsAddressAndTextWhileHundredsMoreAreInterned) {
  const NotificationID id = InternNotificationID(u"NID_STAYS_PUT");
  for (int i = 0; i < 500; ++i) {
    const std::u16string text = u"NID_FILLER_" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                std::u16string(1, static_cast<char16_t>(u'0' + i / 26));
    InternNotificationID(text.c_str());
  }
  EXPECT_EQ(std::u16string(id), u"NID_STAYS_PUT");
  EXPECT_EQ(InternNotificationID(u"NID_STAYS_PUT"), id);
  MutexLock lock(GetNotificationLock());
  EXPECT_GE(GetNotificationIDRegistry().FindByPointer(id), 0);
}

TEST(NotificationID, ThreadsInterningTheSameNewTextsAgreeOnEveryID) {
  constexpr int kTexts = 64;
  std::vector<NotificationID> seen[4];
  std::vector<std::thread> threads;
  for (auto& ids : seen)
    threads.emplace_back([&ids] {
      for (int i = 0; i < kTexts; ++i) {
        const std::u16string text = u"NID_RACE_" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                    std::u16string(1, static_cast<char16_t>(u'a' + i / 26));
        ids.push_back(InternNotificationID(text.c_str()));
      }
    });
  for (auto& thread : threads) thread.join();
  for (const auto& ids : seen) EXPECT_EQ(ids, seen[0]);
}

}  // namespace
}  // namespace SV
