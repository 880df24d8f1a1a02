#include "SVFramework/Application/WindowPlacement.h"

#include <algorithm>

#include "SVFramework/Utilities/IniFileManager.h"

namespace SV {
namespace {

constexpr const char16_t* kKeys[] = {u"WindowPlacementX",      u"WindowPlacementY",
                                     u"WindowPlacementWidth",  u"WindowPlacementHeight",
                                     u"WindowPlacementHasPosition", u"WindowPlacementMaximized"};
constexpr const char16_t* kSkinKey = u"WindowPlacementSkin";
// Stands for a value the file does not hold.
constexpr int32_t kMissing = INT32_MIN;

int64_t OverlapArea(const RectT<int32_t>& a, const RectT<int32_t>& b) {
  const int64_t width = std::min<int64_t>(int64_t{a.x} + a.width, int64_t{b.x} + b.width) - std::max(a.x, b.x);
  const int64_t height = std::min<int64_t>(int64_t{a.y} + a.height, int64_t{b.y} + b.height) - std::max(a.y, b.y);
  return width > 0 && height > 0 ? width * height : 0;
}

int32_t ClampStart(int32_t start, int32_t size, int32_t areaStart, int32_t areaSize) {
  const int64_t last = int64_t{areaStart} + areaSize - size;
  return static_cast<int32_t>(std::clamp<int64_t>(start, areaStart, std::max<int64_t>(areaStart, last)));
}

}  // namespace

SVRESULT WindowPlacement::Save(IIniFileManager& settings, int32_t handle) const {
  const int32_t values[] = {rect.x, rect.y, rect.width, rect.height, hasPosition ? 1 : 0, maximized ? 1 : 0};
  for (size_t i = 0; i < std::size(values); ++i) {
    const SVRESULT result = settings.SetIniValueInt(handle, kKeys[i], values[i]);
    if (result < 0) return result;
  }
  if (skin == kUnknownSkin) return S_OK;
  const SVRESULT result = settings.SetIniValueInt(handle, kSkinKey, skin);
  return result < 0 ? result : S_OK;
}

SVRESULT WindowPlacement::Load(IIniFileManager& settings, int32_t handle) {
  int32_t values[std::size(kKeys)];
  for (size_t i = 0; i < std::size(kKeys); ++i) {
    if (settings.GetIniValueInt(handle, kKeys[i], kMissing, values[i]) < 0 || values[i] == kMissing) return E_FAIL;
  }
  if (values[2] < 1 || values[3] < 1) return E_FAIL;
  rect = {values[0], values[1], values[2], values[3]};
  hasPosition = values[4] != 0;
  maximized = values[5] != 0;
  int32_t storedSkin = kUnknownSkin;
  skin = settings.GetIniValueInt(handle, kSkinKey, kUnknownSkin, storedSkin) < 0 ? kUnknownSkin : storedSkin;
  return S_OK;
}

WindowPlacement WindowPlacement::ClampedTo(const std::vector<RectT<int32_t>>& screens) const {
  if (screens.empty()) return *this;
  const RectT<int32_t>* screen = &screens.front();
  int64_t best = 0;
  for (const RectT<int32_t>& each : screens) {
    const int64_t area = hasPosition ? OverlapArea(rect, each) : 0;
    if (area > best) {
      best = area;
      screen = &each;
    }
  }
  WindowPlacement clamped = *this;
  clamped.rect.width = std::clamp(rect.width, 1, std::max(1, screen->width));
  clamped.rect.height = std::clamp(rect.height, 1, std::max(1, screen->height));
  if (hasPosition) {
    clamped.rect.x = ClampStart(rect.x, clamped.rect.width, screen->x, screen->width);
    clamped.rect.y = ClampStart(rect.y, clamped.rect.height, screen->y, screen->height);
  }
  return clamped;
}

}  // namespace SV
