#include "SVFramework/Application/QtOSWindowFactory.h"

#include <memory>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/ControlBase/ControlDescriptor.h"
#include "SVFramework/ControlBase/LayoutDescriptor.h"
#include "SVFramework/Utilities/IniFileManager.h"

namespace SV {
namespace {

bool SameLimit(const LSizeLimitSpec& a, const LSizeLimitSpec& b) {
  return a.namesControl == b.namesControl && a.abs == b.abs && a.rel == b.rel;
}

// The user settings file's handle, or 0 when it cannot be opened.
int32_t UserSettings(LFrameworkApp& application, IIniFileManager*& settings) {
  settings = application.GetSettings();
  return settings ? application.OpenSettingsFile(LFrameworkApp::kUserSettingsFile) : 0;
}

// The stored placement; its size only when it was stored for the skin shown now (the
// size of another skin's window would cut this one or leave it half empty), else the
// window keeps the size its skin gives it and takes the stored place.
void RestoreSavedPlacement(LFrameworkApp& application, IOSWindow& window) {
  IIniFileManager* settings = nullptr;
  const int32_t handle = UserSettings(application, settings);
  WindowPlacement placement;
  if (handle == 0 || placement.Load(*settings, handle) < 0) return;
  if (!placement.SizeSuitsSkin(application.GetCurrentSkinIndex())) {
    const WindowPlacement now = window.GetPlacement();
    placement.rect.width = now.rect.width;
    placement.rect.height = now.rect.height;
  }
  window.RestorePlacement(placement);
}

void SavePlacement(WindowPlacement placement) {
  LFrameworkApp* const application = GetFrameworkApp();
  if (!application) return;
  IIniFileManager* settings = nullptr;
  const int32_t handle = UserSettings(*application, settings);
  if (handle == 0) return;
  placement.skin = application->GetCurrentSkinIndex();
  placement.Save(*settings, handle);
}

RectT<int32_t> LayoutRect(const LLayoutDescriptor& layout) {
  return {static_cast<int32_t>(layout.Placement[0].abs), static_cast<int32_t>(layout.Placement[1].abs),
          static_cast<int32_t>(layout.Size[0].abs), static_cast<int32_t>(layout.Size[1].abs)};
}

// The rectangle moved (never resized) so that it starts inside the work area and, where
// it fits, ends inside it too.
RectT<int32_t> KeptInside(RectT<int32_t> rect, const RectT<int32_t>& area) {
  if (area.width <= 0 || area.height <= 0) return rect;
  if (rect.x < area.x) rect.x = area.x;
  if (rect.y < area.y) rect.y = area.y;
  if (rect.x + rect.width > area.x + area.width) rect.x = area.x + area.width - rect.width;
  if (rect.y + rect.height > area.y + area.height) rect.y = area.y + area.height - rect.height;
  return rect;
}

// The root window of the active OS window, else window 0; null when there is none.
RCPtr<LRootWindow> DialogOwner(const LFrameworkApp& application) {
  RCPtr<LRootWindow> owner = application.GetActiveRootWindow();
  if (!owner) owner = application.GetRootWindow(0);
  return owner;
}

}  // namespace

bool IsResizableLayout(const LLayoutDescriptor& layout) {
  const LSizeLimitSpec* const minimum = layout.MinSize;
  const LSizeLimitSpec* const maximum = layout.MaxSize;
  const bool noMinimum = minimum[0].abs == 0 && minimum[0].rel == 0 && minimum[1].abs == 0 && minimum[1].rel == 0;
  const bool fixed = SameLimit(minimum[0], maximum[0]) && SameLimit(minimum[1], maximum[1]);
  const bool allNamed = minimum[0].namesControl && minimum[1].namesControl && maximum[0].namesControl &&
                        maximum[1].namesControl;
  return !((!noMinimum && fixed) || allNamed);
}

SVRESULT QtOSWindowFactory::CreateMainWindow(LFrameworkApp& application, const MainWindowRequest& request) {
  if (!request.mainDescriptor || !request.mainDescriptor->Layout) return E_INVALIDARG;
  const LLayoutDescriptor& layout = *request.mainDescriptor->Layout;
  OSWindowOptions options;
  options.title = request.title;
  options.clientRect = LayoutRect(layout);
  options.resizable = IsResizableLayout(layout);
  options.mainWindow = true;
  // A window that failed to come up must not overwrite the stored placement.
  const auto created = std::make_shared<bool>(false);
  options.savePlacement = [created](const WindowPlacement& placement) {
    if (*created) SavePlacement(placement);
  };
  IOSWindow* const window = CreateOSWindow(options);
  if (!window) return E_FAIL;
  const SVRESULT result = window->CreateRenderer(static_cast<RendererType>(request.rendererType));
  if (result < 0) {
    window->Close();
    return result;
  }
  *created = true;
  RestoreSavedPlacement(application, *window);
  return result;
}

SVRESULT QtOSWindowFactory::CreateHostedWindow(LFrameworkApp& application, const HostedWindowRequest& request) {
  if (request.hostWindow == 0 || !request.descriptor || !request.descriptor->Layout) return E_INVALIDARG;
  OSWindowOptions options;
  options.title = request.title;
  options.clientRect = LayoutRect(*request.descriptor->Layout);
  options.resizable = IsResizableLayout(*request.descriptor->Layout);
  options.mainWindow = true;
  options.hostWindow = request.hostWindow;
  IOSWindow* const window = CreateOSWindow(options);
  if (!window) return E_FAIL;
  const SVRESULT result = window->CreateRenderer(static_cast<RendererType>(request.rendererType));
  if (result < 0 || application.GetRootWindowCount() != 1) {
    window->Close();
    return result < 0 ? result : E_FAIL;
  }
  return result;
}

int32_t QtOSWindowFactory::CreateDialogWindow(LFrameworkApp& application, const DialogWindowRequest& request) {
  const RCPtr<LRootWindow> owner = DialogOwner(application);
  if (!request.control || !owner || !owner->GetOSWindow() || !owner->GetRenderer()) return E_FAIL;
  const RectT<int32_t> controlRect = request.control->GetRect().ToIntRect();
  PointT<int32_t> origin{controlRect.x, controlRect.y};
  owner->GetOSWindow()->ClientToScreen(origin);
  OSWindowOptions options;
  options.title = request.control->GetText();
  options.clientRect = KeptInside({origin.x, origin.y, controlRect.width, controlRect.height}, application.GetWorkArea());
  options.resizable = false;
  // A modal dialog stays above its owner; a modeless one is a window of its own.
  if (!request.modeless) options.owner = owner->GetOSWindow();
  if (request.modeless) {
    const RCPtr<LControlDescriptor> descriptor = request.control->GetDescriptor();
    options.resizable = descriptor && descriptor->Layout && IsResizableLayout(*descriptor->Layout);
  }
  IOSWindow* const window = CreateOSWindow(options);
  if (!window) return E_FAIL;
  const int32_t index = static_cast<int32_t>(application.GetRootWindowCount());
  if (window->SetRenderer(owner->GetRenderer()) < 0 || application.GetRootWindowCount() != static_cast<uint32_t>(index + 1)) {
    window->Close();
    return E_FAIL;
  }
  window->GetRootWindow()->SetRootControlObject(request.control);
  if (request.modeless) window->Show(1);
  return index;
}

namespace {

QtOSWindowFactory gQtFactory;

}  // namespace

void InstallQtOSWindowFactory() { SetOSWindowFactory(&gQtFactory); }

}  // namespace SV
