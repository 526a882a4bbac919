#include "PictureFiles/BmpWriter.h"

#include "PictureFiles/ImagePixels.h"
#include "RasterFiles/BmpEncoder.h"

namespace plomix {

std::string EncodeBmp32(const QImage &source) {
  if (source.isNull()) return {};
  const QImage image = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  return EncodeBmpPixels(PixelsOf(image));
}

}  // namespace plomix
