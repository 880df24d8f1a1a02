#include "SVFramework/Utilities/Storage/SVFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Platform/System/KnownFolders.h"
#include "SVFramework/ObjectBase/Exception.h"

namespace SV {

namespace {

constexpr char16_t kSeparator = u'/';

NarrowString Narrow(const String& path) { return path.ToUTF8(); }

bool StatPath(const String& path, struct stat& status) { return stat(Narrow(path).GetString(), &status) == 0; }

int OpenFlagsOf(uint32_t flags) {
  int openFlags = O_CLOEXEC | ((flags & File::kReadWrite) ? O_RDWR : O_RDONLY);
  if (flags & File::kCreate) openFlags |= O_CREAT | ((flags & File::kExclusive) ? O_EXCL : 0);
  return openFlags;
}

// Reads until size bytes are in or the file ends; -1 when a read fails.
ssize_t ReadFully(int descriptor, char* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t count = read(descriptor, buffer + done, size - done);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return -1;
    if (count == 0) break;
    done += static_cast<size_t>(count);
  }
  return static_cast<ssize_t>(done);
}

ssize_t WriteFully(int descriptor, const char* buffer, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t count = write(descriptor, buffer + done, size - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return -1;
    done += static_cast<size_t>(count);
  }
  return static_cast<ssize_t>(done);
}

// Whether a folder entry is listed: a name the pattern matches, that a String can
// carry (valid UTF-8) and that is not a folder.
bool IsListedEntry(int folder, const char* name, const char* pattern) {
  if (fnmatch(pattern, name, FNM_PERIOD) != 0) return false;
  if (!(String(name).ToUTF8() == name)) return false;
  struct stat status {};
  return fstatat(folder, name, &status, 0) != 0 || !S_ISDIR(status.st_mode);
}

struct FolderSearchCloser {
  void operator()(DIR* search) const { closedir(search); }
};

// The sorted names of the listed entries of a folder; false when it cannot be read.
bool ReadListedNames(const NarrowString& folder, const NarrowString& pattern, std::vector<std::string>& names) {
  const std::unique_ptr<DIR, FolderSearchCloser> search(opendir(folder.GetString()));
  if (!search) return false;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(search.get());
    if (!entry) break;
    if (IsListedEntry(dirfd(search.get()), entry->d_name, pattern.GetString())) names.emplace_back(entry->d_name);
  }
  if (errno != 0) return false;
  std::sort(names.begin(), names.end());
  return true;
}

bool IsUsableFolderName(const String& name) { return !name.IsEmpty() && name != u"." && name != u".."; }

}  // namespace

File::File(const String& folder, const String& name, uint32_t flags) : mFlags(flags) { Open(folder, name, flags); }

File& File::operator=(const File& other) {
  if (this == &other) return *this;
  ReleaseDescriptor();
  mDescriptor = other.mDescriptor;
  mName = other.mName;
  mPath = other.mPath;
  mFlags = other.mFlags;
  return *this;
}

File& File::operator=(File&& other) noexcept {
  if (this == &other) return *this;
  ReleaseDescriptor();
  mDescriptor = std::move(other.mDescriptor);
  mName = std::move(other.mName);
  mPath = std::move(other.mPath);
  mFlags = other.mFlags;
  return *this;
}

File::~File() { ReleaseDescriptor(); }

SVRESULT File::Open(const String& folder, const String& name, uint32_t flags) {
  if (IsOpen()) return S_FALSE;
  // An empty folder is refused with a name too: "/" + name would land in the root.
  if (folder.IsEmpty()) SV_RAISE(std::runtime_error, "invalid pathname", "SV::File::Open");
  if (name.IsEmpty()) {
    mPath = folder;
  } else {
    mName = name;
    mPath = folder + String(kSeparator) + name;
  }
  mFlags = flags;
  const int descriptor = open(Narrow(mPath).GetString(), OpenFlagsOf(flags), S_IRUSR | S_IWUSR);
  if (descriptor < 0) return E_FAIL;
  mDescriptor = LHolder<int>::Create();
  mDescriptor->Value() = descriptor;
  return S_OK;
}

SVRESULT File::Close() {
  if (IsOpen() && mDescriptor->GetRefCount() == 1) ReleaseDescriptor();
  return S_OK;
}

void File::ReleaseDescriptor() {
  LHolder<int>* holder = mDescriptor.Get();
  if (!holder) return;
  const int descriptor = holder->Value();
  // Our own reference keeps the holder alive past Reset, and the count that Release
  // returns tells, atomically, whether this was the last holder anywhere.
  holder->AddRef();
  mDescriptor.Reset();
  if (holder->Release() != 0) return;
  close(descriptor);
  if (mFlags & kDeleteOnClose) unlink(Narrow(mPath).GetString());
}

void File::Position(int32_t offset, const char* function) {
  if (offset != -1 && lseek(Descriptor(), offset, SEEK_SET) != offset) SV_RAISE(std::runtime_error, "lseek", function);
}

int32_t File::Read(void* buffer, uint32_t size, int32_t offset) {
  Position(offset, "SV::File::Read");
  const ssize_t count = ReadFully(Descriptor(), static_cast<char*>(buffer), std::min<uint32_t>(size, INT32_MAX));
  if (count < 0) SV_RAISE(std::runtime_error, "read", "SV::File::Read");
  return static_cast<int32_t>(count);
}

int32_t File::Write(const void* buffer, uint32_t size, int32_t offset) {
  if (!(mFlags & kReadWrite)) SV_RAISE(std::runtime_error, "file is read only", "SV::File::Write");
  Position(offset, "SV::File::Write");
  const ssize_t count = WriteFully(Descriptor(), static_cast<const char*>(buffer), std::min<uint32_t>(size, INT32_MAX));
  if (count < 0) SV_RAISE(std::runtime_error, "write", "SV::File::Write");
  return static_cast<int32_t>(count);
}

int32_t File::Seek(int32_t offset, int32_t origin) {
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  if (origin < 0 || origin > 2 || !IsOpen()) return -1;
  const off_t position = lseek(Descriptor(), offset, kWhence[origin]);
  return position < 0 || position > INT32_MAX ? -1 : static_cast<int32_t>(position);
}

uint32_t File::GetLength() const {
  if (!IsOpen()) return 0;
  struct stat status {};
  if (fstat(Descriptor(), &status) != 0) SV_RAISE(std::runtime_error, "fstat", "SV::File::GetLength");
  return static_cast<uint32_t>(std::min<off_t>(status.st_size, UINT32_MAX));
}

bool File::Exists(const String& path) {
  struct stat status {};
  return !path.IsEmpty() && StatPath(path, status) && !S_ISDIR(status.st_mode);
}

bool File::FolderExists(const String& path) {
  String folder = path;
  if (folder.GetLength() > 1 && folder.GetString()[folder.GetLength() - 1] == kSeparator)
    folder = folder.Left(folder.GetLength() - 1);
  struct stat status {};
  return !folder.IsEmpty() && StatPath(folder, status) && S_ISDIR(status.st_mode);
}

SVRESULT File::EnsureFolder(const String& path) {
  if (FolderExists(path)) return S_FALSE;
  struct stat status {};
  if (path.IsEmpty() || StatPath(path, status)) return E_FAIL;
  CreateFolders(path, false);
  return FolderExists(path) ? S_OK : E_FAIL;
}

bool File::CreateFolders(const String& path, bool endsWithFileName) {
  const NarrowString narrow = Narrow(path);
  const std::string_view text = narrow.View();
  for (size_t at = text.find('/', 1); at != std::string_view::npos; at = text.find('/', at + 1))
    mkdir(std::string(text.substr(0, at)).c_str(), 0777);
  if (!endsWithFileName) {
    if (!text.empty()) mkdir(narrow.GetString(), 0777);
    return FolderExists(path);
  }
  return path.Find(kSeparator) < 0 || FolderExists(GetFolderPart(path));
}

SVRESULT File::ListFiles(const String& folder, const String& pattern, StringArrayT<char16_t, char>& result) {
  result.RemoveAll();
  if (!FolderExists(folder)) return E_NOTIMPL;
  std::vector<std::string> names;
  if (!ReadListedNames(Narrow(folder), Narrow(pattern), names)) return E_FAIL;
  const bool endsWithSeparator = folder.GetString()[folder.GetLength() - 1] == kSeparator;
  const String prefix = endsWithSeparator ? folder : folder + String(kSeparator);
  for (const std::string& name : names) result.Append(prefix + String(name.c_str()));
  return static_cast<SVRESULT>(names.size());
}

String File::GetLongPathName(const String& path) { return path; }

String File::GetFolderPart(const String& path) {
  const int32_t last = path.ReverseFind('/');
  if (last < 0) return path;
  return last == 0 ? String(kSeparator) : path.Left(last);
}

String File::GetFileNamePart(const String& path) {
  const int32_t last = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
  if (last < 0 || last == path.GetLength() - 1) return path;
  return path.Mid(last + 1);
}

String File::MakeSafeFileName(const String& name) {
  String safe = name;
  return safe.ReplaceAny(u"\\/:*?\"<>|&;,^()", u'_');
}

SVRESULT File::GetApplicationDataFolder(ApplicationDataFolder which, const String& company, const String& product,
                                        String& folder) {
  folder.Empty();
  const String safeCompany = MakeSafeFileName(company);
  const String safeProduct = MakeSafeFileName(product);
  if (!IsUsableFolderName(safeCompany) || !IsUsableFolderName(safeProduct)) return E_INVALIDARG;
  const std::string base = which == ApplicationDataFolder::Common ? ::Platform::System::KnownFolders::UserConfigFolder()
                                                                  : ::Platform::System::KnownFolders::UserDataFolder();
  if (base.empty()) return E_FAIL;
  folder = String(base.c_str()) + String(kSeparator) + safeCompany + String(kSeparator) + safeProduct;
  return S_OK;
}

}  // namespace SV
