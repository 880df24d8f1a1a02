#include "Platform/Gui/ImageDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstring>

namespace Platform::Gui {
namespace {

bool WithinLimits(const QSize& size) {
  return size.width() <= kMaxImageSide && size.height() <= kMaxImageSide &&
         int64_t{size.width()} * size.height() <= kMaxImagePixels;
}

bool Decode(QImageReader& reader, DecodedImage& image) {
  image = DecodedImage{};
  const QSize size = reader.size();
  if (size.isValid() && !WithinLimits(size)) return false;
  QImage decoded;
  if (!reader.read(&decoded) || decoded.isNull() || !WithinLimits(decoded.size())) return false;
  decoded = decoded.convertToFormat(QImage::Format_ARGB32);
  if (decoded.isNull()) return false;
  image.width = decoded.width();
  image.height = decoded.height();
  image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
  for (int32_t y = 0; y < image.height; ++y) {
    std::memcpy(image.pixels.data() + static_cast<size_t>(y) * image.width, decoded.constScanLine(y),
                static_cast<size_t>(image.width) * 4);
  }
  return true;
}

}  // namespace

bool DecodeImageBytes(const uint8_t* bytes, size_t size, DecodedImage& image) {
  image = DecodedImage{};
  if (bytes == nullptr || size == 0 || size > static_cast<size_t>(INT32_MAX)) return false;
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
  QBuffer buffer(&data);
  if (!buffer.open(QIODevice::ReadOnly)) return false;
  QImageReader reader(&buffer);
  return Decode(reader, image);
}

bool DecodeImageFile(const std::string& utf8Path, DecodedImage& image) {
  image = DecodedImage{};
  QFile file(QString::fromStdString(utf8Path));
  if (!file.open(QIODevice::ReadOnly) || file.size() == 0) return false;
  QImageReader reader(&file);
  return Decode(reader, image);
}

}  // namespace Platform::Gui
