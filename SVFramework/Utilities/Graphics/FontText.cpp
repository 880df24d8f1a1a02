#include "SVFramework/Utilities/Graphics/FontText.h"

#include <algorithm>
#include <cmath>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Renderer/MeasurementRenderer.h"

namespace SV {
namespace {

constexpr char16_t kLineBreak[] = u"\n";

RCPtr<LMeasurementRenderer> ApplicationRenderer() {
  LFrameworkApp* const application = GetFrameworkApp();
  return application ? application->GetRenderer() : nullptr;
}

int32_t RoundExtent(float value) {
  constexpr float kLimit = 8388608.0f;
  return RoundToInt32(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

void LFontText::InvalidateLines() {
  mLines.RemoveAll();
  mLineRects.RemoveAll();
}

bool LFontText::SetText(const String& text) {
  if (text.GetString() == mText.GetString() || text == mText) return false;
  mText = text;
  InvalidateLines();
  return true;
}

bool LFontText::SetFont(const RCPtr<LFont>& font) {
  const bool changed = !font != !mFont || (font && *font != *mFont);
  mFont = font;
  if (changed) InvalidateLines();
  return changed;
}

bool LFontText::SetWrap(bool wrap) {
  if (wrap == mWrap) return false;
  mWrap = wrap;
  InvalidateLines();
  return true;
}

void LFontText::SetBoxSize(int32_t width, int32_t height) {
  if (width == mBoxWidth && height == mBoxHeight) return;
  mBoxWidth = width;
  mBoxHeight = height;
  InvalidateLines();
}

void LFontText::SetAlignment(float horizontal, float vertical) {
  if (horizontal == mHAlign && vertical == mVAlign) return;
  mHAlign = horizontal;
  mVAlign = vertical;
  mLineRects.RemoveAll();
}

RectT<float> LFontText::Measure(LMeasurementRenderer* renderer, const String& text) {
  if (renderer == nullptr || !mFont) return {};
  return renderer->MeasureText(text, mFont);
}

// A width with the rect's x folded in.
float LFontText::MeasureWidth(LMeasurementRenderer* renderer, const String& text) {
  const RectT<float> rect = Measure(renderer, text);
  return rect.x != 0 ? rect.width + rect.x : rect.width;
}

void LFontText::Split(LMeasurementRenderer* renderer, int32_t width, bool wrap,
                      StringArrayT<char16_t, char>& lines) {
  if (wrap) {
    Wrap(renderer, width, lines);
  } else {
    mText.TokenizeInto(lines, kLineBreak);
  }
}

uint32_t LFontText::Layout() {
  const RCPtr<LMeasurementRenderer> renderer = ApplicationRenderer();
  if (mLines.GetCount() == 0) Split(renderer.Get(), mBoxWidth, mWrap, mLines);
  if (mLineRects.GetCount() == 0) PlaceLines(renderer.Get());
  return mLineRects.GetCount();
}

RectT<float> LFontText::GetLineRect(uint32_t index) {
  return index < Layout() ? mLineRects[index] : RectT<float>{};
}

void LFontText::PlaceLines(LMeasurementRenderer* renderer) {
  mLineRects.RemoveAll();
  if (mLines.GetCount() == 0) mLines.Append(String());
  const uint32_t lineHeight = mFont ? static_cast<uint32_t>(std::max(mFont->GetHeight(), 0)) : 0;
  const float top = (static_cast<float>(mBoxHeight) - static_cast<float>(lineHeight * mLines.GetCount())) * mVAlign;
  for (uint32_t i = 0; i < mLines.GetCount(); ++i) {
    const RectT<float> measured = Measure(renderer, mLines[i]);
    const float width = measured.x != 0 ? measured.width + measured.x : measured.width;
    const float x = (static_cast<float>(mBoxWidth) - width) * mHAlign;
    mLineRects.Append(RectT<float>{x, static_cast<float>(lineHeight * i) + top, width, measured.height});
  }
}

// After the space at `p` fits, a later hyphen whose line still fits wins.
uint32_t LFontText::FitLine(LMeasurementRenderer* renderer, int32_t width, const String& text) {
  const float maxWidth = static_cast<float>(width);
  if (MeasureWidth(renderer, text) < maxWidth) return static_cast<uint32_t>(text.GetLength());
  String rest = text;
  for (;;) {
    const int32_t space = rest.ReverseFind(' ');
    if (space < 1) return BreakAfterHyphen(renderer, maxWidth, rest);
    if (MeasureWidth(renderer, rest.Left(space)) <= maxWidth) {
      const int32_t hyphenEnd = rest.ReverseFind('-') + 1;
      if (hyphenEnd > space && MeasureWidth(renderer, rest.Left(hyphenEnd)) <= maxWidth) {
        return static_cast<uint32_t>(hyphenEnd);
      }
      return static_cast<uint32_t>(space);
    }
    rest = rest.Left(space);
  }
}

// A text with no usable space: ends after the last hyphen (not its last character)
// whose line fits; a part without a further hyphen is taken whole and overflows.
uint32_t LFontText::BreakAfterHyphen(LMeasurementRenderer* renderer, float maxWidth, String text) {
  for (;;) {
    const int32_t length = text.GetLength();
    if (length <= 1) return static_cast<uint32_t>(length);
    const int32_t hyphen = text.Left(length - 1).ReverseFind('-');
    if (hyphen < 0) return static_cast<uint32_t>(length);
    const int32_t end = hyphen + 1;
    if (MeasureWidth(renderer, text.Left(end)) <= maxWidth) return static_cast<uint32_t>(end);
    text = text.Left(end);
  }
}

void LFontText::Wrap(LMeasurementRenderer* renderer, int32_t width, StringArrayT<char16_t, char>& lines) {
  lines.RemoveAll();
  StringArrayT<char16_t, char> paragraphs;
  mText.TokenizeInto(paragraphs, kLineBreak);
  for (uint32_t i = 0; i < paragraphs.GetCount(); ++i) {
    String rest = paragraphs[i];
    int32_t fitted = static_cast<int32_t>(FitLine(renderer, width, rest));
    String line = rest.Left(fitted);
    while (fitted < rest.GetLength()) {
      rest = rest.Mid(fitted).TrimLeft();
      if (rest.IsEmpty()) break;
      lines.Append(line);
      fitted = static_cast<int32_t>(FitLine(renderer, width, rest));
      line = rest.Left(fitted);
    }
    lines.Append(line);
  }
}

int32_t LFontText::GetHeightForWidth(int32_t width) {
  const RCPtr<LMeasurementRenderer> renderer = ApplicationRenderer();
  StringArrayT<char16_t, char> lines;
  Split(renderer.Get(), width, mWrap, lines);
  const int32_t lineHeight = mFont ? std::max(mFont->GetHeight(), 0) : 0;
  return static_cast<int32_t>(lines.GetCount()) * lineHeight;
}

int32_t LFontText::GetWidestLineWidth() {
  const RCPtr<LMeasurementRenderer> renderer = ApplicationRenderer();
  StringArrayT<char16_t, char> paragraphs;
  mText.TokenizeInto(paragraphs, kLineBreak);
  float widest = 0;
  for (uint32_t i = paragraphs.GetCount(); i-- > 0;) widest = std::max(widest, MeasureWidth(renderer.Get(), paragraphs[i]));
  return RoundToInt32(std::trunc(static_cast<double>(widest) + 0.99));
}

PointT<int32_t> LFontText::GetExtent() {
  const uint32_t count = Layout();
  float left = 0, top = 0, right = 0, bottom = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const RectT<float>& rect = mLineRects[i];
    left = std::min(left, rect.x);
    top = std::min(top, rect.y);
    right = std::max(right, rect.x + rect.width);
    bottom = std::max(bottom, rect.y + rect.height);
  }
  return {RoundExtent(right - left), RoundExtent(bottom - top)};
}

}  // namespace SV
