#include "Platform/Gui/ImageCursors.h"

#include <QCursor>
#include <QPixmap>
#include <QString>

#include <map>

namespace Platform::Gui {
namespace {

struct ImageCursor {
  std::string imagePath;
  int hotSpotX = 0;
  int hotSpotY = 0;
};

std::map<int32_t, ImageCursor>& Registry() {
  static std::map<int32_t, ImageCursor> registry;
  return registry;
}

}  // namespace

void RegisterImageCursor(int32_t cursorId, const std::string& imagePath, int hotSpotX, int hotSpotY) {
  Registry()[cursorId] = ImageCursor{imagePath, hotSpotX, hotSpotY};
}

bool HasImageCursor(int32_t cursorId) { return Registry().count(cursorId) != 0; }

bool LoadImageCursor(int32_t cursorId, QCursor& cursor) {
  const auto entry = Registry().find(cursorId);
  if (entry == Registry().end()) return false;
  QPixmap image;
  if (!image.load(QString::fromStdString(entry->second.imagePath))) return false;
  cursor = QCursor(image, entry->second.hotSpotX, entry->second.hotSpotY);
  return true;
}

void ForgetImageCursors() { Registry().clear(); }

}  // namespace Platform::Gui
