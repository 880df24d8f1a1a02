#include "SVFramework/Controls/FileDropper.h"

#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/ConditionBits.h"

namespace SV {
namespace {

constexpr int32_t kDragAndDrop = 1;
constexpr int32_t kBothAxes = 3;

}  // namespace

LFileDropper::LFileDropper(const RCPtr<LControl>& parent, const String& name) : LControl(parent, name) {}

void LFileDropper::OnDescriptorApplied() {
  SetNotFocusable(true);
  SetVisible(true);
}

void LFileDropper::OnConditionsChanged(const RCPtr<LConditionsParam>& param) {
  if (!param || (param->previous & Condition::kLeftDown) != 0 || (param->current & Condition::kLeftDown) == 0) return;
  SetDragMode(kDragAndDrop, kBothAxes);
  SetDragThreshold(0);
}

SVRESULT LFileDropper::EndDrag() {
  const RCPtr<LControl> self(this);
  const SVRESULT result = LControl::EndDrag();
  if (LControl* parent = GetParent()) parent->DestroyChildLater(self);
  return result;
}

RCPtr<LControl> LFileDropper::FindTarget(LRootWindow& window, PointT<int32_t> point, const RCPtr<LControl>& token) {
  PointT<int32_t> local;
  const RCPtr<LControl> hit = window.ControlAtPoint(point, local, false);
  return hit ? hit->FindDropTarget(token, point) : RCPtr<LControl>();
}

SVRESULT LFileDropper::DropFiles(LRootWindow& window, PointT<int32_t> point, const Array<String>& files) {
  const RCPtr<LFileDropper> token(new LFileDropper(RCPtr<LControl>(), u"fileDropper"));
  token->SetFiles(files);
  const RCPtr<LControl> asControl(token.Get());
  const RCPtr<LControl> target = FindTarget(window, point, asControl);
  if (!target) return E_FAIL;
  return target->AcceptDrop(asControl);
}

bool LFileDropper::CanDropFiles(LRootWindow& window, PointT<int32_t> point) {
  const RCPtr<LControl> token(new LFileDropper(RCPtr<LControl>(), u"fileDropper"));
  return FindTarget(window, point, token) != nullptr;
}

}  // namespace SV
