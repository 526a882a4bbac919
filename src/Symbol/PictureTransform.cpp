#include "Symbol/PictureTransform.h"

#include <QTransform>

#include "BarLayout/PixelPicture.h"

namespace plomix {
namespace {

// The symbol's bitmaps are 32-bit: those are turned by the plain routines that plomix-cli's
// bars-only path uses too; other formats (files opened by the user) by the toolkit.
bool IsPlain32(const QImage &image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
         image.format() == QImage::Format_ARGB32_Premultiplied;
}

RasterPixels PixelsOf(const QImage &image) {
  return {image.width(), image.height(), static_cast<std::size_t>(image.bytesPerLine()) / sizeof(std::uint32_t),
          reinterpret_cast<const std::uint32_t *>(image.constBits()), 0, 0};
}

PixelRows RowsOf(QImage &image) {
  return {image.width(), image.height(), static_cast<std::size_t>(image.bytesPerLine()) / sizeof(std::uint32_t),
          reinterpret_cast<std::uint32_t *>(image.bits())};
}

// An image of `size` with the source's format and resolution; null when out of memory.
QImage LikeSource(const QImage &source, QSize size) {
  QImage out(size, source.format());
  if (out.isNull()) return out;
  out.setDotsPerMeterX(source.dotsPerMeterX());
  out.setDotsPerMeterY(source.dotsPerMeterY());
  return out;
}

}  // namespace

QImage RotateBitmap(const QImage &source, int angle) {
  if (source.isNull() || (angle != 90 && angle != 180 && angle != 270)) return source;
  if (!IsPlain32(source)) {
    // Quarter turns are exact: Qt copies pixels without resampling and keeps the format.
    return source.transformed(QTransform().rotate(angle));
  }
  QImage out = LikeSource(source, angle == 180 ? source.size() : source.size().transposed());
  if (!out.isNull()) TurnPixels(PixelsOf(source), angle, RowsOf(out));
  return out;
}

QImage MirrorBitmap(const QImage &source) {
  if (source.isNull()) return source;
  if (!IsPlain32(source)) return source.mirrored(true, false);
  QImage out = LikeSource(source, source.size());
  if (!out.isNull()) MirrorPixels(PixelsOf(source), RowsOf(out));
  return out;
}

}  // namespace plomix
