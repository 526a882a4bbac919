#pragma once
// A 32-bit picture in plain memory (0xAARRGGBB, top row first), the fills the symbol's
// bitmap drawing is made of, and its quarter turns and mirror. The toolkit's bitmap
// canvas and transforms run these same routines on its image's pixels.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "BarLayout/BarPainting.h"
#include "RasterFiles/RasterPixels.h"

namespace plomix {

// Pixels that can be written: a window onto someone's memory.
struct PixelRows {
  int width = 0;
  int height = 0;
  std::size_t stridePixels = 0;
  std::uint32_t *argb = nullptr;

  std::uint32_t *Row(int y) const { return argb + stridePixels * static_cast<std::size_t>(y); }
  PixelRect Rect() const { return {0, 0, width, height}; }
};

// Fills the part of `rect` inside the picture.
void FillPixelRect(const PixelRows &rows, const PixelRect &rect, std::uint32_t value);

// A run of bars over their own background: the first row is built and copied down.
// The band from the first bar's left to the last bar's right must lie inside the picture.
void FillBarRows(const PixelRows &rows, const std::vector<BarSpan> &spans, int top, int length, std::uint32_t bar,
                 std::uint32_t background);

// A picture that owns its pixels.
class TPixelPicture {
 public:
  TPixelPicture() = default;
  // Fails (IsNull) when the memory cannot be had.
  TPixelPicture(int width, int height);

  bool IsNull() const { return FPixels.empty(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  PixelRows Rows() { return {FWidth, FHeight, static_cast<std::size_t>(FWidth), FPixels.data()}; }
  // For the file encoders, with the resolution in pixels per metre.
  RasterPixels View(int dotsPerMeterX = 0, int dotsPerMeterY = 0) const {
    return {FWidth, FHeight, static_cast<std::size_t>(FWidth), FPixels.data(), dotsPerMeterX, dotsPerMeterY};
  }

 private:
  int FWidth = 0, FHeight = 0;
  std::vector<std::uint32_t> FPixels;
};

// angle 90: a quarter turn clockwise (the top then faces right); 180; 270: a quarter
// turn counter-clockwise. Source pixel (x, y) of a w x h picture lands at (h-1-y, x),
// (w-1-x, h-1-y) and (y, w-1-x). `out` must have the turned size.
void TurnPixels(const RasterPixels &source, int angle, const PixelRows &out);

// Pixel (x, y) takes source pixel (width - 1 - x, y); `out` has the source's size.
void MirrorPixels(const RasterPixels &source, const PixelRows &out);

// The plain canvas for a symbol's bars.
class TPixelCanvas final : public TBarSurface<std::uint32_t> {
 public:
  explicit TPixelCanvas(const PixelRows &rows) : FRows(rows) {}
  void FillRect(const PixelRect &rect, const std::uint32_t &color) override { FillPixelRect(FRows, rect, color); }
  void BarRun(const std::vector<BarSpan> &spans, int top, int length, const std::uint32_t &color,
              const std::uint32_t *background) override;

 private:
  PixelRows FRows;
};

}  // namespace plomix
