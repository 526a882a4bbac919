#include "BarImage/PngWriter.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace plomix {
namespace {

// How the pixels are stored: a palette of at most 16 colours packed 1, 2 or 4 to the
// byte (a symbol in two colours takes one bit a pixel), else grey, RGB or RGBA bytes.
struct PngLayout {
  int colourType = PNG_COLOR_TYPE_PALETTE;
  int bitDepth = 8;
  std::vector<QRgb> palette;
};

constexpr std::size_t kMostPaletteColours = 16;

// Symbol rows repeat (every row through the bars is the same), so a row equal to the one
// above is not looked at again.
bool SameAsRowAbove(const QImage &image, int y) {
  return y > 0 && std::memcmp(image.constScanLine(y), image.constScanLine(y - 1),
                              static_cast<std::size_t>(image.width()) * sizeof(QRgb)) == 0;
}

PngLayout LayoutOf(const QImage &image) {
  PngLayout layout;
  bool grey = true, opaque = true, fewColours = true;
  for (int y = 0, h = image.height(), w = image.width(); y < h; ++y) {
    if (SameAsRowAbove(image, y)) continue;
    const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    QRgb last = fewColours && !layout.palette.empty() ? layout.palette.front() : 0;
    for (int x = 0; x < w; ++x) {
      const QRgb p = row[x];
      if (qAlpha(p) != 255) opaque = false;
      if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p)) grey = false;
      if (!fewColours || (p == last && !layout.palette.empty())) continue;
      last = p;
      if (std::find(layout.palette.begin(), layout.palette.end(), p) == layout.palette.end()) {
        if (layout.palette.size() == kMostPaletteColours || qAlpha(p) != 255) fewColours = false;
        else layout.palette.push_back(p);
      }
    }
  }
  if (fewColours) {
    const std::size_t n = layout.palette.size();
    layout.bitDepth = n <= 2 ? 1 : n <= 4 ? 2 : 4;
    return layout;
  }
  layout.palette.clear();
  layout.colourType = !opaque ? PNG_COLOR_TYPE_RGBA : grey ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB;
  return layout;
}

int BytesPerRow(const PngLayout &layout, int width) {
  switch (layout.colourType) {
    case PNG_COLOR_TYPE_PALETTE: return (width * layout.bitDepth + 7) / 8;
    case PNG_COLOR_TYPE_GRAY: return width;
    case PNG_COLOR_TYPE_RGB: return width * 3;
    default: return width * 4;
  }
}

// One row in the file's layout, from a row of 0xAARRGGBB pixels.
void PackRow(const QRgb *row, int width, const PngLayout &layout, unsigned char *out) {
  switch (layout.colourType) {
    case PNG_COLOR_TYPE_PALETTE: {
      std::memset(out, 0, static_cast<std::size_t>(BytesPerRow(layout, width)));
      const int perByte = 8 / layout.bitDepth;
      QRgb last = layout.palette.front();
      unsigned index = 0;
      for (int x = 0; x < width; ++x) {
        if (row[x] != last) {
          last = row[x];
          index = static_cast<unsigned>(std::find(layout.palette.begin(), layout.palette.end(), last) -
                                        layout.palette.begin());
        }
        const int shift = 8 - layout.bitDepth * (x % perByte + 1);
        out[x / perByte] = static_cast<unsigned char>(out[x / perByte] | (index << shift));
      }
      return;
    }
    case PNG_COLOR_TYPE_GRAY:
      for (int x = 0; x < width; ++x) out[x] = static_cast<unsigned char>(qRed(row[x]));
      return;
    default: {
      const bool alpha = layout.colourType == PNG_COLOR_TYPE_RGBA;
      for (int x = 0; x < width; ++x) {
        *out++ = static_cast<unsigned char>(qRed(row[x]));
        *out++ = static_cast<unsigned char>(qGreen(row[x]));
        *out++ = static_cast<unsigned char>(qBlue(row[x]));
        if (alpha) *out++ = static_cast<unsigned char>(qAlpha(row[x]));
      }
      return;
    }
  }
}

struct PngFailure {
  std::jmp_buf jump;
  const char *message = "";
};

[[noreturn]] void JumpOnError(png_structp png, png_const_charp message) {
  auto *failure = static_cast<PngFailure *>(png_get_error_ptr(png));
  failure->message = message;
  std::longjmp(failure->jump, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

void Append(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(data), length);
}

void NoFlush(png_structp) {}

}  // namespace

bool EncodePng(const QImage &source, std::string &out, QString *error) {
  if (source.isNull()) {
    if (error) *error = QStringLiteral("there is no image to encode");
    return false;
  }
  const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                           ? source
                           : source.convertToFormat(QImage::Format_ARGB32);
  const PngLayout layout = LayoutOf(image);
  std::vector<unsigned char> row(static_cast<std::size_t>(BytesPerRow(layout, image.width())));

  PngFailure failure;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, JumpOnError, IgnoreWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    if (error) *error = QStringLiteral("PNG: out of memory");
    return false;
  }
  out.clear();
  if (setjmp(failure.jump)) {
    png_destroy_write_struct(&png, &info);
    if (error) *error = QStringLiteral("PNG: %1").arg(QString::fromLocal8Bit(failure.message));
    out.clear();
    return false;
  }
  png_set_write_fn(png, &out, Append, NoFlush);
  // Symbols are long runs of equal pixels and their rows repeat: the "up" filter turns a
  // repeated row into zeros, and run-length deflate packs runs as well as a full search
  // at a fraction of the time.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
  png_set_compression_strategy(png, Z_RLE);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()),
               layout.bitDepth, layout.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
               PNG_FILTER_TYPE_BASE);
  if (!layout.palette.empty()) {
    std::vector<png_color> colours;
    for (const QRgb c : layout.palette)
      colours.push_back({static_cast<png_byte>(qRed(c)), static_cast<png_byte>(qGreen(c)),
                         static_cast<png_byte>(qBlue(c))});
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
  }
  if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
    png_set_pHYs(png, info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                 static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (int y = 0; y < image.height(); ++y) {
    if (!SameAsRowAbove(image, y))
      PackRow(reinterpret_cast<const QRgb *>(image.constScanLine(y)), image.width(), layout, row.data());
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace plomix
