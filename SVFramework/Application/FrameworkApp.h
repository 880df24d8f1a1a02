#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/PointT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LGlobalHotKeyManager;
class LMeasurementRenderer;
class LRootWindow;

// The services of the one application object that renderers, fonts and texts reach
// through the global pointer (the application shell implements them; tests install
// stand-ins). UI thread only.
class LFrameworkApp {
public:
  virtual ~LFrameworkApp() = default;

  // The application's font: the current skin's font over the system font, the base
  // font of controls that do not take their parent's; null before a skin is applied.
  virtual RCPtr<LFont> GetDefaultFont() { return nullptr; }

  // The renderer of the application's first root window, for measuring; null while the
  // application has no root window.
  virtual RCPtr<LMeasurementRenderer> GetRenderer() = 0;
  // A millisecond count that wraps at 32 bits: the time base of cache purges and clicks.
  virtual uint32_t GetTickCount() = 0;
  // The platform's icon-title font: face, size in points and style bits (bold 1, italic
  // 2, underline 4, strikeout 8); E_FAIL with an empty face, size 0 and style 0 when the
  // platform cannot tell.
  virtual SVRESULT GetSystemFont(String& face, float& size, int32_t& style) = 0;

  // --- What root windows reach of the application ---
  // The state of one virtual key (16 Shift, 17 Ctrl, 18 Alt, ...) as the latest input
  // event left it.
  virtual SVRESULT GetKeyState(int32_t virtualKey, bool& down, bool& toggled) = 0;
  // The desktop's work area in screen coordinates.
  virtual RectT<int32_t> GetWorkArea() = 0;
  // The pointer in screen coordinates.
  virtual PointT<int32_t> GetCursorPos() = 0;
  // Buttons held: 1 left, 2 middle, 4 right.
  virtual uint32_t GetMouseButtons() = 0;
  // The list of open root windows, the main window first. Adding a window already in
  // the list gives its index; removing an absent one gives -1.
  virtual int32_t AddRootWindow(const RCPtr<LRootWindow>& window) = 0;
  virtual SVRESULT RemoveRootWindow(const RCPtr<LRootWindow>& window) = 0;
  virtual uint32_t GetRootWindowCount() = 0;
  // Null for an index outside the list.
  virtual RCPtr<LRootWindow> GetRootWindow(uint32_t index) = 0;
  // The window's index, searched from the last; -1 when absent.
  virtual int32_t FindRootWindowIndex(const LRootWindow* window) = 0;
  // One idle pass (`first`: the first after a message); whether work is left.
  virtual bool Idle(bool first) = 0;
  // A later instance handed its command line over.
  virtual SVRESULT OnSecondInstance(const String& commandLine) = 0;
  // Seconds since an arbitrary start, the time base of scroll animations; by default
  // the tick count in seconds.
  virtual double GetTime() { return GetTickCount() / 1000.0; }
  // The application's global hot keys; null when it has none.
  virtual LGlobalHotKeyManager* GetGlobalHotKeyManager() { return nullptr; }
};

// The application object; null before one is set. Set before any renderer or control is made.
LFrameworkApp* GetFrameworkApp();
void SetFrameworkApp(LFrameworkApp* application);

// The application's clocks as controls read them (the tick count as a signed 32-bit
// value that wraps); 0 without an application object.
int32_t GetApplicationTickCount();
double GetApplicationTime();

}  // namespace SV
