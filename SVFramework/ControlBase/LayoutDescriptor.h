#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// What a position is measured against.
enum class PositionReference : int32_t { Parent = 0, Client = 1, NamedControl = 2 };
// What a size is measured against.
enum class SizeReference : int32_t { Parent = 0, Client = 1, Self = 2, NamedControl = 3 };
// How the label text may widen (Expand) or wrap in a control.
enum class TextOverflow : int32_t { Clip = 0, Expand = 1, Wrap = 2 };

// One axis's placement: the anchor fraction of the control's size that lands on the
// position, the reference the position is measured against, and the docked flag.
// The reference name counts only for a named control.
struct LPlacementSpec {
  float anchor = 0.0f;
  PositionReference reference = PositionReference::Client;
  String name;
  float rel = 0.0f;
  double abs = 0.0;
  bool docked = false;

  bool operator==(const LPlacementSpec& other) const;
};

// One axis's size: Rel of the reference's size plus Abs pixels.
struct LSizeSpec {
  SizeReference reference = SizeReference::Self;
  String name;
  float rel = 0.0f;
  double abs = 0.0;

  bool operator==(const LSizeSpec& other) const;
};

// One axis's minimum or maximum size: against the control itself, or against a named
// direct child (or "Children"). The name counts only when a control is named.
struct LSizeLimitSpec {
  bool namesControl = false;
  String name;
  float rel = 0.0f;
  double abs = 0.0;

  bool operator==(const LSizeLimitSpec& other) const;
};

// A control's placement record: where it sits and how large it is, per axis, with
// its limits, visibility, order and text overflow. The skin reader fills one per
// SubControl; each control works on its own Clone, never on a shared copy.
// Axis arguments are 0 for X and 1 for Y; any other axis gives E_INVALIDARG and
// changes nothing. Used on the UI thread.
class LLayoutDescriptor : public virtual LRefCountedObject {
public:
  static constexpr int32_t kAxisX = 0;
  static constexpr int32_t kAxisY = 1;

  // A record for a control 16 wide and 40 high at the top left of its parent's client
  // area: visible, enabled, clipped to the parent, tab stop 0.
  static RCPtr<LLayoutDescriptor> Create();
  // A new record holding a copy of every field.
  SVRESULT Clone(RCPtr<LLayoutDescriptor>& out) const;

  SVRESULT GetPlacement(int32_t axis, LPlacementSpec& placement, LSizeSpec& size) const;
  SVRESULT SetPlacement(int32_t axis, const LPlacementSpec& placement, const LSizeSpec& size);
  SVRESULT GetMinMax(int32_t axis, LSizeLimitSpec& minimum, LSizeLimitSpec& maximum) const;
  SVRESULT SetMinMax(int32_t axis, const LSizeLimitSpec& minimum, const LSizeLimitSpec& maximum);

  // Renames the position and size references of both axes that name `oldName`; the
  // size limits keep their names. 0 when a name changed, 1 when none did.
  SVRESULT RenameSiblingReference(const String& oldName, const String& newName);

  bool ClipToParent = true;
  int32_t Z_Order = 0;
  int32_t TabStop = 0;
  bool IsVisible = true;
  bool IsEnabled = true;
  LPlacementSpec Placement[2];
  LSizeSpec Size[2];
  LSizeLimitSpec MinSize[2];
  LSizeLimitSpec MaxSize[2];
  String TextDecoration;
  TextOverflow TextOverflowXType = TextOverflow::Clip;
  TextOverflow TextOverflowYType = TextOverflow::Clip;
  int32_t LayoutOrder = 0;

protected:
  LLayoutDescriptor();

private:
  static bool IsAxis(int32_t axis) { return axis == kAxisX || axis == kAxisY; }
};

}  // namespace SV
