#include <gtest/gtest.h>

#include <vector>

#include "SVFramework/Application/WindowPlacement.h"
#include "SVFramework/Utilities/IniFileManagerProxy.h"
#include "tests/Support/CaseName.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

// A user settings file in a folder of the test's own, through the real settings library.
class SettingsFile {
public:
  explicit SettingsFile(const std::string& path) {
    EXPECT_EQ(manager->Load(String(INI_REAL_LIBRARY_FOLDER)), S_OK);
    EXPECT_GE(manager->OpenIniFile(String(path.c_str()), u"1_0_0", u"Corvex Editor", handle), 0);
  }
  ~SettingsFile() {
    manager->WriteIniFile(handle);
    manager->CloseIniFile(handle, 0);
  }
  RCPtr<LIniFileManager> manager{new LIniFileManager};
  int32_t handle = 0;
};

TEST(WindowPlacementTest, ARecordSavedAtCloseReadsBackAtTheNextStart) {
  Testing::TemporaryFolder folder;
  const WindowPlacement saved{{-40, 30, 1024, 700}, true, true};
  {
    SettingsFile file(folder.PathOf("UserSettings.ini"));
    EXPECT_EQ(saved.Save(*file.manager, file.handle), S_OK);
  }
  SettingsFile file(folder.PathOf("UserSettings.ini"));
  WindowPlacement read;
  EXPECT_EQ(read.Load(*file.manager, file.handle), S_OK);
  EXPECT_EQ(read.rect, saved.rect);
  EXPECT_TRUE(read.hasPosition);
  EXPECT_TRUE(read.maximized);
}

TEST(WindowPlacementTest, AFileWithoutARecordOrWithAnEmptySizeLeavesThePlacementAlone) {
  Testing::TemporaryFolder folder;
  SettingsFile file(folder.PathOf("UserSettings.ini"));
  WindowPlacement placement{{1, 2, 3, 4}, true, false};
  EXPECT_EQ(placement.Load(*file.manager, file.handle), E_FAIL);
  WindowPlacement{{0, 0, 0, 600}, true, false}.Save(*file.manager, file.handle);
  EXPECT_EQ(placement.Load(*file.manager, file.handle), E_FAIL);
  EXPECT_EQ(placement.rect, (RectT<int32_t>{1, 2, 3, 4}));
}

struct ClampCase {
  const char* what;
  WindowPlacement saved;
  RectT<int32_t> restored;
};

class WindowPlacementClampTest : public ::testing::TestWithParam<ClampCase> {};

// Two screens side by side: 1920 x 1040 work area, and 1280 x 1000 to its right.
TEST_P(WindowPlacementClampTest, ARestoredPlacementLiesOnAVisibleScreen) {
  const std::vector<RectT<int32_t>> screens{{0, 0, 1920, 1040}, {1920, 0, 1280, 1000}};
  EXPECT_EQ(GetParam().saved.ClampedTo(screens).rect, GetParam().restored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowPlacementClampTest,
    ::testing::Values(
        ClampCase{"inside the primary screen stays", {{100, 100, 800, 600}, true, false}, {100, 100, 800, 600}},
        ClampCase{"a left edge at minus two hundred comes back at zero", {{-200, 50, 800, 600}, true, false},
                  {0, 50, 800, 600}},
        ClampCase{"wider than the desktop shrinks to its width", {{0, 0, 4000, 600}, true, false},
                  {0, 0, 1920, 600}},
        ClampCase{"mostly on the second screen stays there", {{2900, 900, 800, 600}, true, false},
                  {2400, 400, 800, 600}},
        ClampCase{"on a screen that is gone comes to the primary", {{5000, 3000, 800, 600}, true, false},
                  {1120, 440, 800, 600}},
        ClampCase{"without a position keeps the size only", {{-9000, -9000, 800, 6000}, false, false},
                  {-9000, -9000, 800, 1040}}),
    Testing::NameFromWhat());

}  // namespace
}  // namespace SV
