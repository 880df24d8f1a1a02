#include "Platform/Gui/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace Platform::Gui {
namespace {

constexpr int kWhiteKeys = 7;
// After which white keys of an octave a black key sits (none after E and B).
constexpr bool kBlackAfter[kWhiteKeys] = {true, true, false, true, true, true, false};

const QColor kBody(0x26, 0x32, 0x40);
const QColor kPanel(0xE0, 0x8A, 0x20);
const QColor kWhiteKey(0xF4, 0xF4, 0xF0);
const QColor kBlackKey(0x10, 0x14, 0x18);

void DrawKeys(QPainter& painter, const QRectF& keys) {
  const qreal keyWidth = keys.width() / kWhiteKeys;
  const qreal gap = std::max<qreal>(1.0, keyWidth * 0.12);
  for (int key = 0; key < kWhiteKeys; ++key)
    painter.fillRect(QRectF(keys.left() + key * keyWidth, keys.top(), keyWidth - gap, keys.height()), kWhiteKey);
  const qreal blackWidth = keyWidth * 0.6;
  for (int key = 0; key + 1 < kWhiteKeys; ++key) {
    if (!kBlackAfter[key]) continue;
    const qreal centre = keys.left() + (key + 1) * keyWidth - gap / 2;
    painter.fillRect(QRectF(centre - blackWidth / 2, keys.top(), blackWidth, keys.height() * 0.6), kBlackKey);
  }
}

}  // namespace

QImage DrawProgramIcon(int size) {
  size = std::max(size, 1);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const qreal unit = size / 16.0;
  const QRectF body(0.5 * unit, 3 * unit, 15 * unit, 10 * unit);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kBody);
  painter.drawRoundedRect(body, 1.5 * unit, 1.5 * unit);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(QRectF(body.left() + unit, body.top() + unit, body.width() - 2 * unit, 1.5 * unit), kPanel);
  DrawKeys(painter, QRectF(body.left() + unit, body.top() + 3 * unit, body.width() - 2 * unit, body.height() - 4 * unit));
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QPixmap::fromImage(DrawProgramIcon(size)));
  return icon;
}

}  // namespace Platform::Gui
