#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "DeviceControl/GeneratedCode/Engine/inc/CCValues.h"
#include "DeviceControl/GeneratedCode/Engine/inc/Device.h"
#include "DeviceControl/GeneratedCode/Engine/inc/Keybed.h"
#include "DeviceControl/GeneratedCode/Engine/inc/MidiChannels.h"
#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/RootModule.h"
#include "tests/Support/DeviceModelStubs.h"

namespace SV {
namespace {

using Testing::StubCommunicationInterface;

// The message of a logic error raised by `call`, or "" when none is raised.
std::string LogicErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const std::logic_error& error) {
    return error.what();
  }
  return "";
}

// A model tree wired from first ID 0 by its root, in cache mode, with a stub
// interface.
struct WiredTree {
  WiredTree() : root(LRootModule::Create(true)), communication(new StubCommunicationInterface) {
    root->Initialize(nullptr, nullptr, LParamCache::Create(24), communication, 0);
  }
  RCPtr<LParameterizedModule> Module(int32_t paramID) { return root->GetModuleForParamID(paramID); }

  RCPtr<LRootModule> root;
  RCPtr<StubCommunicationInterface> communication;
};

TEST(LeafModules, EachAnswersItsDefaultsByOffsetAndRaisesOutsideItsRun) {
  WiredTree tree;
  const struct Leaf {
    const char* name;
    const char* file;
    int32_t firstID;
    std::vector<uint8_t> defaults;
  } leaves[] = {
      {"LKeybed", "Src/Keybed", 0, {0, 40, 0, 59}},
      {"LCCValues", "Src/CCValues", 4, {1, 64, 11, 65}},
      {"LMidiChannels", "Src/MidiChannels", 8, {0, 1, 1, 1, 1, 1, 1, 1}},
      {"LMidiChannels", "Src/MidiChannels", 16, {1, 1, 1, 1, 1, 1, 1, 1}},
  };
  for (const Leaf& leaf : leaves) {
    RCPtr<LParameterizedModule> module = tree.Module(leaf.firstID);
    ASSERT_TRUE(module) << leaf.name;
    EXPECT_EQ(module->GetFirstParamID(), leaf.firstID) << leaf.name;
    EXPECT_EQ(module->GetOwnParamCount(), static_cast<int32_t>(leaf.defaults.size())) << leaf.name;
    for (size_t offset = 0; offset < leaf.defaults.size(); ++offset)
      EXPECT_EQ(module->GetParamValueDefault(leaf.firstID + static_cast<int32_t>(offset)),
                OneByteValue::Make(leaf.defaults[offset]))
          << leaf.name << " offset " << offset;

    const int32_t past = leaf.firstID + static_cast<int32_t>(leaf.defaults.size());
    const std::string defaultError = LogicErrorOf([&] { module->GetParamValueDefault(past); });
    EXPECT_EQ(defaultError.rfind(std::string("Logic Error : ") + leaf.name + "::GetParamValueDefault : "
                                 "../DeviceControl/GeneratedCode/Engine/" + leaf.file + " : Line ", 0),
              0u)
        << defaultError;
    const std::string readError = LogicErrorOf([&] { module->GetParamValueLocal(ParamDescriptor(leaf.firstID - 1)); });
    EXPECT_NE(readError.find(std::string(leaf.name) + "::GetParamValueLocal"), std::string::npos) << readError;
    EXPECT_EQ(module->SetParamValueLocal(ParamDescriptor(past), OneByteValue::Make(1), false), -1) << leaf.name;
    EXPECT_EQ(module->SetParamValueLocal(ParamDescriptor(leaf.firstID - 1), OneByteValue::Make(1), false), -1)
        << leaf.name;
  }
}

TEST(LeafModules, EachAcceptsOnlyTheFirstIDsOfItsRuns) {
  const struct Case {
    const char* name;
    std::function<RCPtr<LParameterizedModule>()> create;
    int32_t firstID;
    bool accepted;
  } cases[] = {
      {"LKeybed", [] { return RCPtr<LParameterizedModule>(LKeybed::Create()); }, 0, true},
      {"LKeybed", [] { return RCPtr<LParameterizedModule>(LKeybed::Create()); }, 1, false},
      {"LCCValues", [] { return RCPtr<LParameterizedModule>(LCCValues::Create()); }, 4, true},
      {"LCCValues", [] { return RCPtr<LParameterizedModule>(LCCValues::Create()); }, 0, false},
      {"LMidiChannels", [] { return RCPtr<LParameterizedModule>(LMidiChannels::Create()); }, 8, true},
      {"LMidiChannels", [] { return RCPtr<LParameterizedModule>(LMidiChannels::Create()); }, 16, true},
      {"LMidiChannels", [] { return RCPtr<LParameterizedModule>(LMidiChannels::Create()); }, 12, false},
  };
  for (const Case& c : cases) {
    RCPtr<LRootModule> root = LRootModule::Create(true);
    root->SetFirstParamID(nullptr, 0, 0);
    RCPtr<LParameterizedModule> leaf = c.create();
    const std::string error = LogicErrorOf([&] { leaf->SetFirstParamID(root->GetDevice().Get(), c.firstID, 0); });
    if (c.accepted) {
      EXPECT_EQ(error, "") << c.name << " at " << c.firstID;
    } else {
      EXPECT_EQ(error.rfind(std::string("Logic Error : Invalid FirstParamID : ") + c.name + "::SetFirstParamID : ", 0),
                0u)
          << error;
      EXPECT_EQ(leaf->GetFirstParamID(), c.firstID) << "the stored values stay";
    }
  }
  EXPECT_EQ(LogicErrorOf([] { LKeybed::Create()->SetFirstParamID(nullptr, 7, 0); }), "")
      << "a keybed without parent is its own root";
  EXPECT_NE(LogicErrorOf([] { LCCValues::Create()->SetFirstParamID(nullptr, 7, 0); }), "");
}

TEST(ModelTree, RoutesEveryIDOfThePresetToItsOwnerAndNothingElse) {
  WiredTree tree;
  RCPtr<IDevice> device = tree.root->GetDevice();
  const struct Route {
    int32_t paramID;
    LParameterizedModule* owner;
  } routes[] = {
      {0, device->GetKeybed().Get()},          {3, device->GetKeybed().Get()},
      {4, device->GetCCValues().Get()},        {7, device->GetCCValues().Get()},
      {8, device->GetMidiChannels(0).Get()},   {15, device->GetMidiChannels(0).Get()},
      {16, device->GetMidiChannels(1).Get()},  {23, device->GetMidiChannels(1).Get()},
      {24, nullptr},                           {-1, nullptr},
      {-200, nullptr},
  };
  for (const Route& route : routes) {
    EXPECT_EQ(tree.Module(route.paramID).Get(), route.owner) << route.paramID;
    EXPECT_EQ(device->GetModuleForParamID(route.paramID).Get(), route.owner) << route.paramID;
  }
  EXPECT_EQ(device->GetKeybed()->GetModuleForParamID(99).Get(), device->GetKeybed().Get());
  EXPECT_FALSE(device->GetMidiChannels(2));
}

TEST(ModelTree, WiringGivesEachModuleItsParentFirstIDAndIndex) {
  WiredTree tree;
  RCPtr<IDevice> device = tree.root->GetDevice();
  RCPtr<IMidiChannels> zone = device->GetMidiChannels(1);
  EXPECT_EQ(zone->GetFirstParamID(), 16);
  EXPECT_EQ(zone->GetIndex(), 1);
  EXPECT_EQ(zone->GetParent().Get(), device.Get());
  EXPECT_EQ(zone->GetRoot().Get(), static_cast<LParameterizedModule*>(tree.root.Get()));
  EXPECT_EQ(device->GetParent().Get(), static_cast<LParameterizedModule*>(tree.root.Get()));
}

TEST(ModelTree, ADeviceThatIsItsOwnRootAcceptsAnyFirstID) {
  RCPtr<LDevice> device = LDevice::Create();
  EXPECT_EQ(LogicErrorOf([&] { device->SetFirstParamID(nullptr, 100, 0); }), "");
  EXPECT_EQ(device->GetCCValues()->GetFirstParamID(), 104);
  EXPECT_EQ(device->GetModuleForParamID(120).Get(), device->GetMidiChannels(1).Get());
}

TEST(ModelTree, ModulesThatOwnNoParameterRaiseOnLocalReadsAndWrites) {
  WiredTree tree;
  RCPtr<IDevice> device = tree.root->GetDevice();
  const std::string write = LogicErrorOf([&] { device->SetParamValueLocal(ParamDescriptor(1), Variant(), false); });
  EXPECT_EQ(write.rfind("Logic Error : LParameterizedModule::SetParamValueLocal : ../DeviceControl/", 0), 0u) << write;
  const std::string read = LogicErrorOf([&] { device->GetParamValueLocal(ParamDescriptor(1)); });
  EXPECT_EQ(read.rfind("Logic Error : LParameterizedModule::GetParamValueLocal : ", 0), 0u) << read;
}

TEST(ModelTree, ALeafWithoutParentHandsOnNothing) {
  RCPtr<LKeybed> keybed = LKeybed::Create();
  keybed->SetFirstParamID(nullptr, 0, 0);
  EXPECT_EQ(keybed->SetParamValueLocal(ParamDescriptor(1), OneByteValue::Make(3), false), -1);
  EXPECT_TRUE(keybed->GetParamValueLocal(ParamDescriptor(1)).IsEmpty());
  EXPECT_EQ(keybed->UpdateParamValue(ParamDescriptor(1), OneByteValue::Make(3)), E_FAIL);
  EXPECT_EQ(keybed->ProbeParam(0), 1);
}

// Counts the broadcasts that reach it.
class CountingKeybed : public IKeybed {
public:
  void OnDeviceReady() override { ++readyCalls; }
  int readyCalls = 0;
};

class CountingZone : public IMidiChannels {
public:
  void OnDeviceReady() override { ++readyCalls; }
  int readyCalls = 0;
};

// A view-side device whose controller-number accessor answers nothing.
class DeviceWithoutCCValues : public IDevice {
public:
  RCPtr<IKeybed> GetKeybed() override { return keybed; }
  RCPtr<ICCValues> GetCCValues() override { return nullptr; }
  RCPtr<IMidiChannels> GetMidiChannels(int32_t zone) override { return zone == 0 ? zone0 : zone == 1 ? zone1 : nullptr; }
  RCPtr<CountingKeybed> keybed{new CountingKeybed};
  RCPtr<CountingZone> zone0{new CountingZone};
  RCPtr<CountingZone> zone1{new CountingZone};
};

TEST(ModelTree, ABroadcastSkipsAMissingChildAndReachesTheOthers) {
  RCPtr<DeviceWithoutCCValues> device(new DeviceWithoutCCValues);
  device->SetFirstParamID(nullptr, 0, 0);
  device->OnDeviceReady();
  EXPECT_EQ(device->keybed->readyCalls, 1);
  EXPECT_EQ(device->zone0->readyCalls, 1);
  EXPECT_EQ(device->zone1->readyCalls, 1);
  EXPECT_FALSE(device->GetModuleForParamID(5)) << "a missing child answers no module";
  EXPECT_EQ(device->GetModuleForParamID(20).Get(), static_cast<LParameterizedModule*>(device->zone1.Get()));
}

TEST(LeafModules, SpecialPseudoIDsGoToTheDeviceOnlyWhenTheyComeFromInside) {
  WiredTree tree;
  tree.root->ConnectDevice(Variant());  // out of cache mode: the stub connects
  RCPtr<LParameterizedModule> keybed = tree.Module(0);
  const Variant value = OneByteValue::Make(5);
  EXPECT_EQ(keybed->SetParamValueLocal(ParamDescriptor(-200), value, false), 1);
  EXPECT_EQ(tree.communication->CallsTo("SetParamValue"), 1);
  EXPECT_EQ(keybed->SetParamValueLocal(ParamDescriptor(-200), value, true), 1);
  EXPECT_EQ(tree.communication->CallsTo("SetParamValue"), 1);
  EXPECT_EQ(keybed->SetParamValueLocal(ParamDescriptor(-2), value, false), -1);
  EXPECT_EQ(tree.communication->CallsTo("SetParamValue"), 1);
}

}  // namespace
}  // namespace SV
