#include "SVFramework/Renderer/FontRenderer/FreetypeState.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H

#include "SVFramework/Renderer/FontRenderer/FontFileInfo.h"

namespace SV {
namespace {

struct State {
  int32_t holders = 0;
  FT_Library library = nullptr;
  FTC_Manager manager = nullptr;
  FTC_CMapCache characterMaps = nullptr;
  FTC_ImageCache images = nullptr;
};

State& TheState() {
  static State state;
  return state;
}

// The cache manager's face requester: the face id is the index's, the face the first
// of its file.
FT_Error RequestFace(FTC_FaceID faceId, FT_Library library, FT_Pointer, FT_Face* face) {
  const String& path = LFontFileInfo::GetFilePath(static_cast<int32_t>(reinterpret_cast<intptr_t>(faceId)));
  return FT_New_Face(library, path.ToUTF8().GetString(), 0, face);
}

void Build(State& state) {
  LFontFileInfo::BuildIndex();
  if (FT_Init_FreeType(&state.library) != 0) {
    state.library = nullptr;
    return;
  }
  if (FTC_Manager_New(state.library, 8, 16, 4194304, &RequestFace, nullptr, &state.manager) != 0) {
    state.manager = nullptr;
    return;
  }
  if (FTC_CMapCache_New(state.manager, &state.characterMaps) != 0) return;
  FTC_ImageCache_New(state.manager, &state.images);
}

void Free(State& state) {
  if (state.manager != nullptr) FTC_Manager_Done(state.manager);
  if (state.library != nullptr) FT_Done_FreeType(state.library);
  state = State{};
  LFontFileInfo::EmptyIndex();
}

}  // namespace

void FreetypeState::Acquire() {
  State& state = TheState();
  if (state.holders++ == 0) Build(state);
}

void FreetypeState::Release() {
  State& state = TheState();
  if (state.holders == 0) return;
  if (--state.holders == 0) Free(state);
}

int32_t FreetypeState::GetHolderCount() { return TheState().holders; }
void* FreetypeState::GetLibrary() { return TheState().library; }
void* FreetypeState::GetManager() { return TheState().manager; }

}  // namespace SV
