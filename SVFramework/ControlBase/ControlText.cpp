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
  GiveLooksText(mText);
  const bool textWidens =
      mLayout && ((!mLayout->MinSize[0].namesControl && mLayout->TextOverflowXType != TextOverflow::Clip) ||
                  (!mLayout->MinSize[1].namesControl && mLayout->TextOverflowYType != TextOverflow::Clip));
  if (replace && textWidens) RecomputePlacement();
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  return true;
}

bool LControl::IsTextTruncated() {
  const LLookDescriptor* look = nullptr;
  LFontText* text = CurrentLookText(look);
  if (!look) return false;
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

// The text object of the look shown (GetLook rules), which holds the label in the
// control's font; null without a look or when that look shows no text. `descriptor` is
// the look's descriptor, null without a look.
LFontText* LControl::CurrentLookText(const LLookDescriptor*& descriptor) const {
  descriptor = nullptr;
  const RCPtr<LLook> look = GetLook(-1);
  if (!look) return nullptr;
  descriptor = look->GetDescriptor().Get();
  return descriptor ? look->GetText().Get() : nullptr;
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
