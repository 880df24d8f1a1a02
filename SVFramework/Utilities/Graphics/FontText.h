#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/StringArrayT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LMeasurementRenderer;

// A text in a font laid out in a box: split into lines at "\n" (and, with wrap, at
// spaces and after hyphens to the box width), each line placed by the horizontal and
// vertical alignment factors (0 left/top, 0.5 centre, 1 right/bottom) and spaced by
// the font's line height. Layout is made on demand and kept until the text, font, wrap
// or box changes (lines and rects) or a factor changes (rects). Measuring goes through
// the application's measuring renderer; without a renderer or a font every text
// measures (0, 0, 0, 0). UI thread only.
class LFontText : public LRefCountedObject {
public:
  LFontText(const String& text, const RCPtr<LFont>& font) : mText(text), mFont(font) {}
  static RCPtr<LFontText> Create(const String& text, const RCPtr<LFont>& font) {
    return RCPtr<LFontText>(new LFontText(text, font));
  }

  // True when the layout was invalidated.
  bool SetText(const String& text);
  bool SetFont(const RCPtr<LFont>& font);
  bool SetWrap(bool wrap);
  void SetBoxSize(int32_t width, int32_t height);
  void SetAlignment(float horizontal, float vertical);

  const String& GetText() const { return mText; }
  const RCPtr<LFont>& GetFont() const { return mFont; }

  // Lays out and places what is not cached; the number of line rects.
  uint32_t Layout();
  // The rect of line i relative to the box; zeros past the last line.
  RectT<float> GetLineRect(uint32_t index);
  const StringArrayT<char16_t, char>& GetLines() const { return mLines; }

  int32_t GetHeightForWidth(int32_t width);
  int32_t GetWidestLineWidth();
  // Width and height of the union of the line rects with the box origin.
  PointT<int32_t> GetExtent();

  // The number of leading characters of `text` that form one line at most `width` wide.
  uint32_t FitLine(LMeasurementRenderer* renderer, int32_t width, const String& text);
  void Wrap(LMeasurementRenderer* renderer, int32_t width, StringArrayT<char16_t, char>& lines);
  void PlaceLines(LMeasurementRenderer* renderer);

private:
  void InvalidateLines();
  float MeasureWidth(LMeasurementRenderer* renderer, const String& text);
  RectT<float> Measure(LMeasurementRenderer* renderer, const String& text);
  uint32_t BreakAfterHyphen(LMeasurementRenderer* renderer, float maxWidth, String text);
  void Split(LMeasurementRenderer* renderer, int32_t width, bool wrap, StringArrayT<char16_t, char>& lines);

  String mText;
  RCPtr<LFont> mFont;
  float mHAlign = 0;
  float mVAlign = 0;
  bool mWrap = false;
  int32_t mBoxWidth = 0;
  int32_t mBoxHeight = 0;
  StringArrayT<char16_t, char> mLines;
  Array<RectT<float>> mLineRects;
};

}  // namespace SV
