#include "BarImage/PictureTransform.h"

#include <cstring>
#include <vector>

namespace plomix {
namespace {

bool Handled(int depth) {
  return depth == 1 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

// Copies pixel sx of `src` to pixel dx of `dst` for whole-byte pixels.
template <int Bytes>
inline void CopyPixel(uchar *dst, int dx, const uchar *src, int sx) {
  std::memcpy(dst + dx * Bytes, src + sx * Bytes, Bytes);
}

// Most significant bit first; the other bits of the destination byte keep their value.
inline void CopyBit(uchar *dst, int dx, const uchar *src, int sx) {
  const bool on = (src[sx >> 3] >> (7 - (sx & 7))) & 1;
  const uchar mask = static_cast<uchar>(0x80 >> (dx & 7));
  dst[dx >> 3] = on ? (dst[dx >> 3] | mask) : (dst[dx >> 3] & ~mask);
}

// Calls `copy(dstRow, dx, srcRow, sx)` for every destination pixel, with the source
// position given by `map(dx, dy) -> (sx, sy)`. Row pointers are fetched once per row.
template <typename Copy, typename Map>
void Remap(QImage &dst, const QImage &src, Copy copy, Map map) {
  const int dw = dst.width(), dh = dst.height();
  std::vector<const uchar *> srcRows(src.height());
  for (int y = 0; y < src.height(); ++y) srcRows[y] = src.constScanLine(y);
  for (int dy = 0; dy < dh; ++dy) {
    uchar *dstRow = dst.scanLine(dy);
    for (int dx = 0; dx < dw; ++dx) {
      const auto [sx, sy] = map(dx, dy);
      copy(dstRow, dx, srcRows[sy], sx);
    }
  }
}

template <typename Map>
void RemapByDepth(QImage &dst, const QImage &src, Map map) {
  switch (src.depth()) {
    case 32: Remap(dst, src, CopyPixel<4>, map); break;
    case 24: Remap(dst, src, CopyPixel<3>, map); break;
    case 16: Remap(dst, src, CopyPixel<2>, map); break;
    case 8: Remap(dst, src, CopyPixel<1>, map); break;
    case 1: Remap(dst, src, CopyBit, map); break;
    default: break;
  }
}

QImage Blank(const QImage &source, int width, int height) {
  QImage image(width, height, source.format());
  image.setColorTable(source.colorTable());
  image.setDotsPerMeterX(source.dotsPerMeterX());
  image.setDotsPerMeterY(source.dotsPerMeterY());
  if (source.depth() == 1) image.fill(0);
  return image;
}

}  // namespace

QImage RotateBitmap(const QImage &source, int angle) {
  if (source.isNull() || !Handled(source.depth())) return source;
  const int sw = source.width(), sh = source.height();
  switch (angle) {
    case 90: {
      QImage dst = Blank(source, sh, sw);
      RemapByDepth(dst, source, [sh](int x, int y) { return std::pair{y, sh - 1 - x}; });
      return dst;
    }
    case 180: {
      QImage dst = Blank(source, sw, sh);
      RemapByDepth(dst, source, [sw, sh](int x, int y) { return std::pair{sw - 1 - x, sh - 1 - y}; });
      return dst;
    }
    case 270: {
      QImage dst = Blank(source, sh, sw);
      RemapByDepth(dst, source, [sw](int x, int y) { return std::pair{sw - 1 - y, x}; });
      return dst;
    }
    default:
      return source;
  }
}

QImage MirrorBitmap(const QImage &source) {
  if (source.isNull() || !Handled(source.depth())) return source;
  const int sw = source.width();
  QImage dst = Blank(source, sw, source.height());
  RemapByDepth(dst, source, [sw](int x, int y) { return std::pair{sw - 1 - x, y}; });
  return dst;
}

}  // namespace plomix
