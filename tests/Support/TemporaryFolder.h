#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace SV::Testing {

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes.
class TemporaryFolder {
public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sv-test-XXXXXX").string();
    if (mkdtemp(pattern.data())) mPath = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    if (!mPath.empty()) std::filesystem::remove_all(mPath, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  // The folder's absolute path, without a trailing '/'; empty when it could not be made.
  const std::string& Path() const { return mPath; }
  std::string PathOf(const std::string& relative) const { return mPath + "/" + relative; }

  // Writes a file (relative to the folder) holding exactly `bytes`.
  void WriteFile(const std::string& relative, const std::string& bytes) const {
    std::ofstream(PathOf(relative), std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& relative) const {
    std::ifstream file(PathOf(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

private:
  std::string mPath;
};

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace SV::Testing
