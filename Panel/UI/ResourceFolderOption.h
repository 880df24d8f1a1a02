#pragma once
#include <string>

namespace SV {

// Where the program reads its string tables and skins: the folder given with
// "--resources <folder>" (or "--resources=<folder>"), else the one in the environment
// variable CORVEX_RESOURCES, else "::", the documents compiled into the program.
// A trailing "/" is dropped. Any thread.
std::string ResourceFolderOption(int argc, const char* const* argv, const char* environmentValue);

}  // namespace SV
