#include "Platform/System/ProgramModule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Platform/System/ProgramVersionBlock.h"

namespace Platform::System {
namespace {

std::string OwnFileName() {
  const std::string path = ProgramModule::Instance().GetFilePath();
  return path.substr(path.rfind('/') + 1);
}

TEST(ProgramModule, ItsPathIsThisTestProgram) {
  const std::string path = ProgramModule::Instance().GetFilePath();
  EXPECT_EQ(path.front(), '/');
  EXPECT_EQ(OwnFileName(), "PlatformSystemTests");
}

TEST(ProgramModule, ItsOwnFileNameLeadsToTheBuiltInVersionBlock) {
  const ProgramModule& module = ProgramModule::Instance();
  const uint32_t size = module.GetVersionBlockSize(OwnFileName());
  ASSERT_EQ(size, ProgramVersionBlock().size());
  std::vector<char> block(size);
  ASSERT_TRUE(module.ReadVersionBlock(OwnFileName(), block.data(), size));
  EXPECT_EQ(std::string_view(block.data(), size), ProgramVersionBlock());
}

TEST(ProgramModule, NoOtherFileNameLeadsToABlock) {
  const ProgramModule& module = ProgramModule::Instance();
  std::vector<char> block(ProgramVersionBlock().size());
  for (const std::string& name : std::vector<std::string>{"other.so", "", "Tests", "/" + OwnFileName()}) {
    EXPECT_EQ(module.GetVersionBlockSize(name), 0u) << name;
    EXPECT_FALSE(module.ReadVersionBlock(name, block.data(), static_cast<uint32_t>(block.size()))) << name;
  }
}

TEST(ProgramModule, ABufferTooSmallForTheBlockIsRefused) {
  std::vector<char> block(ProgramVersionBlock().size() - 1);
  EXPECT_FALSE(ProgramModule::Instance().ReadVersionBlock(OwnFileName(), block.data(),
                                                          static_cast<uint32_t>(block.size())));
}

}  // namespace
}  // namespace Platform::System
