#include "BarLayout/PixelPicture.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <new>

namespace plomix {
namespace {

// Fills `count` 32-bit pixels. glibc's wmemset is vectorised; a plain loop is not at
// this optimisation level, and the fills are most of a drawing's work.
static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
inline void FillPixels(std::uint32_t *pixels, int count, std::uint32_t value) {
  if (count > 0) std::wmemset(reinterpret_cast<wchar_t *>(pixels), static_cast<wchar_t>(value), static_cast<std::size_t>(count));
}

}  // namespace

void FillPixelRect(const PixelRows &rows, const PixelRect &rect, std::uint32_t value) {
  const PixelRect clipped = rect.Intersected(rows.Rect());
  if (clipped.IsEmpty()) return;
  for (int y = clipped.y; y <= clipped.Bottom(); ++y) FillPixels(rows.Row(y) + clipped.x, clipped.width, value);
}

void FillBarRows(const PixelRows &rows, const std::vector<BarSpan> &spans, int top, int length, std::uint32_t bar,
                 std::uint32_t background) {
  if (spans.empty() || length <= 0) return;
  const int left = spans.front().x;
  const int right = spans.back().x + spans.back().width;
  std::uint32_t *first = rows.Row(top);
  FillPixels(first + left, right - left, background);
  for (const BarSpan &span : spans) FillPixels(first + span.x, span.width, bar);
  const std::size_t bytes = static_cast<std::size_t>(right - left) * sizeof(std::uint32_t);
  for (int y = top + 1; y < top + length; ++y) std::memcpy(rows.Row(y) + left, first + left, bytes);
}

TPixelPicture::TPixelPicture(int width, int height) {
  if (width <= 0 || height <= 0) return;
  try {
    FPixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc &) {
    return;
  } catch (const std::length_error &) {
    return;
  }
  FWidth = width;
  FHeight = height;
}

void TurnPixels(const RasterPixels &source, int angle, const PixelRows &out) {
  const int w = source.width, h = source.height;
  if (angle == 180) {
    for (int y = 0; y < h; ++y) {
      const std::uint32_t *from = source.Row(y);
      std::uint32_t *to = out.Row(h - 1 - y) + (w - 1);
      for (int x = 0; x < w; ++x) *(to - x) = from[x];
    }
    return;
  }
  // Quarter turns in tiles, so that both pictures are walked within the cache.
  constexpr int kTile = 32;
  for (int y0 = 0; y0 < h; y0 += kTile)
    for (int x0 = 0; x0 < w; x0 += kTile) {
      const int y1 = std::min(h, y0 + kTile), x1 = std::min(w, x0 + kTile);
      for (int y = y0; y < y1; ++y) {
        const std::uint32_t *from = source.Row(y);
        for (int x = x0; x < x1; ++x) {
          if (angle == 90) out.Row(x)[h - 1 - y] = from[x];
          else out.Row(w - 1 - x)[y] = from[x];
        }
      }
    }
}

void MirrorPixels(const RasterPixels &source, const PixelRows &out) {
  for (int y = 0; y < source.height; ++y) {
    const std::uint32_t *from = source.Row(y);
    std::uint32_t *to = out.Row(y);
    std::reverse_copy(from, from + source.width, to);
  }
}

void TPixelCanvas::BarRun(const std::vector<BarSpan> &spans, int top, int length, const std::uint32_t &color,
                          const std::uint32_t *background) {
  if (spans.empty() || length <= 0) return;
  const PixelRect band{spans.front().x, top, spans.back().x + spans.back().width - spans.front().x, length};
  if (background != nullptr && FRows.Rect().Contains(band)) {
    FillBarRows(FRows, spans, top, length, color, *background);
    return;
  }
  if (background != nullptr) FillPixelRect(FRows, band, *background);
  for (const BarSpan &span : spans) FillPixelRect(FRows, {span.x, top, span.width, length}, color);
}

}  // namespace plomix
