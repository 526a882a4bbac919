#pragma once
// A QImage seen as plain pixels for the toolkit-free file encoders. The image must be
// 32 bits a pixel (RGB32 or ARGB32) and outlive the view.
#include <QImage>
#include <cstdint>

#include "RasterFiles/RasterPixels.h"

namespace plomix {

inline RasterPixels PixelsOf(const QImage &image) {
  return RasterPixels{image.width(),
                      image.height(),
                      static_cast<std::size_t>(image.bytesPerLine()) / sizeof(std::uint32_t),
                      reinterpret_cast<const std::uint32_t *>(image.constBits()),
                      image.dotsPerMeterX(),
                      image.dotsPerMeterY()};
}

}  // namespace plomix
