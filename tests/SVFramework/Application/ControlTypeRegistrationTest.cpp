#include "SVFramework/Application/ControlTypeRegistration.h"

#include <gtest/gtest.h>

#include <string>

#include "SVFramework/ControlBase/ControlCreation.h"
#include "SVFramework/ControlBase/ControlFactory.h"
#include "SVFramework/ObjectBase/Exception.h"

namespace SV {
namespace {

// A widget class of the test's own.
class TestWidget : public LControl {
public:
  TestWidget(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}
};

TEST(ControlTypeRegistrationTest, EveryEntryIsRegisteredUnderItsExactClassName) {
  const ControlTypeEntry table[] = {
      {u"Framework.Widget", &LControlCreation::Create<TestWidget>},
      {u"Framework.listboxNoScroll", &LControlCreation::Create<TestWidget>},
  };
  const RCPtr<LControlFactory> factory = LControlFactory::Create(u"Test");
  RegisterControlTypes(*factory, table);
  LControlCreateFunction create = nullptr;
  EXPECT_EQ(factory->GetControlCreateFunction(u"Framework.Widget", create), S_OK);
  EXPECT_EQ(create, &LControlCreation::Create<TestWidget>);
  EXPECT_EQ(factory->GetControlCreateFunction(u"Framework.listboxNoScroll", create), S_OK);
  EXPECT_ANY_THROW(factory->GetControlCreateFunction(u"Framework.ListboxNoScroll", create));
}

TEST(ControlTypeRegistrationTest, AFailedRegistrationRaisesWithTheClassNameAndStopsTheTable) {
  const ControlTypeEntry table[] = {
      {u"Framework.Broken", nullptr},
      {u"Framework.After", &LControlCreation::Create<TestWidget>},
  };
  const RCPtr<LControlFactory> factory = LControlFactory::Create(u"Test");
  try {
    RegisterControlTypes(*factory, table);
    FAIL() << "no exception";
  } catch (const FailedResultException& error) {
    EXPECT_NE(std::string(error.what()).find("Framework.Broken"), std::string::npos) << error.what();
  }
  LControlCreateFunction create = nullptr;
  EXPECT_ANY_THROW(factory->GetControlCreateFunction(u"Framework.After", create));
}

TEST(ControlTypeRegistrationTest, FrameworkTableNamesOnlyFrameworkClasses) {
  for (const ControlTypeEntry& entry : GetFrameworkControlTypes()) {
    EXPECT_EQ(String(entry.className).Left(10), String(u"Framework."));
    EXPECT_NE(entry.create, nullptr);
  }
}

}  // namespace
}  // namespace SV
