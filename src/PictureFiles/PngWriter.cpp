#include "PictureFiles/PngWriter.h"

#include "PictureFiles/ImagePixels.h"

namespace plomix {

bool EncodePng(const QImage &source, std::string &out, QString *error, PngCompression compression) {
  if (source.isNull()) {
    if (error) *error = QStringLiteral("there is no image to encode");
    return false;
  }
  const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                           ? source
                           : source.convertToFormat(QImage::Format_ARGB32);
  const RasterPixels pixels = PixelsOf(image);
  PngFault fault = PngFault::None;
  if (EncodePngPixels(pixels, out, &fault, compression)) return true;
  if (error) {
    switch (fault) {
      case PngFault::TooLarge: *error = QStringLiteral("PNG: the picture is too large for one data chunk"); break;
      case PngFault::NoImage: *error = QStringLiteral("there is no image to encode"); break;
      default: *error = QStringLiteral("PNG: the compression library failed"); break;
    }
  }
  return false;
}

}  // namespace plomix
