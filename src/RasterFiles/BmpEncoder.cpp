#include "RasterFiles/BmpEncoder.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace plomix {
namespace {

void PutLE(std::string &out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string EncodeBmpPixels(const RasterPixels &pixels) {
  if (pixels.argb == nullptr || pixels.width <= 0 || pixels.height <= 0) return {};
  const std::uint32_t width = static_cast<std::uint32_t>(pixels.width);
  const std::uint32_t height = static_cast<std::uint32_t>(pixels.height);
  constexpr std::uint32_t kHeaders = 14 + 40;
  // The file's size fields are 32 bits: a larger picture has no BMP file.
  const std::uint64_t pixelBytes64 = std::uint64_t{width} * height * 4;
  if (kHeaders + pixelBytes64 > 0xFFFFFFFFu) return {};
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(pixelBytes64);

  std::string out;
  out.reserve(kHeaders + pixelBytes);
  // BITMAPFILEHEADER
  out += "BM";
  PutLE(out, kHeaders + pixelBytes, 4);
  PutLE(out, 0, 4);  // reserved
  PutLE(out, kHeaders, 4);
  // BITMAPINFOHEADER
  PutLE(out, 40, 4);
  PutLE(out, width, 4);
  PutLE(out, height, 4);  // positive: bottom-up rows
  PutLE(out, 1, 2);       // planes
  PutLE(out, 32, 2);      // bits per pixel
  PutLE(out, 0, 4);       // BI_RGB
  PutLE(out, pixelBytes, 4);
  PutLE(out, static_cast<std::uint32_t>(pixels.dotsPerMeterX), 4);
  PutLE(out, static_cast<std::uint32_t>(pixels.dotsPerMeterY), 4);
  PutLE(out, 0, 4);  // colours used
  PutLE(out, 0, 4);  // important colours

  // Rows bottom-up. A pixel 0xAARRGGBB in memory is blue, green, red, alpha on this
  // little-endian machine: copy each row whole and clear the fourth byte.
  static_assert(std::endian::native == std::endian::little);
  const std::size_t rowBytes = 4 * static_cast<std::size_t>(width);
  out.resize(kHeaders + pixelBytes);
  char *target = out.data() + kHeaders;
  for (int y = pixels.height - 1; y >= 0; --y, target += rowBytes) {
    std::memcpy(target, pixels.Row(y), rowBytes);
    for (std::size_t x = 3; x < rowBytes; x += 4) target[x] = 0;  // the unused fourth byte
  }
  return out;
}

}  // namespace plomix
