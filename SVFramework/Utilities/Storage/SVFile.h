#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Holder.h"
#include "SVFramework/Utilities/Storage/StringArrayT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// The framework's file: a binary file opened by path with a few mode flags and read
// and written at explicit offsets. Copies share the open descriptor through a shared
// holder; the last copy to let go closes it (and deletes the file when asked to).
// Paths are POSIX paths ('/'), handed to the platform in UTF-8.
// Beside the class stand path utilities (static, no object) used across the system.
// Thread rules: a File object belongs to one thread at a time; copies may live and
// die on different threads. The static utilities may be called from any thread.
class File {
public:
  // Mode flags.
  static constexpr uint32_t kRead = 0x10000;           // read-only access
  static constexpr uint32_t kReadWrite = 0x20000;      // without it, Write fails
  static constexpr uint32_t kExclusive = 0x40000;      // with kCreate: fail when the file exists
  static constexpr uint32_t kCreate = 0x80000;         // create the file when it does not exist
  static constexpr uint32_t kDeleteOnClose = 0x100000; // delete the file when it is closed

  // Stores the flags and opens (see Open); a refused open leaves the file closed.
  File(const String& folder, const String& name, uint32_t flags);
  // The copy shares the descriptor.
  File(const File& other) = default;
  File(File&& other) noexcept = default;
  // Lets go of this file's descriptor (closing it when this was the last holder) first.
  File& operator=(const File& other);
  File& operator=(File&& other) noexcept;
  // Lets go of the descriptor, closing it when this was the last holder.
  virtual ~File();

  // 1 when the file is open already (nothing changes). Otherwise the path is folder +
  // "/" + name, or the folder alone when the name is empty (an empty folder raises
  // "invalid pathname", so a failed folder lookup never reaches the root); opens it binary, read-write with kReadWrite else read-only,
  // created with kCreate (exclusively with kExclusive too), new files readable and
  // writable by the owner. 0 on success, E_FAIL when the platform refuses.
  virtual SVRESULT Open(const String& folder, const String& name, uint32_t flags);
  // Closes the descriptor when this file is its only holder (deleting the file with
  // kDeleteOnClose); a shared descriptor stays open and nothing changes. Returns 0.
  virtual SVRESULT Close();
  // Reads up to size bytes, first moving to offset from the start unless it is -1;
  // returns the count read (0 at the end). Raises "lseek" when the offset cannot be
  // reached and "read" when the read fails (as on a closed file).
  virtual int32_t Read(void* buffer, uint32_t size, int32_t offset = -1);
  // Writes size bytes, positioned as Read does; returns the count written. Raises
  // "file is read only" without kReadWrite (before touching the file), "lseek" and
  // "write" as Read does.
  virtual int32_t Write(const void* buffer, uint32_t size, int32_t offset = -1);
  // Moves the position (origin 0 start, 1 current, 2 end); the new position, or -1
  // when the move fails, the file is closed or the position does not fit 31 bits.
  virtual int32_t Seek(int32_t offset, int32_t origin);
  // The size in bytes (at most 0xFFFFFFFF); 0 when closed. Raises "fstat" when the
  // size of an open file cannot be read.
  uint32_t GetLength() const;

  bool IsOpen() const { return !mDescriptor.IsNull(); }
  // The name of the last Open that had one.
  const String& GetName() const { return mName; }
  const String& GetPath() const { return mPath; }
  uint32_t GetFlags() const { return mFlags; }

  // Whether the path exists and is not a folder.
  static bool Exists(const String& path);
  // Whether the path is an existing folder; one trailing '/' is ignored ("/" is the root).
  static bool FolderExists(const String& path);
  // 1 when the path is a folder already, E_FAIL when it exists but is not one;
  // otherwise creates it with its parents: 0 when it exists afterwards, else E_FAIL.
  static SVRESULT EnsureFolder(const String& path);
  // Creates every folder along the path (the text before each '/' after the first
  // character), ignoring failures. Without a file name at the end the whole path is
  // created too and the result says whether it is a folder now; with one, whether
  // the folder holding the file exists (true when the path has no '/').
  static bool CreateFolders(const String& path, bool endsWithFileName);
  // Empties the result, then appends folder + "/" + name for every entry of the folder
  // that matches the pattern by the shell's wildcard rules ('*', '?', '[...]'; a
  // leading '.' only matches a pattern that starts with one) and is not a folder,
  // sorted by name. Returns the count appended; E_NOTIMPL when the folder does not
  // exist; E_FAIL (and an empty result) when the folder cannot be read. Names that are
  // not valid UTF-8 are left out, since no String path could reach them.
  static SVRESULT ListFiles(const String& folder, const String& pattern, StringArrayT<char16_t, char>& result);
  // The long form of a path: on this platform the path itself.
  static String GetLongPathName(const String& path);
  // The text before the last '/' ("/" when that is the first character), or the
  // whole text without one.
  static String GetFolderPart(const String& path);
  // The text after the last '/' or '\', whichever is later; the whole text when there
  // is neither or when it is the last character.
  static String GetFileNamePart(const String& path);
  // A copy with each of \ / : * ? " < > | & ; , ^ ( ) replaced by '_'.
  static String MakeSafeFileName(const String& name);

  // Where the application keeps its files: Common for settings shared by all its
  // uses (the user's configuration folder), Local for the user's own state (the
  // user's data folder).
  enum class ApplicationDataFolder { Common, Local };
  // The folder <base>/<company>/<product> (company and product made safe), without
  // creating it. E_FAIL and an empty folder when the base folder cannot be found;
  // E_INVALIDARG when company or product is empty, "." or "..".
  static SVRESULT GetApplicationDataFolder(ApplicationDataFolder which, const String& company,
                                           const String& product, String& folder);

private:
  int Descriptor() const { return mDescriptor ? mDescriptor->Value() : -1; }
  // Drops this file's share of the descriptor; the last holder closes it.
  void ReleaseDescriptor();
  void Position(int32_t offset, const char* function);

  RCPtr<LHolder<int>> mDescriptor;
  String mName;
  String mPath;
  uint32_t mFlags = 0;
};

}  // namespace SV
