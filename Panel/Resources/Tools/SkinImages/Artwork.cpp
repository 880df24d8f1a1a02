#include "Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include "Drawing.h"
#include "Palette.h"

namespace SkinImages {
namespace {

using namespace Palette;

QImage Arrow(bool up, const QColor& colour, int scale) {
  QImage image = Canvas(10, 6, scale);
  QPainter painter;
  BeginScaled(painter, image, scale);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  const QPolygonF triangle = up ? QPolygonF{QPointF(0.5, 5.5), QPointF(5, 0.5), QPointF(9.5, 5.5)}
                                : QPolygonF{QPointF(0.5, 0.5), QPointF(5, 5.5), QPointF(9.5, 0.5)};
  painter.drawPolygon(triangle);
  return image;
}

QFont Face(double pixels, bool bold, double spacing = 0) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(pixels));
  font.setBold(bold);
  if (spacing != 0) font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  return font;
}

// Is there a black key right of white key `index` of an 88-key keyboard (A0 first)?
bool BlackKeyAfter(int whiteIndex) {
  if (whiteIndex == 0) return true;  // A#0
  if (whiteIndex == 1) return false;  // B0
  const int inOctave = (whiteIndex - 2) % 7;  // 0 = C
  return inOctave != 2 && inOctave != 6 && whiteIndex != 51;
}

void DrawKeys(QPainter& painter, const QRectF& area) {
  constexpr int kWhiteKeys = 52;
  const double width = area.width() / kWhiteKeys;
  painter.setPen(QPen(QColor(0xB8, 0xBC, 0xC2), 0.6));
  for (int key = 0; key < kWhiteKeys; ++key) {
    QLinearGradient face(0, area.top(), 0, area.bottom());
    face.setColorAt(0, kWhiteKey.darker(112));
    face.setColorAt(0.15, kWhiteKey);
    face.setColorAt(1, kWhiteKey.darker(104));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(area.left() + key * width, area.top(), width, area.height()), 1.2, 1.2);
  }
  painter.setPen(Qt::NoPen);
  for (int key = 0; key < kWhiteKeys - 1; ++key) {
    if (!BlackKeyAfter(key)) continue;
    const double x = area.left() + (key + 1) * width - width * 0.32;
    QLinearGradient face(x, 0, x + width * 0.64, 0);
    face.setColorAt(0, kBlackKey.lighter(160));
    face.setColorAt(0.5, kBlackKey);
    face.setColorAt(1, kBlackKey.lighter(130));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(x, area.top(), width * 0.64, area.height() * 0.6), 1, 1);
  }
}

void DrawWheel(QPainter& painter, const QRectF& slot) {
  painter.setPen(QPen(kEdge, 1));
  painter.setBrush(kGraphiteDark);
  painter.drawRoundedRect(slot, 4, 4);
  const QRectF wheel = slot.adjusted(4, 5, -4, -5);
  QLinearGradient face(0, wheel.top(), 0, wheel.bottom());
  face.setColorAt(0, kGraphiteLight.darker(140));
  face.setColorAt(0.5, kGraphiteLight.lighter(130));
  face.setColorAt(1, kGraphiteLight.darker(140));
  painter.setPen(Qt::NoPen);
  painter.setBrush(face);
  painter.drawRoundedRect(wheel, 3, 3);
  painter.setPen(QPen(kGraphiteDark, 0.8));
  for (double y = wheel.top() + 4; y < wheel.bottom() - 2; y += 4) painter.drawLine(QPointF(wheel.left() + 1, y),
                                                                                   QPointF(wheel.right() - 1, y));
}

QImage ControllerBody(int scale) {
  QImage image = Canvas(860, 96, scale);
  QPainter painter;
  BeginScaled(painter, image, scale);
  RoundedFace(painter, 860, 96, 10, QColor(0x30, 0x34, 0x3C), QColor(0x1C, 0x1E, 0x22), kEdge);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kAccent);
  painter.drawRoundedRect(QRectF(14, 12, 3, 72), 1.5, 1.5);
  painter.setPen(kText);
  painter.setFont(Face(17, true, 3));
  painter.drawText(QRectF(26, 16, 150, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CORVEX"));
  painter.setPen(kMuted);
  painter.setFont(Face(9, false, 1.5));
  painter.drawText(QRectF(27, 40, 150, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("88 KEY CONTROLLER"));
  DrawWheel(painter, QRectF(32, 58, 20, 30));
  DrawWheel(painter, QRectF(60, 58, 20, 30));
  painter.setPen(QPen(kGraphiteDark, 1));
  painter.setBrush(kGraphiteDark);
  painter.drawRoundedRect(QRectF(176, 10, 672, 78), 4, 4);
  DrawKeys(painter, QRectF(180, 14, 664, 70));
  return image;
}

QImage CompanyLogo(int scale) {
  QImage image = Canvas(160, 36, scale);
  QPainter painter;
  BeginScaled(painter, image, scale);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kAccent);
  painter.drawPolygon(QPolygonF{QPointF(10, 18), QPointF(18, 8), QPointF(26, 18), QPointF(18, 28)});
  painter.setBrush(kGraphiteDark);
  painter.drawPolygon(QPolygonF{QPointF(15, 18), QPointF(18, 14), QPointF(21, 18), QPointF(18, 22)});
  painter.setPen(kMuted);
  painter.setFont(Face(15, true, 4));
  painter.drawText(QRectF(34, 0, 126, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("VARKON"));
  return image;
}

QImage ProductLogo(int scale) {
  QImage image = Canvas(300, 64, scale);
  QPainter painter;
  BeginScaled(painter, image, scale);
  painter.drawImage(QRectF(0, 4, 56, 56), DrawIcon(56 * scale));
  painter.setPen(kText);
  painter.setFont(Face(26, true, 1));
  painter.drawText(QRectF(70, 4, 230, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvex"));
  painter.setPen(kAccent);
  painter.setFont(Face(14, false, 3));
  painter.drawText(QRectF(71, 36, 230, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("PRESET EDITOR"));
  return image;
}

}  // namespace

std::vector<NamedImage> DrawArtwork(int scale) {
  return {{"arrow_up", Arrow(true, kText, scale)},
          {"arrow_down", Arrow(false, kText, scale)},
          {"arrow_down_accent", Arrow(false, kAccent, scale)},
          {"controller_body", ControllerBody(scale)},
          {"company_logo", CompanyLogo(scale)},
          {"product_logo", ProductLogo(scale)}};
}

QImage DrawIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(size / 64.0, size / 64.0);
  QLinearGradient body(0, 0, 0, 64);
  body.setColorAt(0, QColor(0x3A, 0x3F, 0x48));
  body.setColorAt(1, QColor(0x1A, 0x1C, 0x20));
  painter.setPen(Qt::NoPen);
  painter.setBrush(body);
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
  painter.setBrush(kAccent);
  painter.drawRoundedRect(QRectF(10, 11, 44, 7), 3.5, 3.5);
  painter.setBrush(kWhiteKey);
  for (int key = 0; key < 4; ++key) painter.drawRoundedRect(QRectF(10 + key * 11.2, 23, 10, 31), 2.5, 2.5);
  painter.setBrush(kBlackKey);
  for (int key = 0; key < 3; ++key) painter.drawRoundedRect(QRectF(17.5 + key * 11.2, 23, 6.5, 18), 1.8, 1.8);
  return image;
}

QImage DrawDropCursor(bool copy) {
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QPolygonF pointer{QPointF(1, 1), QPointF(1, 17), QPointF(5.5, 13), QPointF(8.5, 19.5), QPointF(11, 18.5),
                          QPointF(8, 12), QPointF(13.5, 12)};
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(Qt::white);
  painter.drawPolygon(pointer);
  painter.setPen(QPen(kGraphiteDark, 1.2));
  painter.setBrush(kGraphiteLight.lighter(150));
  painter.drawRoundedRect(QRectF(12.5, 16.5, 13, 11), 2, 2);
  if (copy) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kAccent);
    painter.drawEllipse(QPointF(24.5, 24.5), 6.5, 6.5);
    painter.setPen(QPen(kGraphiteDark, 2.2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(24.5, 20.8), QPointF(24.5, 28.2));
    painter.drawLine(QPointF(20.8, 24.5), QPointF(28.2, 24.5));
  }
  return image;
}

}  // namespace SkinImages
