#include "BarImage/BmpWriter.h"

#include <cstdint>

namespace plomix {
namespace {

void PutLE(std::string &out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string EncodeBmp32(const QImage &source) {
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const std::uint32_t width = static_cast<std::uint32_t>(image.width());
  const std::uint32_t height = static_cast<std::uint32_t>(image.height());
  constexpr std::uint32_t kHeaders = 14 + 40;
  const std::uint32_t pixelBytes = width * height * 4;

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
  PutLE(out, static_cast<std::uint32_t>(image.dotsPerMeterX()), 4);
  PutLE(out, static_cast<std::uint32_t>(image.dotsPerMeterY()), 4);
  PutLE(out, 0, 4);  // colours used
  PutLE(out, 0, 4);  // important colours

  for (int y = image.height() - 1; y >= 0; --y) {
    const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (std::uint32_t x = 0; x < width; ++x) {
      out.push_back(static_cast<char>(qBlue(line[x])));
      out.push_back(static_cast<char>(qGreen(line[x])));
      out.push_back(static_cast<char>(qRed(line[x])));
      out.push_back(0);  // the unused fourth byte of a 32-bit DIB
    }
  }
  return out;
}

}  // namespace plomix
