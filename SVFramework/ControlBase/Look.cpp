#include "SVFramework/ControlBase/Look.h"

#include <algorithm>
#include <stdexcept>

#include "SVFramework/ControlBase/ControlGeometry.h"
#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/Renderer.h"

namespace SV {
namespace {

constexpr int64_t kWholeFloatPixelLimit = 8388608;

float ToFloatPixels(int64_t value) {
  return static_cast<float>(std::clamp(value, -kWholeFloatPixelLimit, kWholeFloatPixelLimit));
}

// The part's colour at a point of the look, the part drawn into `rect`.
uint32_t ColorInRect(const LVisualPart& part, PointT<int32_t> point, const RectT<int32_t>& rect) {
  const PointT<float> local{ToFloatPixels(int64_t{point.x} - rect.x), ToFloatPixels(int64_t{point.y} - rect.y)};
  return part.GetColorAtPoint(local, PointT<float>{ToFloatPixels(rect.width), ToFloatPixels(rect.height)});
}

bool HasAlpha(uint32_t argb) { return (argb >> 24) != 0; }

int32_t ClampToRange(int64_t value, int64_t low, int64_t high) {
  return static_cast<int32_t>(std::clamp(value, low, std::max(low, high)));
}

}  // namespace

RCPtr<LLook> LLook::Create(const RCPtr<LLookDescriptor>& descriptor, bool wrap) {
  RCPtr<LLook> look(new LLook);
  look->SetDescriptor(descriptor, wrap);
  return look;
}

void LLook::SetDescriptor(const RCPtr<LLookDescriptor>& descriptor, bool wrap) {
  mDescriptor = descriptor;
  mForegroundPart = descriptor && descriptor->ForegroundPart ? descriptor->ForegroundPart->GetVisualPart() : nullptr;
  if (descriptor && descriptor->HasText) {
    if (!mText) mText = LFontText::Create(String(), nullptr);
    mText->SetWrap(wrap);
    mText->SetAlignment(descriptor->Text.TextHAlign, descriptor->Text.TextVAlign);
  } else {
    mText.Reset();
  }
  mClientPart = descriptor && descriptor->ClientPart ? descriptor->ClientPart->GetVisualPart() : nullptr;
  const uint32_t count = descriptor ? descriptor->NonClientParts.GetCount() : 0;
  mNonClientRects.SetCount(count);
  mNonClientParts.SetCount(count);
  const PointT<int32_t> previous{mWidth, mHeight};
  mWidth = mHeight = 0;
  SetSize(previous);
}

bool LLook::SetSize(PointT<int32_t> size) {
  if (size.x == mWidth && size.y == mHeight) return true;
  mWidth = size.x;
  mHeight = size.y;
  LayOutClientRect();
  for (uint32_t index = 0; index < mNonClientParts.GetCount(); ++index) LayOutNonClientPart(index);
  LayOutText();
  mStencil.Reset();
  return true;
}

// Without a client part the whole look is its client area.
void LLook::LayOutClientRect() {
  const LDockedPart* client = mDescriptor ? mDescriptor->ClientPart.Get() : nullptr;
  if (!client) {
    mClientRect = {0, 0, std::max(mWidth, 0), std::max(mHeight, 0)};
    return;
  }
  const int64_t width = mWidth, height = mHeight;
  const int32_t x = ClampToRange(client->OffsetLeft, 0, width);
  const int32_t y = ClampToRange(client->OffsetTop, 0, height);
  mClientRect = {x, y, ClampToRange(width + client->OffsetRight - x, 0, width - x),
                 ClampToRange(height + client->OffsetBottom - y, 0, height - y)};
}

void LLook::LayOutNonClientPart(uint32_t index) {
  const LDockedPart& docked = *mDescriptor->NonClientParts[index];
  const LVisualPartDescriptor* part = docked.Part.Get();
  const int64_t partWidth = docked.WidthGiven ? docked.Width : (part ? part->PartSize.width : 0);
  const int64_t partHeight = docked.HeightGiven ? docked.Height : (part ? part->PartSize.height : 0);
  const int32_t given = docked.GivenOffsets;
  const int64_t width = mWidth, height = mHeight;
  int64_t left = (given & LDockedPart::kLeftGiven) ? docked.OffsetLeft : 0;
  int64_t top = (given & LDockedPart::kTopGiven) ? docked.OffsetTop : 0;
  int64_t right = (given & LDockedPart::kRightGiven) ? width + docked.OffsetRight : width;
  int64_t bottom = (given & LDockedPart::kBottomGiven) ? height + docked.OffsetBottom : height;
  if (!(given & LDockedPart::kLeftGiven)) left = right - partWidth;
  if (!(given & LDockedPart::kTopGiven)) top = bottom - partHeight;
  if (!(given & LDockedPart::kRightGiven)) right = left + partWidth;
  if (!(given & LDockedPart::kBottomGiven)) bottom = top + partHeight;
  if (!(given & (LDockedPart::kLeftGiven | LDockedPart::kRightGiven))) {
    left = (width - partWidth) / 2;
    right = left + partWidth;
  }
  if (!(given & (LDockedPart::kTopGiven | LDockedPart::kBottomGiven))) {
    top = (height - partHeight) / 2;
    bottom = top + partHeight;
  }
  mNonClientRects[index] = {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right - left),
                            static_cast<int32_t>(bottom - top)};
  mNonClientParts[index] = docked.GetVisualPart();
}

void LLook::LayOutText() {
  if (!mText) return;
  const LookTextProperties& text = mDescriptor->Text;
  const float width = static_cast<float>(mWidth), height = static_cast<float>(mHeight);
  const float left = static_cast<float>(text.TextLeftAbs) + text.TextLeftRel * width;
  const float right = static_cast<float>(text.TextRightAbs) + text.TextRightRel * width;
  const float top = static_cast<float>(text.TextTopAbs) + text.TextTopRel * height;
  const float bottom = static_cast<float>(text.TextBottomAbs) + text.TextBottomRel * height;
  const PointT<int32_t> box = RoundPoint(PointT<float>{right - left, bottom - top});
  mTextBox = box;
  mText->SetBoxSize(box.x, box.y);
  mTextOrigin = {RoundToInt32(std::trunc(left)), RoundToInt32(std::trunc(top))};
}

// Each rectangle of the paint region (limited to the look's own region when it has
// one) that overlaps the target and the current clip is drawn in a clip of its own.
template <class DrawFunction>
void LLook::DrawInRegion(const RCPtr<LRenderer>& renderer, const Region& region, const RectT<int32_t>& target,
                         const RCPtr<LStencil>& stencil, DrawFunction draw) {
  LRenderContextInfo* const context = renderer->GetCurrentContext();
  if (context == nullptr) return;
  const PointT<double> offset = context->GetState().offset;
  Region restricted;
  if (!mRegion.IsEmpty()) {
    restricted = mRegion;
    restricted.Offset(RoundToInt32(offset.x), RoundToInt32(offset.y));
    restricted.Intersect(region);
    restricted.Optimize();
  }
  const Region& toDraw = mRegion.IsEmpty() ? region : restricted;
  for (const RegionNode* node = toDraw.GetFirst(); node; node = node->next) {
    const RectT<double> dirty{node->left - offset.x, node->top - offset.y, double(node->right) - node->left,
                              double(node->bottom) - node->top};
    RectT<double> clip;
    if (!IntersectDoubleRects(clip, dirty, ToDoubleRect(target))) continue;
    if (!RectsOverlap(clip, context->GetState().clip)) continue;
    draw(clip);
  }
}

SVRESULT LLook::DrawNonClientParts(const RCPtr<LRenderer>& renderer, const Region& region) {
  for (uint32_t index = 0; index < mNonClientParts.GetCount(); ++index) {
    const RCPtr<LVisualPart> part = mNonClientParts[index];
    if (!part) continue;
    const RectT<int32_t> target = mNonClientRects[index];
    DrawInRegion(renderer, region, target, nullptr, [&](const RectT<double>& clip) {
      CAutoClip scope(renderer, ToDoubleRect(target), clip, nullptr);
      part->Draw(renderer, {static_cast<float>(target.width), static_cast<float>(target.height)});
    });
  }
  return S_OK;
}

SVRESULT LLook::DrawClientPart(const RCPtr<LRenderer>& renderer, const Region& region) {
  const bool drawClient = mClientPart && !(mOverlayPart && mOverlayExclusive);
  if (!drawClient && !mOverlayPart) return S_OK;
  const PointT<float> size{static_cast<float>(mClientRect.width), static_cast<float>(mClientRect.height)};
  DrawInRegion(renderer, region, mClientRect, mStencil, [&](const RectT<double>& clip) {
    CAutoClip scope(renderer, ToDoubleRect(mClientRect), clip, mStencil);
    if (drawClient) mClientPart->Draw(renderer, size);
    if (mOverlayPart) mOverlayPart->Draw(renderer, size);
  });
  return S_OK;
}

SVRESULT LLook::DrawLabelText(const RCPtr<LRenderer>& renderer, const Region& region, PointT<double> origin) {
  if (!mText) return S_FALSE;
  const RectT<double> textRect = ToDoubleRect(GetTextRect());
  DrawInRegion(renderer, region, GetTextRect(), mStencil, [&](const RectT<double>& clip) {
    CAutoClip look(renderer, RectT<double>{0, 0, double(mWidth), double(mHeight)}, clip, mStencil);
    if (!HasTextColor()) return;
    CAutoClip text(renderer, textRect, nullptr);
    DrawTextLines(renderer, origin);
  });
  return S_OK;
}

// A label without a foreground part (its image did not load, or the skin names none)
// has no colour and draws nothing.
bool LLook::HasTextColor() const {
  if (!mForegroundPart) return false;
  if (mForegroundPart->GetBitmap()) {
    SV_RAISE(std::domain_error, "Bitmap fill for text foreground part not yet implemented.",
             "SV::LLook::DrawLabelText");
  }
  const RCPtr<LColorizer>& colorizer = mForegroundPart->GetColorizer();
  if (colorizer && colorizer->ColorType != ColorizerType::SolidFill) {
    SV_RAISE(std::domain_error, "Gradient fill for text foreground part not yet implemented.",
             "SV::LLook::DrawLabelText");
  }
  return static_cast<bool>(colorizer);
}

void LLook::DrawTextLines(const RCPtr<LRenderer>& renderer, PointT<double> origin) {
  const RCPtr<LFont>& font = mText->GetFont();
  if (!font) return;
  const uint32_t lineRects = mText->Layout();
  const uint32_t count = std::min(lineRects, mText->GetLines().GetCount());
  const Color color = Color::FromARGB(mForegroundPart->GetColorAtPoint(PointT<int32_t>{0, 0}));
  for (uint32_t line = 0; line < count; ++line) {
    const RectT<float> rect = mText->GetLineRect(line);
    const PointT<double> position{ClampToExactDouble(rect.x - origin.x), ClampToExactDouble(rect.y - origin.y)};
    renderer->DrawText(mText->GetLines()[line], font, RoundToLongPoint(position), color);
  }
}

uint32_t LLook::GetColorAt(PointT<int32_t> point) const {
  for (uint32_t index = 0; index < mNonClientParts.GetCount(); ++index) {
    if (!mNonClientParts[index]) continue;
    const uint32_t color = ColorInRect(*mNonClientParts[index], point, mNonClientRects[index]);
    if (HasAlpha(color)) return color;
  }
  if (mOverlayPart) {
    const uint32_t color = ColorInRect(*mOverlayPart, point, mClientRect);
    if (HasAlpha(color)) return color;
  }
  return mClientPart ? ColorInRect(*mClientPart, point, mClientRect) : LVisualPart::kTransparent;
}

bool LLook::SetFont(const RCPtr<LFont>& font) { return mText ? mText->SetFont(font) : true; }

bool LLook::SetText(const String& text) { return mText ? mText->SetText(text) : true; }

SVRESULT LLook::SetOverlayPart(const RCPtr<LBitmap>& bitmap, ResizeType resize, bool exclusive) {
  if (bitmap) {
    mOverlayPart = MakeVisualPart(String(), bitmap, resize, nullptr, 1.0f, nullptr);
    mOverlayExclusive = exclusive;
    return S_OK;
  }
  if (!mOverlayPart) return S_FALSE;
  mOverlayPart.Reset();
  return S_OK;
}

}  // namespace SV
