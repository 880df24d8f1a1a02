#pragma once
#include <cstdint>

#include "SVFramework/Renderer/Renderer.h"

namespace SV {

enum class ClipFlavor : int32_t { State = 0, Clip = 1, Offset = 2 };

// What a control hands over to push for its children: a plain state, a clip, or an offset.
struct ClipRequest {
  ClipFlavor flavor = ClipFlavor::State;
  RectT<double> rect;
  RectT<double> clipRect;
  RCPtr<LStencil> stencil;
  bool relative = true;
  PointT<double> offset;
};

// Raises the runtime error "Unknown PushClip flavor" from CAutoClip's constructor.
[[noreturn]] void RaiseUnknownClipFlavor();

// Pushes a drawing state on the renderer for a scope and pops it at the scope's end.
// When the push raises, nothing is popped. UI thread only.
class CAutoClip {
public:
  explicit CAutoClip(const RCPtr<LRenderer>& renderer) : mRenderer(renderer) { mRenderer->PushState(); }

  // A request of an unknown flavor raises the runtime error and pushes nothing.
  CAutoClip(const RCPtr<LRenderer>& renderer, const ClipRequest& request) : mRenderer(renderer) {
    switch (request.flavor) {
      case ClipFlavor::State:
        mRenderer->PushState();
        break;
      case ClipFlavor::Clip:
        mRenderer->PushClip(request.rect, request.clipRect, request.stencil, request.relative);
        break;
      case ClipFlavor::Offset:
        mRenderer->PushOffset(request.offset);
        break;
      default:
        RaiseUnknownClipFlavor();
    }
  }

  CAutoClip(const RCPtr<LRenderer>& renderer, const RectT<double>& rect, const RectT<double>& clip,
            const RCPtr<LStencil>& stencil, bool relative = true)
      : mRenderer(renderer) {
    mRenderer->PushClip(rect, clip, stencil, relative);
  }

  // Clips to the rectangle itself (looks clip their text so).
  CAutoClip(const RCPtr<LRenderer>& renderer, const RectT<double>& rect, const RCPtr<LStencil>& stencil)
      : CAutoClip(renderer, rect, rect, stencil, true) {}

  ~CAutoClip() { mRenderer->PopState(); }

  CAutoClip(const CAutoClip&) = delete;
  CAutoClip& operator=(const CAutoClip&) = delete;

private:
  RCPtr<LRenderer> mRenderer;
};

}  // namespace SV
