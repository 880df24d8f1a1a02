#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/ControlBase/Control.h"

// The font of LControl: resolved against a base font, and followed down the tree.
namespace SV {
namespace {

bool SameFont(const RCPtr<LFont>& a, const RCPtr<LFont>& b) {
  if (!a || !b) return !a && !b;
  return !(*a != *b);
}

// The application's font; before a skin gave it one, the system font.
RCPtr<LFont> ApplicationFont() {
  LFrameworkApp* application = GetFrameworkApp();
  if (!application) return nullptr;
  if (RCPtr<LFont> font = application->GetDefaultFont()) return font;
  String face;
  float size = 0;
  int32_t style = 0;
  if (application->GetSystemFont(face, size, style) < 0) return nullptr;
  return LFont::GetFont(face, size, style);
}

}  // namespace

RCPtr<LFont> LControl::BaseFont() const {
  if (mFontInheritsFromParent && mParent && mParent->mFont) return mParent->mFont;
  return ApplicationFont();
}

SVRESULT LControl::SetFontFromSpec(const String& face, float size, int32_t style, bool sizeIsRelative) {
  const RCPtr<LFont> base = BaseFont();
  const bool nameInherited = face.IsEmpty();
  const bool sizeInherited = size <= 0 || mFontSizeIsRelative;
  const bool styleInherited = style == -1;
  if (!base && (nameInherited || sizeInherited || styleInherited)) return E_FAIL;
  float factor = 1.0f;
  float resolvedSize = size;
  if (sizeInherited) {
    if (sizeIsRelative && size > 0) factor = size;
    resolvedSize = base->GetSize() * factor;
  }
  const String resolvedFace = nameInherited ? base->GetFace() : face;
  const int32_t resolvedStyle = styleInherited ? base->GetStyle() : style;
  const bool isBase =
      base && resolvedFace == base->GetFace() && resolvedSize == base->GetSize() && resolvedStyle == base->GetStyle();
  const RCPtr<LFont> font = isBase ? base : LFont::GetFont(resolvedFace, resolvedSize, resolvedStyle);
  if (!font) return E_FAIL;
  const SVRESULT result = SetFont(font);
  if (result < 0) return result;
  mFontNameInherited = nameInherited;
  mFontSizeInherited = sizeInherited;
  mFontStyleInherited = styleInherited;
  mFontSizeIsRelative = sizeIsRelative;
  mFontSizeFactor = factor;
  return result;
}

SVRESULT LControl::SetFont(const RCPtr<LFont>& font) {
  if (!font) return E_INVALIDARG;
  GiveLooksFont(font);
  if (SameFont(font, mFont)) return S_FALSE;
  const RCPtr<LControl> self(this);
  mFont = font;
  mFontNameInherited = mFontSizeInherited = mFontStyleInherited = false;
  OnFontChanged();
  UpdateChildFonts();
  RecomputePlacement();
  InvalidateRect({0, 0, mRect.width, mRect.height}, ClipsToParent());
  return S_OK;
}

// A handler may take children out meanwhile: the index is checked at every step.
void LControl::UpdateChildFonts() {
  for (uint32_t position = 0; position < mChildren.GetCount(); ++position) {
    const RCPtr<LControl> child = mChildren.GetAt(position, ChildOrder::InsertionOrder);
    child->UpdateFont();
  }
}

SVRESULT LControl::UpdateFont() {
  if (!mFontInheritsFromParent || !mFont) return S_OK;
  if (!mFontNameInherited && !mFontSizeInherited && !mFontStyleInherited) return S_OK;
  const String face = mFontNameInherited ? String() : mFont->GetFace();
  float size = mFont->GetSize();
  if (mFontSizeInherited) size = mFontSizeIsRelative ? mFontSizeFactor : 0.0f;
  const int32_t style = mFontStyleInherited ? -1 : mFont->GetStyle();
  SetFontFromSpec(face, size, style, mFontSizeInherited && mFontSizeIsRelative);
  return S_OK;
}

// A descriptor without a skin gives no looks and no font settings of its own: the
// control takes the application's font whole.
void LControl::TakeFontOf(const LSkinDescriptor* skin) {
  mFontInheritsFromParent = skin && skin->FontInheritsFromParent;
  mFontSizeIsRelative = skin && skin->FontSizeIsRelative;
  if (!skin) {
    SetFontFromSpec(String(), 0.0f, -1, false);
    return;
  }
  SetFontFromSpec(skin->FontName, skin->FontSize, skin->FontStyle, skin->FontSizeIsRelative);
}

}  // namespace SV
