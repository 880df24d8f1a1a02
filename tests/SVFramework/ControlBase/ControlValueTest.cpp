#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ValueParam.h"
#include "SVFramework/notification/Notification.h"
#include "tests/Support/Controls/InstrumentedControl.h"

namespace SV {
namespace {

// Counts the hook and records the payloads of "NID_VALUE_CHANGE".
class ValueControl : public Testing::InstrumentedControl {
public:
  using InstrumentedControl::InstrumentedControl;
  void OnValueChanged() override { ++hookCalls; }
  int hookCalls = 0;
};

class ValueLog : public LNotificationClient {
public:
  int32_t Receive(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) override {
    const auto* value = dynamic_cast<const LValueParam*>(notification->GetPayload().Get());
    entries.push_back({value->normalizedValue, value->value});
    return 0;
  }
  std::vector<std::pair<double, double>> entries;
};

class ControlValueTest : public ::testing::Test {
protected:
  void SetUp() override { log->Subscribe(RCPtr<LNotificationDistributor>(control.Get()), u"NID_VALUE_CHANGE"); }
  void TearDown() override { log->UnsubscribeAll(); }

  Testing::LifeRecord life;
  RCPtr<ValueControl> control{new ValueControl(life, nullptr, u"knob")};
  RCPtr<ValueLog> log{new ValueLog};
};

TEST_F(ControlValueTest, APositionIsClampedStoredAndAnnouncedOnceWithItsValue) {
  control->SetValueRange(0, 200, 0);
  EXPECT_EQ(control->SetNormalizedValue(1.5), 1.0);
  EXPECT_EQ(control->SetNormalizedValue(1.2), 1.0);
  EXPECT_EQ(control->SetNormalizedValue(1.0), 1.0);
  EXPECT_EQ(log->entries, (std::vector<std::pair<double, double>>{{1.0, 200.0}}));
  EXPECT_EQ(control->hookCalls, 1);
}

TEST_F(ControlValueTest, NotANumberCountsAsZero) {
  control->SetNormalizedValue(0.5);
  EXPECT_EQ(control->SetNormalizedValue(std::numeric_limits<double>::quiet_NaN()), 0.0);
  EXPECT_EQ(control->GetNormalizedValue(), 0.0);
  ASSERT_EQ(log->entries.size(), 2u);
  EXPECT_EQ(log->entries[1].first, 0.0);
}

TEST_F(ControlValueTest, RangesMapBothWaysOnBothScales) {
  struct Case {
    double minimum, maximum;
    int32_t taper;
    double position, value;
  };
  const Case cases[] = {
      {10, 1000, 1, 0.5, 100},
      {100, 0, 0, 0.25, 75},
      {-50, 50, 0, 0.75, 25},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(control->SetValueRange(c.minimum, c.maximum, c.taper), S_OK);
    EXPECT_NEAR(control->NormalizedToValue(c.position), c.value, 1e-9) << c.minimum << ".." << c.maximum;
    EXPECT_NEAR(control->ValueToNormalized(c.value), c.position, 1e-12) << c.minimum << ".." << c.maximum;
  }
}

TEST_F(ControlValueTest, ValuesOutsideTheRangeMapToItsEnds) {
  control->SetValueRange(10, 1000, 1);
  EXPECT_EQ(control->ValueToNormalized(5), 0.0);
  EXPECT_EQ(control->ValueToNormalized(5000), 1.0);
  control->SetValueRange(100, 0, 0);
  EXPECT_EQ(control->ValueToNormalized(150), 0.0);
  control->SetValueRange(7, 7, 0);
  EXPECT_EQ(control->ValueToNormalized(3), 0.0);
  EXPECT_EQ(control->NormalizedToValue(0.6), 7.0);
}

TEST_F(ControlValueTest, InvalidRangesAreRefusedAndKeepTheOldOne) {
  control->SetValueRange(1, 2, 0);
  EXPECT_EQ(control->SetValueRange(0, 100, 1), E_INVALIDARG);
  EXPECT_EQ(control->SetValueRange(1, 100, 2), E_INVALIDARG);
  EXPECT_EQ(control->NormalizedToValue(1), 2.0);
  EXPECT_TRUE(log->entries.empty()) << "changing the range announces nothing";
}

}  // namespace
}  // namespace SV
