#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// A font by face name, size in points and style bits (1 bold, 2 italic, 4 underline,
// 8 strikeout). Fonts are shared: the process-wide registry hands out one object per
// description (faces compared without case). A font measures its line metrics once,
// on first use, through the application's measuring renderer. The registry's reference
// is internal: when the last user lets go, the font leaves it. UI thread only.
class LFont : public LRefCountedObject {
public:
  using Registry = RCPtrArray<LFont>;

  // The registered font of the description, made and registered when absent; never null.
  static RCPtr<LFont> GetFont(const String& face, float size, int32_t style);
  // The registry index of the description (the most recently added match), -1 when absent.
  static int32_t Find(const String& face, float size, int32_t style);
  static Registry& GetRegistry();

  const String& GetFace() const { return mFace; }
  float GetSize() const { return mSize; }
  int32_t GetStyle() const { return mStyle; }

  // Line height, ascent (negative above the baseline on the raster back end) and descent
  // in pixels, measured on first use. Without a measuring renderer (before the first root
  // window) they are estimated from the point size and measured again next time.
  int32_t GetHeight();
  int32_t GetAscent();
  int32_t GetDescent();
  bool IsMeasured() const { return mHeight >= 0; }

  // True when face (case-sensitive), size or style differ.
  bool operator!=(const LFont& other) const;
  // 1 for the first font made in the process, each new font the next number.
  int32_t GetUniqueID() const { return mSerial; }

  // Leaves the registry when the last user lets go.
  SVRESULT ReleaseInternalReferences() override;

private:
  LFont(const String& face, float size, int32_t style, int32_t serial)
      : mFace(face), mSize(size), mStyle(style), mSerial(serial) {}
  void Measure();

  const String mFace;
  const float mSize;
  const int32_t mStyle;
  int32_t mHeight = -1;
  int32_t mAscent = 0;
  int32_t mDescent = 0;
  const int32_t mSerial;
};

}  // namespace SV
