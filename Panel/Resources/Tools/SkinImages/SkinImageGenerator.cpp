// Draws every image the editor ships into one folder: the skins' frames and pictures
// for both skins ("std_*.png" at the standard size, "hd_*.png" at twice that), the
// application icon in the desktop's sizes ("corvex-editor-<size>.png") and the two drop
// cursors ("cursor_drop_move.png", "cursor_drop_copy.png"). Exit status 1 when an image
// cannot be written. Runs at build time on Qt's offscreen platform.
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "Artwork.h"
#include "Drawing.h"
#include "SkinFrames.h"

namespace {

bool SaveAll(const QDir& folder, const char* prefix, const std::vector<SkinImages::NamedImage>& images) {
  for (const SkinImages::NamedImage& named : images) {
    const QString path = folder.filePath(QString::fromLatin1(prefix) + named.stem + QStringLiteral(".png"));
    if (!SkinImages::Save(named.image, path)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return false;
    }
  }
  return true;
}

bool SaveSkinImages(const QDir& folder) {
  for (const auto& [prefix, scale] : {std::pair{"std_", 1}, std::pair{"hd_", 2}}) {
    if (!SaveAll(folder, prefix, SkinImages::DrawFrames(scale))) return false;
    if (!SaveAll(folder, prefix, SkinImages::DrawArtwork(scale))) return false;
  }
  return true;
}

bool SaveDesktopImages(const QDir& folder) {
  std::vector<SkinImages::NamedImage> images;
  for (const int size : {16, 24, 32, 48, 64, 128, 256})
    images.push_back({QStringLiteral("corvex-editor-%1").arg(size), SkinImages::DrawIcon(size)});
  images.push_back({QStringLiteral("cursor_drop_move"), SkinImages::DrawDropCursor(false)});
  images.push_back({QStringLiteral("cursor_drop_copy"), SkinImages::DrawDropCursor(true)});
  return SaveAll(folder, "", images);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: SkinImageGenerator <output folder>\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;
  return SaveSkinImages(folder) && SaveDesktopImages(folder) ? 0 : 1;
}
