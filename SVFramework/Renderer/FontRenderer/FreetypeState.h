#pragma once
#include <cstdint>

namespace SV {

// The process-wide FreeType state of the FreeType font renderers: the library, the
// cache manager (8 faces, 16 sizes, 4 MiB) with its character-map and glyph-image
// caches, and the index of installed font files. Shared by reference count: the first
// Acquire builds the index and the state, the last Release frees both, so closing one
// window never pulls them from under another. UI thread only.
class FreetypeState {
public:
  static void Acquire();
  static void Release();
  static int32_t GetHolderCount();
  // Null while no renderer holds the state, or when FreeType could not be started.
  static void* GetLibrary();
  static void* GetManager();
};

}  // namespace SV
