#include "RasterFiles/PngEncoder.h"

#include "RasterFiles/PngDeflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <cstdint>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace plomix {
namespace {

using Pixel = std::uint32_t;  // 0xAARRGGBB
constexpr int Alpha(Pixel p) { return static_cast<int>(p >> 24); }
constexpr int Red(Pixel p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int Green(Pixel p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int Blue(Pixel p) { return static_cast<int>(p & 0xFF); }

// PNG colour types.
constexpr int kGrey = 0, kRgb = 2, kPalette = 3, kRgba = 6;

// How the pixels are stored: a palette of at most 16 colours packed 1, 2 or 4 to the
// byte (a symbol in two colours takes one bit a pixel), else grey, RGB or RGBA bytes.
struct PngLayout {
  int colourType = kPalette;
  int bitDepth = 8;
  std::vector<Pixel> palette;
};

constexpr std::size_t kMostPaletteColours = 16;

// Symbol rows repeat (every row through the bars is the same): a row equal to the one
// above is neither looked at nor packed again.
std::vector<bool> RowsSameAsAbove(const RasterPixels &image) {
  std::vector<bool> same(static_cast<std::size_t>(image.height));
  const std::size_t bytes = static_cast<std::size_t>(image.width) * sizeof(Pixel);
  for (int y = 1; y < image.height; ++y)
    same[static_cast<std::size_t>(y)] = std::memcmp(image.Row(y), image.Row(y - 1), bytes) == 0;
  return same;
}

PngLayout LayoutOf(const RasterPixels &image, const std::vector<bool> &sameAsAbove) {
  PngLayout layout;
  bool grey = true, opaque = true, fewColours = true;
  for (int y = 0, h = image.height, w = image.width; y < h; ++y) {
    if (sameAsAbove[static_cast<std::size_t>(y)]) continue;
    const auto *row = image.Row(y);
    // Opaque and grey over the whole row first, without a branch a pixel.
    std::uint32_t all = 0xFFFFFFFF, notGrey = 0;
    for (int x = 0; x < w; ++x) {
      all &= row[x];
      notGrey |= (row[x] ^ (row[x] >> 8)) & 0xFFFF;  // red against green, green against blue
    }
    if (Alpha(all) != 255) opaque = false;
    if (notGrey != 0) grey = false;
    Pixel last = !layout.palette.empty() ? layout.palette.front() : 0;
    for (int x = 0; x < w && fewColours; ++x) {
      const Pixel p = row[x];
      if (p == last && !layout.palette.empty()) continue;
      last = p;
      if (std::find(layout.palette.begin(), layout.palette.end(), p) == layout.palette.end()) {
        if (layout.palette.size() == kMostPaletteColours || Alpha(p) != 255) fewColours = false;
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
  layout.colourType = !opaque ? kRgba : grey ? kGrey : kRgb;
  return layout;
}

int BytesPerRow(const PngLayout &layout, int width) {
  switch (layout.colourType) {
    case kPalette: return (width * layout.bitDepth + 7) / 8;
    case kGrey: return width;
    case kRgb: return width * 3;
    default: return width * 4;
  }
}

// One row in the file's layout, from a row of 0xAARRGGBB pixels.
void PackRow(const Pixel *row, int width, const PngLayout &layout, unsigned char *out) {
  switch (layout.colourType) {
    case kPalette: {
      std::memset(out, 0, static_cast<std::size_t>(BytesPerRow(layout, width)));
      const int perByte = 8 / layout.bitDepth;
      Pixel last = layout.palette.front();
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
    case kGrey:
      for (int x = 0; x < width; ++x) out[x] = static_cast<unsigned char>(Red(row[x]));
      return;
    default: {
      const bool alpha = layout.colourType == kRgba;
      for (int x = 0; x < width; ++x) {
        *out++ = static_cast<unsigned char>(Red(row[x]));
        *out++ = static_cast<unsigned char>(Green(row[x]));
        *out++ = static_cast<unsigned char>(Blue(row[x]));
        if (alpha) *out++ = static_cast<unsigned char>(Alpha(row[x]));
      }
      return;
    }
  }
}

void PutUint32(std::string &out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string &out, const char (&type)[5], std::string_view data) {
  PutUint32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.append(type, 4);
  out.append(data);
  PutUint32(out, libdeflate_crc32(0, out.data() + start, out.size() - start));
}

// PNG row filters used here.
constexpr char kFilterNone = 0, kFilterSub = 1, kFilterUp = 2;

// A filtered byte's size taken as a signed value: summed over a row, the usual measure of
// how well the row will compress (smaller is better).
inline unsigned Size(unsigned char byte) {
  const int value = static_cast<signed char>(byte);
  return static_cast<unsigned>(value < 0 ? -value : value);
}

// The rows, each after its filter byte, in one buffer. A row equal to the one above is
// filtered "up": all zeros, which costs the compressor almost nothing. A new row of whole
// bytes a pixel (grey, RGB, RGBA) takes "none", "sub" or "up", whichever spreads its bytes
// least (runs of one colour become zeros under "sub", a row nearly like the one above under
// "up"); palette rows stay unfiltered, as filters do not help them. The three measures are
// taken in one pass and only the chosen filter is written.
std::string FilteredRows(const RasterPixels &image, const PngLayout &layout, const std::vector<bool> &sameAsAbove) {
  const std::size_t rowBytes = static_cast<std::size_t>(BytesPerRow(layout, image.width));
  const std::size_t stride = 1 + rowBytes;
  const std::size_t pixelBytes = layout.colourType == kPalette ? 0 : rowBytes / static_cast<std::size_t>(image.width);
  std::string rows(stride * static_cast<std::size_t>(image.height), '\0');
  std::vector<unsigned char> packed(rowBytes), above(rowBytes);
  for (int y = 0; y < image.height; ++y) {
    auto *row = reinterpret_cast<unsigned char *>(rows.data() + stride * static_cast<std::size_t>(y));
    if (y > 0 && sameAsAbove[static_cast<std::size_t>(y)]) {
      row[0] = kFilterUp;  // the zeros are there already
      continue;
    }
    if (pixelBytes == 0) {
      row[0] = kFilterNone;
      PackRow(image.Row(y), image.width, layout, row + 1);
      continue;
    }
    PackRow(image.Row(y), image.width, layout, packed.data());
    const unsigned char *p = packed.data(), *a = above.data();
    // 32 bits hold a row's sums (at most 128 for each of 4 × 32,767 bytes) and let the
    // compiler take many bytes a step.
    std::uint32_t none = 0, sub = 0, up = 0;
    for (std::size_t i = 0; i < pixelBytes; ++i) {
      none += Size(p[i]);
      up += Size(static_cast<unsigned char>(p[i] - a[i]));
    }
    sub = none;  // the first pixel has nothing on its left
    for (std::size_t i = pixelBytes; i < rowBytes; ++i) {
      none += Size(p[i]);
      sub += Size(static_cast<unsigned char>(p[i] - p[i - pixelBytes]));
      up += Size(static_cast<unsigned char>(p[i] - a[i]));
    }
    char filter = kFilterNone;
    std::uint32_t least = none;
    if (sub < least) {
      filter = kFilterSub;
      least = sub;
    }
    if (y > 0 && up < least) filter = kFilterUp;
    row[0] = static_cast<unsigned char>(filter);
    unsigned char *out = row + 1;
    if (filter == kFilterNone) {
      std::memcpy(out, p, rowBytes);
    } else if (filter == kFilterSub) {
      std::memcpy(out, p, pixelBytes);
      for (std::size_t i = pixelBytes; i < rowBytes; ++i) out[i] = static_cast<unsigned char>(p[i] - p[i - pixelBytes]);
    } else {
      for (std::size_t i = 0; i < rowBytes; ++i) out[i] = static_cast<unsigned char>(p[i] - a[i]);
    }
    above.swap(packed);  // the unfiltered row, for the next row's "up"
  }
  return rows;
}

// The run blocks' pieces: every run of rows that repeat the row above (filtered "up" to
// zeros) is counted as blank rows, the rows between are looked at byte by byte. What the
// pixels told already need not be found again in the filtered bytes.
std::vector<RowPiece> PiecesOfRepeatedRows(const std::vector<bool> &sameAsAbove, std::size_t stride) {
  std::vector<RowPiece> pieces;
  for (std::size_t y = 0; y < sameAsAbove.size();) {
    std::size_t end = y + 1;
    const bool repeated = y > 0 && sameAsAbove[y];
    while (end < sameAsAbove.size() && sameAsAbove[end] == repeated) ++end;
    pieces.push_back({y * stride, end * stride, repeated});
    y = end;
  }
  return pieces;
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

// One compressor per level and thread, made on first use: making one costs more than
// compressing a small picture.
libdeflate_compressor *CompressorFor(int level) {
  thread_local std::array<std::unique_ptr<libdeflate_compressor, CompressorDeleter>, 13> compressors;
  auto &compressor = compressors[static_cast<std::size_t>(std::clamp(level, 1, 12))];
  if (!compressor) compressor.reset(libdeflate_alloc_compressor(std::clamp(level, 1, 12)));
  return compressor.get();
}

// The rows (of `stride` bytes each) as one zlib stream; false when the library fails,
// std::bad_alloc when memory runs out. Palette and grey rows of a symbol are runs (of
// white, of black, of zeros under the filters) which zlib's search for runs alone finds
// faster than its search for matches, in smaller files; colour rows repeat colours three
// or four bytes apart, which only the search for matches finds.
bool Compress(const std::string &rows, std::size_t stride, const PngLayout &layout, const std::vector<bool> &sameAsAbove,
              PngCompression compression, std::string &out) {
  if (compression.library == PngCompression::RowCopies) {
    if (layout.colourType == kPalette || layout.colourType == kGrey)
      return DeflateRowPieces(rows, stride, PiecesOfRepeatedRows(sameAsAbove, stride), compression.level, true, out);
    return DeflateRowPieces(rows, stride, PlanRowPieces(rows, stride, compression.leastCopiedBytes), compression.level,
                            false, out);
  }
  if (compression.library == PngCompression::Zlib) {
    uLongf size = compressBound(static_cast<uLong>(rows.size()));
    out.resize(size);
    const int result = compress2(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(rows.data()),
                                 static_cast<uLong>(rows.size()), std::clamp(compression.level, 1, 9));
    if (result == Z_MEM_ERROR) throw std::bad_alloc();
    if (result != Z_OK) return false;
    out.resize(size);
    return true;
  }
  libdeflate_compressor *compressor = CompressorFor(compression.level);
  if (!compressor) throw std::bad_alloc();
  out.resize(libdeflate_zlib_compress_bound(compressor, rows.size()));
  const std::size_t size = libdeflate_zlib_compress(compressor, rows.data(), rows.size(), out.data(), out.size());
  out.resize(size);
  return size > 0;
}

}  // namespace

bool EncodePngPixels(const RasterPixels &image, std::string &out, PngFault *fault, PngCompression compression) {
  auto fail = [fault](PngFault why) {
    if (fault) *fault = why;
    return false;
  };
  if (image.width <= 0 || image.height <= 0 || !image.argb) return fail(PngFault::NoImage);
  const std::vector<bool> sameAsAbove = RowsSameAsAbove(image);
  const PngLayout layout = LayoutOf(image, sameAsAbove);
  // Memory running out throws std::bad_alloc, as for every other allocation of a drawing.
  std::string pixels;
  const std::size_t stride = 1 + static_cast<std::size_t>(BytesPerRow(layout, image.width));
  if (!Compress(FilteredRows(image, layout, sameAsAbove), stride, layout, sameAsAbove, compression, pixels))
    return fail(PngFault::LibraryFailed);
  if (pixels.size() > 0x7FFFFFFFU) return fail(PngFault::TooLarge);  // a PNG chunk holds at most 2^31 - 1 bytes

  out.assign("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutUint32(header, static_cast<std::uint32_t>(image.width));
  PutUint32(header, static_cast<std::uint32_t>(image.height));
  header += static_cast<char>(layout.bitDepth);
  header += static_cast<char>(layout.colourType);
  header.append(3, '\0');  // deflate, adaptive filtering, not interlaced
  PutChunk(out, "IHDR", header);
  if (!layout.palette.empty()) {
    std::string colours;
    for (const Pixel c : layout.palette) {
      colours += static_cast<char>(Red(c));
      colours += static_cast<char>(Green(c));
      colours += static_cast<char>(Blue(c));
    }
    PutChunk(out, "PLTE", colours);
  }
  if (image.dotsPerMeterX > 0 && image.dotsPerMeterY > 0) {
    std::string resolution;
    PutUint32(resolution, static_cast<std::uint32_t>(image.dotsPerMeterX));
    PutUint32(resolution, static_cast<std::uint32_t>(image.dotsPerMeterY));
    resolution += '\1';  // per metre
    PutChunk(out, "pHYs", resolution);
  }
  PutChunk(out, "IDAT", pixels);
  PutChunk(out, "IEND", {});
  if (fault) *fault = PngFault::None;
  return true;
}

}  // namespace plomix
