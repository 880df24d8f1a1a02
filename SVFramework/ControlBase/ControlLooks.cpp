#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlGeometry.h"
#include "SVFramework/ControlBase/SkinDescriptor.h"

// The look list of LControl: looks by index with a weight each; a look is visible when
// its entry is not null and its weight is above 0. Empty slots of a skin's look list
// stay null: they draw nothing and are never hit.
namespace SV {

bool LControl::IsLookVisible(uint32_t index) const {
  return index < mLooks.GetCount() && mLooks[index] && GetLookWeight(index) > 0;
}

// The weights stay: a re-skinned control keeps showing the looks it showed.
void LControl::ApplyLooksOf(const LControlDescriptor& descriptor) {
  mLooks.SetCount(0);
  const LSkinDescriptor* skin = descriptor.Skin.Get();
  if (!skin || !skin->LookList) return;
  const bool wrap = mLayout && mLayout->TextOverflowXType == TextOverflow::Wrap;
  const LLookList& list = *skin->LookList;
  for (uint32_t index = 0; index < list.GetCount(); ++index)
    AddLook(list[index] ? LLook::Create(list[index], wrap) : nullptr);
}

int32_t LControl::AddLook(const RCPtr<LLook>& look) {
  mLooks.Append(look);
  while (mLookWeights.GetCount() < mLooks.GetCount()) mLookWeights.Append(0.0f);
  if (look) {
    look->SetSize(RoundToLongPoint({mRect.width, mRect.height}));
    if (mFont) look->SetFont(mFont);
    look->SetText(mText);
  }
  return static_cast<int32_t>(mLooks.GetCount()) - 1;
}

// Every look, from the last to the first, takes the label text, the font, or wrapping.
void LControl::GiveLooksText(const String& text) {
  for (uint32_t index = mLooks.GetCount(); index-- > 0;)
    if (mLooks[index]) mLooks[index]->SetText(text);
}

void LControl::GiveLooksFont(const RCPtr<LFont>& font) {
  for (uint32_t index = mLooks.GetCount(); index-- > 0;)
    if (mLooks[index]) mLooks[index]->SetFont(font);
}

void LControl::WrapLooksText() {
  for (uint32_t index = mLooks.GetCount(); index-- > 0;)
    if (mLooks[index] && mLooks[index]->GetText()) mLooks[index]->GetText()->SetWrap(true);
}

void LControl::ResizeLooks() {
  const PointT<int32_t> size = RoundToLongPoint({mRect.width, mRect.height});
  for (uint32_t index = 0; index < mLooks.GetCount(); ++index)
    if (mLooks[index]) mLooks[index]->SetSize(size);
}

SVRESULT LControl::SetLookWeight(int32_t index, float weight, bool exclusive) {
  if (index < 0 || static_cast<uint32_t>(index) >= mLookWeights.GetCount()) return E_INVALIDARG;
  bool changed = false;
  if (weight >= 0.0f && weight <= 1.0f && mLookWeights[index] != weight) {
    mLookWeights[index] = weight;
    changed = true;
  }
  for (uint32_t other = 0; exclusive && other < mLookWeights.GetCount(); ++other) {
    if (other == static_cast<uint32_t>(index) || mLookWeights[other] == 0.0f) continue;
    mLookWeights[other] = 0.0f;
    changed = true;
  }
  if (changed) InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  return S_OK;
}

SVRESULT LControl::SetExclusiveLook(int32_t index) { return SetLookWeight(index, 1.0f, true); }

RCPtr<LLook> LControl::GetLook(int32_t index) const {
  if (index >= 0 && static_cast<uint32_t>(index) < mLooks.GetCount()) return mLooks[index];
  const int32_t visible = GetFirstVisibleLookIndex();
  if (visible >= 0) return mLooks[visible];
  for (uint32_t position = 0; position < mLooks.GetCount(); ++position)
    if (mLooks[position]) return mLooks[position];
  return nullptr;
}

int32_t LControl::GetFirstVisibleLookIndex() const {
  for (uint32_t index = 0; index < mLooks.GetCount(); ++index)
    if (IsLookVisible(index)) return static_cast<int32_t>(index);
  return -1;
}

RectT<double> LControl::GetLookClientRect(int32_t index) const {
  const RCPtr<LLook> look = GetLook(index);
  if (!look) return {0, 0, mRect.width, mRect.height};
  return ToDoubleRect(look->GetClientRect());
}

SVRESULT LControl::SetLookPart(const RCPtr<LBitmap>& bitmap, ResizeType resize, int32_t lookIndex, bool exclusive) {
  const RCPtr<LLook> look = GetLook(lookIndex);
  if (!look) return E_FAIL;
  const SVRESULT result = look->SetOverlayPart(bitmap, resize, exclusive);
  if (result == S_FALSE) return result;
  if (lookIndex == GetFirstVisibleLookIndex()) InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  return result;
}

SVRESULT LControl::SetLookForegroundPart(const RCPtr<LVisualPart>& part, int32_t lookIndex) {
  const RCPtr<LLook> look = GetLook(lookIndex);
  if (!look) return E_FAIL;
  if (!part) return E_INVALIDARG;
  look->SetForegroundPart(part);
  return S_OK;
}

SVRESULT LControl::SetLookRegion(int32_t lookIndex, const Region& region) {
  const RCPtr<LLook> look = GetLook(lookIndex);
  if (!look) return E_INVALIDARG;
  look->GetRegion() = region;
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  return S_OK;
}

SVRESULT LControl::ClearLookRegion(int32_t lookIndex) {
  const RCPtr<LLook> look = GetLook(lookIndex);
  if (!look) return E_INVALIDARG;
  look->GetRegion().Clear();
  return S_OK;
}

void LControl::ClearAllLookRegions() {
  for (uint32_t index = mLooks.GetCount(); index-- > 0;)
    if (mLooks[index]) mLooks[index]->GetRegion().Clear();
}

SVRESULT LControl::SetLookRegionExcluding(int32_t lookA, int32_t lookB) {
  const RCPtr<LLook> a = GetLook(lookA);
  const RCPtr<LLook> b = GetLook(lookB);
  if (!a || !b) return E_INVALIDARG;
  Region region;
  region.AddRect({0, 0, static_cast<int32_t>(std::trunc(mRect.width + 0.5)),
                  static_cast<int32_t>(std::trunc(mRect.height + 0.5))});
  region.SubtractRegion(b->GetRegion());
  region.Optimize();
  a->GetRegion() = region;
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  return S_OK;
}

uint32_t LControl::GetLookColorAt(PointT<int32_t> point, int32_t lookIndex) {
  const RCPtr<LLook> look = GetLook(lookIndex);
  return look ? look->GetColorAt(point) : LVisualPart::kTransparent;
}

bool LControl::IsTransparentAt(PointT<int32_t> point) {
  for (uint32_t index = 0; index < mLooks.GetCount(); ++index)
    if (IsLookVisible(index) && (mLooks[index]->GetColorAt(point) >> 24) != 0) return false;
  return true;
}

}  // namespace SV
