#include "SVFramework/Application/CursorNames.h"

namespace SV {
namespace {

ICursorNames* gCursorNames = nullptr;

}  // namespace

ICursorNames* GetCursorNames() { return gCursorNames; }

void SetCursorNames(ICursorNames* names) { gCursorNames = names; }

int32_t GetCursorByName(const String& name) { return gCursorNames ? gCursorNames->GetCursorByName(name) : 0; }

}  // namespace SV
