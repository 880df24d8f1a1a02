#pragma once
#include <string>
#include <string_view>

// Reading and replacing whole settings files on disk. Any thread may call these;
// callers serialise calls on the same path.
namespace IniFile {

struct FileContents {
  enum class State { Absent, Read, Unreadable };
  State state = State::Absent;
  std::string bytes;
};

// Reads the whole file. Unreadable: not a regular file, larger than
// kMaximumFileSize, or a read error; Absent: no file of that name.
FileContents ReadSettingsFile(const std::string& path);

// Replaces the file's contents so that the old or the new contents survive any
// crash or failure: writes "<path>.tmp" in the same folder, flushes it to disk and
// renames it over the file. An existing file's permission bits are kept. False when
// any step failed; the file then is as it was.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// The name of the temporary file that ReplaceFileAtomically writes.
std::string TemporaryPathFor(const std::string& path);

}  // namespace IniFile
