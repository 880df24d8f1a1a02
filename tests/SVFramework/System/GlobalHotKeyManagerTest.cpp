#include "SVFramework/System/GlobalHotKeyManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/ControlBase/KeyParam.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationDistributor.h"

namespace SV {
namespace {

// Keeps every notification it is handed, with whether a source came along.
class RecordingReceiver : public LNotificationReceiver {
public:
  int32_t Receive(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification) override {
    received.push_back(notification);
    sourceGiven = sourceGiven || source;
    return 1;
  }
  SVRESULT UnsubscribeVirtual(const RCPtr<LNotificationDistributor>&, const char16_t*) override { return S_OK; }

  std::vector<RCPtr<LNotification>> received;
  bool sourceGiven = false;
};

class GlobalHotKeyManagerDispatch : public testing::Test {
protected:
  void SetUp() override {
    mManager->GetMap().Add(KeyCode::Parse(u"Ctrl+VKEY_C"), u"NID_EDIT_COPY_REQ");
  }

  RCPtr<RecordingReceiver> mReceiver = RCPtr<RecordingReceiver>(new RecordingReceiver);
  RCPtr<LGlobalHotKeyManager> mManager = CreateGlobalHotKeyManager(RCPtr<LNotificationReceiver>(mReceiver.Get()));
};

TEST_F(GlobalHotKeyManagerDispatch, BoundKeyReachesTheTargetWithItsKeyPayload) {
  const KeyCode ctrlCDown(0x21430000, 0x04, 0);
  EXPECT_EQ(mManager->ProcessKey(ctrlCDown), 0);
  ASSERT_EQ(mReceiver->received.size(), 1u);
  EXPECT_FALSE(mReceiver->sourceGiven);
  const RCPtr<LNotification>& notification = mReceiver->received[0];
  EXPECT_EQ(notification->GetID(), InternNotificationID(u"NID_EDIT_COPY_REQ"));
  const auto* payload = dynamic_cast<const LKeyParam*>(notification->GetPayload().Get());
  ASSERT_NE(payload, nullptr);
  EXPECT_EQ(payload->key.code, ctrlCDown.code);
  EXPECT_EQ(payload->key.sides, 0x04u);
  EXPECT_EQ(payload->sourceFlag, 1);
  EXPECT_EQ(payload->route.GetCount(), 0u);
  EXPECT_EQ(std::u16string(payload->ToString().View()), u"Ctrl+VKEY_C");
}

TEST_F(GlobalHotKeyManagerDispatch, UnboundKeyAndReleaseAreNotHandled) {
  EXPECT_EQ(mManager->ProcessKey(KeyCode(0x01430000, 0x04, 1)), 1) << "release of Ctrl+C";
  EXPECT_EQ(mManager->ProcessKey(KeyCode::Parse(u"Ctrl+VKEY_V")), 1);
  EXPECT_TRUE(mReceiver->received.empty());
}

TEST(GlobalHotKeyManager, BoundKeyIsHandledEvenWithoutTarget) {
  RCPtr<LGlobalHotKeyManager> manager = CreateGlobalHotKeyManager(RCPtr<LNotificationReceiver>());
  manager->GetMap().Add(KeyCode::Parse(u"VKEY_DELETE"), u"NID_EDIT_DELETE_REQ");
  EXPECT_EQ(manager->ProcessKey(KeyCode::Parse(u"VKEY_DELETE")), 0);
}

}  // namespace
}  // namespace SV
