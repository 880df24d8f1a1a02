#include "Platform/Files/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace Platform::Files {

int FileSystemCalls::Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
ssize_t FileSystemCalls::Write(int descriptor, const void* bytes, size_t size) {
  return ::write(descriptor, bytes, size);
}
int FileSystemCalls::Sync(int descriptor) { return ::fsync(descriptor); }
int FileSystemCalls::Close(int descriptor) { return ::close(descriptor); }
int FileSystemCalls::Rename(const char* from, const char* to) { return ::rename(from, to); }
int FileSystemCalls::Remove(const char* path) { return ::unlink(path); }
int FileSystemCalls::SetMode(int descriptor, mode_t mode) { return ::fchmod(descriptor, mode); }

FileSystemCalls& SystemFileSystemCalls() {
  static FileSystemCalls calls;
  return calls;
}

namespace {

constexpr int kNameAttempts = 100;
std::atomic<unsigned> gTemporaryCounter{0};

// The file a link names, or the path itself when it is no link or cannot be resolved.
std::string ResolvedTarget(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string TemporaryPathBeside(const std::string& target) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  return folder + "." + name + "." + std::to_string(::getpid()) + "-" + std::to_string(gTemporaryCounter++) + ".tmp";
}

// A new, empty file beside the target: its descriptor and path, or -1.
int CreateTemporaryBeside(const std::string& target, FileSystemCalls& calls, std::string& temporary) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    temporary = TemporaryPathBeside(target);
    const int descriptor = calls.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0 || errno != EEXIST) return descriptor;
  }
  return -1;
}

bool WriteAll(int descriptor, const void* bytes, size_t size, FileSystemCalls& calls) {
  const auto* next = static_cast<const char*>(bytes);
  while (size > 0) {
    const ssize_t written = calls.Write(descriptor, next, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    next += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// The old file's permissions carried over; nothing to do for a new file.
bool KeepPermissionsOf(const std::string& target, int descriptor, FileSystemCalls& calls) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return true;
  return calls.SetMode(descriptor, status.st_mode & 07777) == 0;
}

bool FillAndClose(const std::string& target, int descriptor, const void* bytes, size_t size,
                  FileSystemCalls& calls) {
  const bool filled = KeepPermissionsOf(target, descriptor, calls) && WriteAll(descriptor, bytes, size, calls) &&
                      calls.Sync(descriptor) == 0;
  // A failed close may mean lost data (a network file system reports late): it counts.
  const bool closed = calls.Close(descriptor) == 0;
  return filled && closed;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const void* bytes, size_t size, FileSystemCalls& calls) {
  if (path.empty() || (size > 0 && !bytes)) return false;
  const std::string target = ResolvedTarget(path);
  std::string temporary;
  const int descriptor = CreateTemporaryBeside(target, calls, temporary);
  if (descriptor < 0) return false;
  if (FillAndClose(target, descriptor, bytes, size, calls) && calls.Rename(temporary.c_str(), target.c_str()) == 0)
    return true;
  calls.Remove(temporary.c_str());
  return false;
}

}  // namespace Platform::Files
