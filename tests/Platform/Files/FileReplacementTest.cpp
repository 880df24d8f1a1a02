#include "Platform/Files/FileReplacement.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace Platform::Files {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The system's calls, but the one chosen fails (with EIO) at its `failAt`-th use.
class FailingCalls : public FileSystemCalls {
public:
  enum class Step { None, Open, Write, Sync, Close, Rename, SetMode };
  explicit FailingCalls(Step step, int failAt = 1) : mStep(step), mFailAt(failAt) {}

  int Open(const char* path, int flags, mode_t mode) override {
    return Fails(Step::Open) ? -1 : FileSystemCalls::Open(path, flags, mode);
  }
  ssize_t Write(int descriptor, const void* bytes, size_t size) override {
    // Short writes: the writer must go on where the last one stopped.
    return Fails(Step::Write) ? -1 : FileSystemCalls::Write(descriptor, bytes, size > 3 ? 3 : size);
  }
  int Sync(int descriptor) override { return Fails(Step::Sync) ? -1 : FileSystemCalls::Sync(descriptor); }
  int Close(int descriptor) override {
    const int closed = FileSystemCalls::Close(descriptor);
    return Fails(Step::Close) ? -1 : closed;
  }
  int Rename(const char* from, const char* to) override {
    return Fails(Step::Rename) ? -1 : FileSystemCalls::Rename(from, to);
  }
  int SetMode(int descriptor, mode_t mode) override {
    return Fails(Step::SetMode) ? -1 : FileSystemCalls::SetMode(descriptor, mode);
  }

private:
  bool Fails(Step step) {
    if (step != mStep || ++mUses != mFailAt) return false;
    errno = EIO;
    return true;
  }

  Step mStep;
  int mFailAt;
  int mUses = 0;
};

class FileReplacementTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("file-replacement-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    target = folder / "preset.bin";
  }
  void TearDown() override { fs::remove_all(folder); }

  size_t EntriesInFolder() const { return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {})); }

  fs::path folder;
  fs::path target;
};

TEST_F(FileReplacementTest, WritesANewFileAndReplacesAnOldOneWholly) {
  ASSERT_TRUE(ReplaceFileContents(target.string(), "first", 5));
  EXPECT_EQ(Contents(target), "first");
  ASSERT_TRUE(ReplaceFileContents(target.string(), "2nd", 3));
  EXPECT_EQ(Contents(target), "2nd");
  EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(FileReplacementTest, AnyFailedStepLeavesTheOldFileByteForByteAndNoStrayFile) {
  using Step = FailingCalls::Step;
  const struct {
    const char* what;
    Step step;
    int failAt;
  } cases[] = {
      {"the new file cannot be made", Step::Open, 1},
      {"the first write fails", Step::Write, 1},
      {"a later write fails", Step::Write, 3},
      {"the flush fails", Step::Sync, 1},
      {"the close fails", Step::Close, 1},
      {"the rename fails", Step::Rename, 1},
      {"the old permissions cannot be kept", Step::SetMode, 1},
  };
  const std::string old = "the old preset, untouched";
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    Put(target, old);
    FailingCalls calls(row.step, row.failAt);
    EXPECT_FALSE(ReplaceFileContents(target.string(), "new bytes that must not land", 28, calls));
    EXPECT_EQ(Contents(target), old);
    EXPECT_EQ(EntriesInFolder(), 1u);
  }
}

TEST_F(FileReplacementTest, ATargetThatIsAFolderOrLiesInNoFolderIsRefusedAndLeftAlone) {
  const fs::path asFolder = folder / "a-folder";
  fs::create_directories(asFolder / "inside");
  EXPECT_FALSE(ReplaceFileContents(asFolder.string(), "x", 1));
  EXPECT_TRUE(fs::is_directory(asFolder / "inside"));

  Put(folder / "plain-file", "plain");
  EXPECT_FALSE(ReplaceFileContents((folder / "plain-file" / "preset.bin").string(), "x", 1));
  EXPECT_EQ(Contents(folder / "plain-file"), "plain");
  EXPECT_FALSE(ReplaceFileContents((folder / "missing" / "preset.bin").string(), "x", 1));
  EXPECT_FALSE(ReplaceFileContents(std::string(), "x", 1));
  EXPECT_EQ(EntriesInFolder(), 2u);
}

TEST_F(FileReplacementTest, AReplacedFileKeepsItsPermissionsAndALinkKeepsPointingAtIt) {
  Put(target, "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = folder / "link.bin";
  fs::create_symlink(target, link);
  ASSERT_TRUE(ReplaceFileContents(link.string(), "new", 3));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Contents(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace Platform::Files
