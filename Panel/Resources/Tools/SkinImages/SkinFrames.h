#pragma once
#include <QImage>
#include <QString>

#include <vector>

// The nine-piece frames of the skins: 24 x 24 standard pixels with 8-pixel corners,
// cut into corners, edges and centre by the skins' looks.
namespace SkinImages {

struct NamedImage {
  QString stem;
  QImage image;
};

inline constexpr int kFrameSize = 24;
inline constexpr int kFrameCorner = 8;

std::vector<NamedImage> DrawFrames(int scale);

}  // namespace SkinImages
