#include "PictureFiles/BmpWriter.h"

#include "RasterFiles/BmpEncoder.h"

namespace plomix {

std::string EncodeBmp32(const QImage &source) {
  if (source.isNull()) return {};
  const QImage image = source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
  const RasterPixels pixels{image.width(),
                            image.height(),
                            static_cast<std::size_t>(image.bytesPerLine()) / sizeof(std::uint32_t),
                            reinterpret_cast<const std::uint32_t *>(image.constBits()),
                            image.dotsPerMeterX(),
                            image.dotsPerMeterY()};
  return EncodeBmpPixels(pixels);
}

}  // namespace plomix
