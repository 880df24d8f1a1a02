#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>

namespace Platform::Files {

// The system calls a file replacement makes, one virtual each so that tests can make
// any of them fail. Each answers as its POSIX namesake (-1 and errno on failure).
class FileSystemCalls {
public:
  virtual ~FileSystemCalls() = default;
  virtual int Open(const char* path, int flags, mode_t mode);
  virtual ssize_t Write(int descriptor, const void* bytes, size_t size);
  virtual int Sync(int descriptor);
  virtual int Close(int descriptor);
  virtual int Rename(const char* from, const char* to);
  virtual int Remove(const char* path);
  virtual int SetMode(int descriptor, mode_t mode);
};

// The calls of the running system.
FileSystemCalls& SystemFileSystemCalls();

// Makes `bytes` the whole content of the file at `path` (UTF-8), all or nothing: the
// bytes go to a new file beside the target, which is flushed to disk, closed and then
// renamed over the target. Only when every write, the flush, the close and the rename
// succeeded is the target replaced; otherwise the new file is removed and the target
// (if any) is left exactly as it was. A replaced file keeps the permissions of the old
// one; a new file gets the usual ones (0666 less the umask). A symbolic link is
// followed: the file it names is replaced. True on success.
// Any thread; two replacements of the same path at once leave one of the two contents.
bool ReplaceFileContents(const std::string& path, const void* bytes, size_t size,
                         FileSystemCalls& calls = SystemFileSystemCalls());

}  // namespace Platform::Files
