#pragma once
#include <cstdint>

#include "SVFramework/ControlBase/LookDescriptor.h"
#include "SVFramework/ControlBase/VisualPart.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Renderer/Stencil.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Graphics/FontText.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Graphics/Region.h"
#include "SVFramework/Utilities/Storage/Array.h"
#include "SVFramework/Utilities/Storage/RCPtrArray.h"

namespace SV {

class LRenderer;

// One appearance of a control, made from a look descriptor: parts docked along its
// edges (non-client), a part filling its client rectangle, an optional overlay part a
// control supplies, and a label laid out in a text rectangle and drawn in the colour of
// a foreground part. Coordinates are relative to the look's (its control's) top left.
// Parts that did not load are left out: they draw nothing and are transparent. A label
// without a foreground part draws no text. UI thread only.
class LLook : public virtual LRefCountedObject {
public:
  static RCPtr<LLook> Create(const RCPtr<LLookDescriptor>& descriptor, bool wrap);
  // A look without descriptor, parts or text, of size 0 x 0.
  LLook() = default;

  // Takes the descriptor's parts and text placement and lays them out again for the
  // current size.
  void SetDescriptor(const RCPtr<LLookDescriptor>& descriptor, bool wrap);
  // Lays the parts and the text rectangle out for the size; true (also when unchanged).
  bool SetSize(PointT<int32_t> size);

  // Each draws where the paint region, the look's own region and the current clip meet.
  virtual SVRESULT DrawNonClientParts(const RCPtr<LRenderer>& renderer, const Region& region);
  virtual SVRESULT DrawClientPart(const RCPtr<LRenderer>& renderer, const Region& region);
  // 1 without a text, else 0. Raises the domain error for a foreground part with a
  // bitmap or a gradient colorizer. `origin` is subtracted from the line positions.
  virtual SVRESULT DrawLabelText(const RCPtr<LRenderer>& renderer, const Region& region, PointT<double> origin);

  // The colour under a point: the first non-client part not transparent there, then the
  // overlay part, then the client part's answer; the label is not looked at.
  uint32_t GetColorAt(PointT<int32_t> point) const;

  // Forward to the text; true without one.
  bool SetFont(const RCPtr<LFont>& font);
  bool SetText(const String& text);
  // With a bitmap: an overlay part over the client area (replacing the client part when
  // exclusive), 0. Without: removes the overlay, 0, or 1 when there was none.
  SVRESULT SetOverlayPart(const RCPtr<LBitmap>& bitmap, ResizeType resize, bool exclusive);
  void SetForegroundPart(const RCPtr<LVisualPart>& part) { mForegroundPart = part; }

  const RCPtr<LLookDescriptor>& GetDescriptor() const { return mDescriptor; }
  const RectT<int32_t>& GetClientRect() const { return mClientRect; }
  const RectT<int32_t>& GetNonClientRect(uint32_t index) const { return mNonClientRects[index]; }
  const RCPtr<LStencil>& GetStencil() const { return mStencil; }
  const RCPtr<LFontText>& GetText() const { return mText; }
  PointT<int32_t> GetTextOrigin() const { return mTextOrigin; }
  RectT<int32_t> GetTextRect() const { return {mTextOrigin.x, mTextOrigin.y, mTextBox.x, mTextBox.y}; }
  PointT<int32_t> GetSize() const { return {mWidth, mHeight}; }
  const RCPtr<LVisualPart>& GetClientPart() const { return mClientPart; }
  const RCPtr<LVisualPart>& GetForegroundPart() const { return mForegroundPart; }
  // Restricts where the parts are drawn; empty means nowhere restricted.
  Region& GetRegion() { return mRegion; }

private:
  void LayOutClientRect();
  void LayOutNonClientPart(uint32_t index);
  void LayOutText();
  template <class DrawFunction>
  void DrawInRegion(const RCPtr<LRenderer>& renderer, const Region& region, const RectT<int32_t>& target,
                    const RCPtr<LStencil>& stencil, DrawFunction draw);
  // Whether the foreground part gives the text a colour; raises for the fills it cannot.
  bool HasTextColor() const;
  void DrawTextLines(const RCPtr<LRenderer>& renderer, PointT<double> origin);

  RCPtr<LLookDescriptor> mDescriptor;
  RCPtr<LVisualPart> mForegroundPart;
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  RectT<int32_t> mClientRect;
  Array<RectT<int32_t>> mNonClientRects;
  RCPtrArray<LVisualPart, 1, 0> mNonClientParts;
  RCPtr<LVisualPart> mClientPart;
  RCPtr<LVisualPart> mOverlayPart;
  bool mOverlayExclusive = false;
  RCPtr<LStencil> mStencil;
  RCPtr<LFontText> mText;
  PointT<int32_t> mTextOrigin;
  PointT<int32_t> mTextBox;
  Region mRegion;
};

}  // namespace SV
