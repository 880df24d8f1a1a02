#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"

namespace SV {

// A range of consecutive OpenGL display lists: the commands of one drawing recorded
// once and replayed while its source is unchanged. The names are made by the first
// NewList and deleted with the object. Needs the renderer's context current. UI thread only.
class LGLDisplayList : public virtual LRefCountedObject {
public:
  static constexpr uint32_t kNoName = 0xFFFFFFFFu;

  // A range of `count` lists without names yet; null for a count of 0.
  static RCPtr<LGLDisplayList> Create(int32_t count);
  ~LGLDisplayList() override;

  // Starts recording list `index`: E_FAIL when no names could be made.
  SVRESULT NewList(int32_t index);
  // Ends the recording: E_FAIL when there is nothing being recorded into.
  SVRESULT EndList();
  // Replays lists start .. start + n - 1: E_INVALIDARG beyond the range, E_FAIL when a
  // name is not a list.
  SVRESULT CallLists(int32_t start, int32_t n);

  uint32_t GetBase() const { return mBase; }
  int32_t GetCount() const { return mCount; }

private:
  explicit LGLDisplayList(int32_t count) : mCount(count) {}
  bool IsLive() const;

  uint32_t mBase = kNoName;
  const int32_t mCount;
};

}  // namespace SV
