#pragma once
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Utilities/Storage/Array.h"

namespace SV {

class LRootWindow;

// A draggable token: a press makes it follow the pointer at once, and when its drag
// ends the control that accepts it (FindDropTarget, AcceptDrop) receives it and the
// token removes itself at the next idle pass. It carries the paths of files dropped on
// a window from outside; a drop target reads them with GetFiles. UI thread only.
class LFileDropper : public LControl {
public:
  LFileDropper(const RCPtr<LControl>& parent, const String& name);

  // Ends the drag (the drop target takes the token), then asks the parent to destroy it.
  SVRESULT EndDrag() override;
  // A left press switches on carrying without a threshold.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& param) override;
  // Not focusable, visible.
  void OnDescriptorApplied() override;

  void SetFiles(const Array<String>& files) { mFiles = files; }
  const Array<String>& GetFiles() const { return mFiles; }

  // Files dropped from outside at `point` (window coordinates): a token carrying them
  // is offered to the control under the point, or the nearest one outwards that
  // accepts it (AcceptDrop's result); E_FAIL when none does or the window shows no tree.
  static SVRESULT DropFiles(LRootWindow& window, PointT<int32_t> point, const Array<String>& files);
  // Whether a control at `point` would accept dropped files.
  static bool CanDropFiles(LRootWindow& window, PointT<int32_t> point);

private:
  static RCPtr<LControl> FindTarget(LRootWindow& window, PointT<int32_t> point, const RCPtr<LControl>& token);

  Array<String> mFiles;
};

}  // namespace SV
