#pragma once
// A picture as plain pixels, with no toolkit type: what the file encoders of this folder read.
#include <cstddef>
#include <cstdint>

namespace plomix {

struct RasterPixels {
  int width = 0;
  int height = 0;
  std::size_t stridePixels = 0;        // pixels from one row's start to the next's
  const std::uint32_t *argb = nullptr;  // 0xAARRGGBB, top row first
  int dotsPerMeterX = 0;               // 0: the file states no resolution
  int dotsPerMeterY = 0;

  const std::uint32_t *Row(int y) const { return argb + stridePixels * static_cast<std::size_t>(y); }
};

}  // namespace plomix
