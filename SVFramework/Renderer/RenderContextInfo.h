#pragma once
#include <cstdint>
#include <deque>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Renderer/RenderState.h"
#include "SVFramework/Renderer/WindowTarget.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Graphics/Region.h"
#include "SVFramework/Utilities/PointT.h"

namespace SV {

// One drawing target of a renderer: a window (flags 0) or an offscreen context (any
// other flags). It carries the area to repaint in this frame (the root window fills
// it before RenderStart), the viewport, the current drawing state and the stack of
// saved states. Back ends derive their own contexts from it. UI thread only.
class LRenderContextInfo : public LRefCountedObject {
public:
  LRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags)
      : mWindow(window), mFlags(flags), mViewport(viewport) {}

  // The largest surface the back end can make.
  virtual PointT<int32_t> GetMaxSurfaceSize() const = 0;

  IWindowTarget* GetWindow() const { return mWindow; }
  int32_t GetFlags() const { return mFlags; }
  bool IsOffscreen() const { return mFlags != 0; }

  Region& GetDirtyRegion() { return mDirtyRegion; }
  const Region& GetDirtyRegion() const { return mDirtyRegion; }
  const RectT<int32_t>& GetViewport() const { return mViewport; }
  void SetViewport(const RectT<int32_t>& viewport) { mViewport = viewport; }

  RenderState& GetState() { return mState; }
  const RenderState& GetState() const { return mState; }
  // Used last in, first out by the renderer's push and pop operations.
  std::deque<RenderState>& GetSavedStates() { return mSavedStates; }

private:
  IWindowTarget* const mWindow;
  const int32_t mFlags;
  Region mDirtyRegion;
  RectT<int32_t> mViewport;
  RenderState mState;
  std::deque<RenderState> mSavedStates;
};

}  // namespace SV
