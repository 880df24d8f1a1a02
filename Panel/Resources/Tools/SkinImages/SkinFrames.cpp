#include "SkinFrames.h"

#include <QPainter>

#include "Drawing.h"
#include "Palette.h"

namespace SkinImages {
namespace {

using namespace Palette;

struct FrameStyle {
  const char* stem;
  QColor top, bottom, edge;
  double radius;
};

std::vector<FrameStyle> Styles() {
  return {
      {"card", kGraphite.lighter(104), kGraphite, kEdge, 7},
      {"button", kGraphiteLight.lighter(108), kGraphiteLight, kEdgeLight, 5},
      {"button_hover", kGraphiteLight.lighter(125), kGraphiteLight.lighter(112), kMuted, 5},
      {"button_pressed", kGraphiteDark.lighter(130), kGraphiteDark.lighter(150), kEdgeLight, 5},
      {"button_on", kAccentLight, kAccent, kAccentDark, 5},
      {"button_on_hover", kAccentLight.lighter(108), kAccentLight, kAccent, 5},
      {"button_on_pressed", kAccentDark, kAccentDark.darker(110), kAccentDark.darker(125), 5},
      {"button_disabled", kGraphite, kGraphite, kEdge, 5},
      {"field", kGraphiteDark, kGraphiteDark.lighter(112), kEdge, 4},
      {"field_hover", kGraphiteDark, kGraphiteDark.lighter(112), kEdgeLight, 4},
      {"field_focus", kGraphiteDark, kGraphiteDark.lighter(112), kAccent, 4},
      {"list", kGraphite.darker(108), kGraphite.darker(108), kEdgeLight, 4},
      {"menu", kGraphite.darker(108), kGraphite.darker(108), kEdgeLight, 5},
      {"tooltip", kGraphiteLight, kGraphiteLight, kEdgeLight, 4},
      {"title_hover", kGraphiteLight, kGraphiteLight, kGraphiteLight, 4},
      {"dialog_button", kGraphiteLight.lighter(112), kGraphiteLight, kEdgeLight, 5},
      {"dialog_button_hover", kGraphiteLight.lighter(130), kGraphiteLight.lighter(115), kAccent, 5},
  };
}

}  // namespace

std::vector<NamedImage> DrawFrames(int scale) {
  std::vector<NamedImage> frames;
  for (const FrameStyle& style : Styles()) {
    QImage image = Canvas(kFrameSize, kFrameSize, scale);
    QPainter painter;
    BeginScaled(painter, image, scale);
    RoundedFace(painter, kFrameSize, kFrameSize, style.radius, style.top, style.bottom, style.edge);
    painter.end();
    frames.push_back({style.stem, image});
  }
  return frames;
}

}  // namespace SkinImages
