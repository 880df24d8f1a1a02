#include "SVFramework/Utilities/Graphics/Font.h"

#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Renderer/MeasurementRenderer.h"

namespace SV {
namespace {

int32_t gLastSerial = 0;

bool SameFaceIgnoringCase(const String& a, const String& b) {
  return a.GetString() == b.GetString() || a.ToLower() == b.ToLower();
}

}  // namespace

LFont::Registry& LFont::GetRegistry() {
  // Lives until the process ends, so that fonts still held at exit can leave it.
  static auto* const registry = new Registry;
  return *registry;
}

int32_t LFont::Find(const String& face, float size, int32_t style) {
  const Registry& registry = GetRegistry();
  for (uint32_t i = registry.GetCount(); i-- > 0;) {
    const LFont& font = *registry[i];
    if (font.mSize == size && font.mStyle == style && SameFaceIgnoringCase(font.mFace, face)) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

RCPtr<LFont> LFont::GetFont(const String& face, float size, int32_t style) {
  const int32_t found = Find(face, size, style);
  if (found >= 0) return GetRegistry()[static_cast<uint32_t>(found)];
  RCPtr<LFont> font(new LFont(face, size, style, ++gLastSerial));
  GetRegistry().Append(font);
  font->AddInternalReferences(1);
  return font;
}

void LFont::Measure() {
  LFrameworkApp* const application = GetFrameworkApp();
  const RCPtr<LMeasurementRenderer> renderer = application ? application->GetRenderer() : nullptr;
  if (renderer) {
    renderer->GetFontMetrics(RCPtr<LFont>(this), mHeight, mAscent, mDescent);
    return;
  }
  // No root window yet: an estimate from the point size at 96 pixels per inch.
  const double pixels = std::max(1.0, std::ceil(mSize * 96.0 / 72.0));
  mAscent = -static_cast<int32_t>(std::ceil(pixels * 0.8));
  mDescent = static_cast<int32_t>(pixels) + mAscent + 1;
  mHeight = -1;
}

int32_t LFont::GetHeight() {
  if (mHeight < 0) Measure();
  return mHeight >= 0 ? mHeight : mDescent - mAscent;
}

int32_t LFont::GetAscent() {
  if (mHeight < 0) Measure();
  return mAscent;
}

int32_t LFont::GetDescent() {
  if (mHeight < 0) Measure();
  return mDescent;
}

bool LFont::operator!=(const LFont& other) const {
  const bool sameFace = mFace.GetString() == other.mFace.GetString() || mFace == other.mFace;
  return !sameFace || mSize != other.mSize || mStyle != other.mStyle;
}

SVRESULT LFont::ReleaseInternalReferences() {
  const int32_t index = Find(mFace, mSize, mStyle);
  if (index < 0 || GetRegistry()[static_cast<uint32_t>(index)].Get() != this) return E_FAIL;
  AddInternalReferences(-1);
  GetRegistry().RemoveItems(static_cast<uint32_t>(index), 1);
  return S_OK;
}

}  // namespace SV
