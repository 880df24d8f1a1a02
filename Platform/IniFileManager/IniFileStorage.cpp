#include "Platform/IniFileManager/IniFileStorage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Platform/IniFileManager/Format/IniTextRules.h"

namespace IniFile {
namespace {

// Closes a descriptor when it leaves scope, unless it was closed on purpose.
class Descriptor {
public:
  explicit Descriptor(int descriptor) : mDescriptor(descriptor) {}
  ~Descriptor() { if (mDescriptor >= 0) ::close(mDescriptor); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const { return mDescriptor; }
  bool IsOpen() const { return mDescriptor >= 0; }
  bool Close() {
    const int descriptor = mDescriptor;
    mDescriptor = -1;
    return ::close(descriptor) == 0;
  }

private:
  int mDescriptor;
};

// Reads to the end, but never more than `limit` + 1 bytes, whatever the size says.
bool ReadBounded(int descriptor, std::size_t limit, std::string& bytes) {
  char chunk[16384];
  while (bytes.size() <= limit) {
    const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) return true;
    bytes.append(chunk, static_cast<std::size_t>(count));
  }
  return true;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a file system that cannot flush folders still
// holds either the old or the new file, so a failure here is not reported.
void FlushFolder(const std::string& folder) {
  Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.IsOpen()) ::fsync(descriptor.Get());
}

bool WriteTemporaryFile(const std::string& temporaryPath, std::string_view bytes, const std::string& path) {
  Descriptor descriptor(::open(temporaryPath.c_str(),
                               O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
  if (!descriptor.IsOpen()) return false;
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && ::fchmod(descriptor.Get(), existing.st_mode & 07777) != 0) {
    return false;
  }
  return WriteAll(descriptor.Get(), bytes) && ::fsync(descriptor.Get()) == 0 && descriptor.Close();
}

}  // namespace

FileContents ReadSettingsFile(const std::string& path) {
  Descriptor descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!descriptor.IsOpen()) {
    return {errno == ENOENT ? FileContents::State::Absent : FileContents::State::Unreadable, {}};
  }
  struct stat status {};
  if (::fstat(descriptor.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return {FileContents::State::Unreadable, {}};
  }
  FileContents contents{FileContents::State::Read, {}};
  if (!ReadBounded(descriptor.Get(), kMaximumFileSize, contents.bytes) ||
      contents.bytes.size() > kMaximumFileSize) {
    return {FileContents::State::Unreadable, {}};
  }
  return contents;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string temporaryPath = TemporaryPathFor(path);
  if (!WriteTemporaryFile(temporaryPath, bytes, path) || ::rename(temporaryPath.c_str(), path.c_str()) != 0) {
    // Only a regular file may be removed: the name may belong to something else.
    struct stat status {};
    if (::lstat(temporaryPath.c_str(), &status) == 0 && S_ISREG(status.st_mode)) ::unlink(temporaryPath.c_str());
    return false;
  }
  FlushFolder(FolderOf(path));
  return true;
}

std::string TemporaryPathFor(const std::string& path) { return path + ".tmp"; }

}  // namespace IniFile

