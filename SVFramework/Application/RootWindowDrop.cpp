#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Controls/FileDropper.h"

// Files dropped on the window from outside reach the control under the pointer as a
// file-dropper token, the way a dragged control reaches its drop target.
namespace SV {

bool LRootWindow::CanDropFiles(PointT<int32_t> point) { return LFileDropper::CanDropFiles(*this, point); }

SVRESULT LRootWindow::OnFilesDropped(PointT<int32_t> point, const Array<String>& files) {
  return LFileDropper::DropFiles(*this, point, files);
}

}  // namespace SV
