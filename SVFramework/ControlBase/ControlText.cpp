#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/LookTextRect.h"
#include "SVFramework/ControlBase/PixelRounding.h"
#include "SVFramework/System/WindowOSServices.h"
#include "SVFramework/Utilities/Graphics/FontText.h"

// The label text of LControl: storing it, where it shows, and whether it fits.
namespace SV {

bool LControl::ApplyText(const String& text, bool replace) {
  if (text == mText) return false;
  const RCPtr<LControl> self(this);
  if (mRootWindow)
    if (IWindowOSServices* window = mRootWindow->GetOSWindow()) window->SetTitle(text);
  mText = text;
  if (mLookText) mLookText->SetText(mText);
  const bool textWidens =
      mLayout && ((!mLayout->MinSize[0].namesControl && mLayout->TextOverflowXType != TextOverflow::Clip) ||
                  (!mLayout->MinSize[1].namesControl && mLayout->TextOverflowYType != TextOverflow::Clip));
  if (replace && textWidens) RecomputePlacement();
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  return true;
}

bool LControl::IsTextTruncated() {
  const LLookDescriptor* look = CurrentLookDescriptor();
  if (!look) return false;
  LFontText* text = CurrentLookText();
  if (!text) return !mText.IsEmpty();
  const float textWidth = LookTextRect(look->Text, mRect.width, mRect.height).width;
  const float lineWidth = text->Layout() > 0 ? text->GetLineRect(0).width : 0.0f;
  return lineWidth > textWidth;
}

String LControl::GetString(const char16_t* key) const {
  String text;
  if (const RCPtr<LStringTable>& table = GetStringTable()) table->GetString(key, text);
  return text;
}

// The look shown when no look is picked by weight: the first look of the skin's list.
const LLookDescriptor* LControl::CurrentLookDescriptor() const {
  if (!mDescriptor || !mDescriptor->Skin || !mDescriptor->Skin->LookList) return nullptr;
  const LLookList& looks = *mDescriptor->Skin->LookList;
  for (uint32_t index = 0; index < looks.GetCount(); ++index)
    if (looks[index]) return looks[index].Get();
  return nullptr;
}

// The label as the current look lays it out, in the control's font and with the
// look's text box; null when the current look shows no text.
LFontText* LControl::CurrentLookText() {
  const LLookDescriptor* look = CurrentLookDescriptor();
  if (!look || !look->HasText) return nullptr;
  if (!mLookText) mLookText = LFontText::Create(mText, mFont);
  mLookText->SetText(mText);
  mLookText->SetFont(mFont);
  mLookText->SetWrap(mLookTextWraps);
  mLookText->SetAlignment(look->Text.TextHAlign, look->Text.TextVAlign);
  const RectT<float> box = LookTextRect(look->Text, mRect.width, mRect.height);
  mLookText->SetBoxSize(static_cast<int32_t>(RoundHalfAwayFromZero(box.width)),
                        static_cast<int32_t>(RoundHalfAwayFromZero(box.height)));
  return mLookText.Get();
}

// At creation the label comes from the string table; a re-skin keeps the text and
// hands it to the new looks.
void LControl::TakeLabelTextOf(bool created) {
  if (!created) {
    if (GetStringTable()) ApplyText(GetString(u"LABEL"), false);
    return;
  }
  const String kept = mText;
  mText += u"~";
  ApplyText(kept, false);
}

}  // namespace SV
