// PNG rows compressed with runs of blank rows copied: every stream inflates (zlib) to exactly
// the rows given, and every file reads back (Qt's reader, zlib's inflater) to exactly the
// pixels, over row widths where the copies' lengths change and runs in every place.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "RasterFiles/PngDeflate.h"
#include "RasterFiles/PngEncoder.h"
#include "tests/RasterFiles/InflateForTests.h"

namespace plomix {
namespace {

using test::Inflated;

// Rows from a pattern, a letter a row: 'x' a new row of varied bytes (filter byte 1),
// 'u' a filter byte 2 and zeros (a row equal to the one above, filtered "up"),
// '0' a row of zeros (filter byte 0), 'r' the row above again.
std::string PatternRows(std::string_view pattern, std::size_t stride) {
  std::string rows;
  std::uint32_t seed = 12345;
  for (const char kind : pattern) {
    std::string row(stride, '\0');
    if (kind == 'x') {
      row[0] = 1;
      for (std::size_t i = 1; i < stride; ++i) {
        seed = seed * 1103515245U + 12345U;
        row[i] = static_cast<char>((seed >> 16) % 7 == 0 ? (seed >> 8) & 0xFF : 0);  // mostly zeros, like filtered rows
      }
    } else if (kind == 'u') {
      row[0] = 2;
    } else if (kind == 'r') {
      row = rows.substr(rows.size() - stride);
    }
    rows += row;
  }
  return rows;
}

struct RowsCase {
  const char *note;
  std::size_t stride;
  const char *pattern;
  std::size_t leastCopied;
  std::size_t copiedRows;  // counted by hand from the pattern: rows after the first of a blank run
};

// Strides 258k + 2 + r leave r zeros after a row's whole copies of 258 (a row is its filter
// byte, one literal zero and copies of the rest).
const RowsCase kRowsCases[] = {
    {"a run in the middle", 300, "xxuuuuuuuuuux", 0, 9},
    {"a run from the second row", 300, "uuuuuuuux", 0, 7},
    {"a run ending the image", 300, "xxuuuuuu", 0, 5},
    {"a run of one row", 300, "xuux", 0, 1},
    {"two runs and a run of zeros", 300, "xuuuxuuuux0000", 0, 2 + 3 + 3},
    {"only zeros", 300, "000000", 0, 5},
    {"repeated rows that are not blank stay in the library", 300, "xrrrrrrx", 0, 0},
    {"a run shorter than the least copied stays in the library", 300, "xuuuuxuuuuuuuuuu", 2000, 9},
    {"whole copies and nothing left over", 258 * 2 + 2, "xuuuuux", 0, 4},
    {"one zero left over", 258 + 2 + 1, "xuuuuux", 0, 4},
    {"two zeros left over", 258 + 2 + 2, "xuuuuux", 0, 4},
    {"three zeros left over", 258 + 2 + 3, "xuuuuux", 0, 4},
    {"one zero short of a whole copy", 258 * 3 + 1, "xuuuuux", 0, 4},
    {"the shortest row copied (three zeros)", 5, "xuuuuuuuuuuuuuuux", 0, 14},
    {"a row too short to copy", 4, "xuuuuuuuuuuuuuuux", 0, 0},
    {"a row longer than deflate reaches back", 40000, "xuuuxuu", 0, 2 + 1},
};

void PrintTo(const RowsCase &c, std::ostream *os) { *os << c.note; }

class PngDeflateRows : public testing::TestWithParam<RowsCase> {};

TEST_P(PngDeflateRows, InflateToTheRowsGivenCopyingBlankRuns) {
  const RowsCase &c = GetParam();
  const std::string rows = PatternRows(c.pattern, c.stride);
  const std::vector<RowPiece> pieces = PlanRowPieces(rows, c.stride, c.leastCopied);
  std::size_t copied = 0, at = 0;
  for (const RowPiece &piece : pieces) {
    EXPECT_EQ(piece.begin, at) << "the pieces follow each other";
    at = piece.end;
    if (piece.copied) copied += (piece.end - piece.begin) / c.stride;
  }
  EXPECT_EQ(at, rows.size());
  EXPECT_EQ(copied, c.copiedRows);
  for (const int level : {1, 3, 9})
    for (const bool runs : {false, true}) {
      SCOPED_TRACE(testing::Message() << "level " << level << (runs ? ", runs only" : ""));
      std::string stream;
      ASSERT_TRUE(DeflateRowPieces(rows, c.stride, pieces, level, runs, stream));
      EXPECT_EQ(Inflated(stream), rows);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, PngDeflateRows, testing::ValuesIn(kRowsCases),
                         [](const auto &info) { return test::TestNameOf(info.param.note); });

// Pieces cut anywhere (not only where the plan cuts) still make one valid stream: a copied
// piece right after another, a library piece of one row between copies, a copy at the end.
TEST(PngDeflateRows, AnyCutOfBlankRowsMakesOneStream) {
  const std::size_t stride = 77;
  const std::string rows = PatternRows("xuuuuuuuuux0000000", stride);
  const std::vector<RowPiece> pieces = {{0, 2 * stride, false},          {2 * stride, 4 * stride, true},
                                        {4 * stride, 7 * stride, true},  {7 * stride, 8 * stride, false},
                                        {8 * stride, 10 * stride, true}, {10 * stride, 12 * stride, false},
                                        {12 * stride, 18 * stride, true}};
  std::string stream;
  ASSERT_TRUE(DeflateRowPieces(rows, stride, pieces, 6, false, stream));
  EXPECT_EQ(Inflated(stream), rows);
}

// --- whole files -------------------------------------------------------------------------

using Pixels = std::vector<std::uint32_t>;

struct ImageCase {
  const char *note;
  int width, height;
  // The pixel at (x, y).
  std::uint32_t (*pixel)(int x, int y);
  int colourType, bitDepth;
};

// Bars of two colours repeated down the picture, except for new rows at the top, at `y` 10
// and at the bottom.
std::uint32_t TwoColours(int x, int y) {
  if (y == 0 || y == 10 || y == 199) return (x * 7 + y) % 5 < 2 ? 0xFF000000 : 0xFFFFFFFF;
  return x % 9 < 4 ? 0xFF000000 : 0xFFFFFFFF;
}
std::uint32_t Palette(int x, int y, int colours) {
  const std::uint32_t grey = static_cast<std::uint32_t>((x / 3 + (y < 5 ? y : 0)) % colours * (255 / colours));
  return 0xFF000000 | grey << 16 | grey << 8 | grey;
}
// Greys of text: new rows at the top and bottom, a run of one row between bars.
std::uint32_t Greys(int x, int y) {
  const int band = y < 3 ? y : y < 40 ? 3 : y < 41 ? 4 : y < 42 ? 5 : y < 70 ? 6 : y;
  const std::uint32_t grey = static_cast<std::uint32_t>((x * 13 + band * 29) % 256);
  return 0xFF000000 | grey << 16 | grey << 8 | grey;
}
std::uint32_t Colours(int x, int y) {
  const int band = y < 30 ? 0 : y < 31 ? 1 : 2;
  return 0xFF000000 | static_cast<std::uint32_t>((x * 5 + band) % 256) << 16 |
         static_cast<std::uint32_t>((x / 2 + band * 40) % 256) << 8 | static_cast<std::uint32_t>(x % 97);
}
std::uint32_t SeeThrough(int x, int y) { return (y < 2 ? 0x40000000u : 0xC0000000u) | static_cast<std::uint32_t>(x * 3 % 256); }
// A symbol turned a quarter: each bar a few rows, then white rows.
std::uint32_t Turned(int x, int y) {
  if (y >= 120) return 0xFFFFFFFF;
  const int bar = (y / 2) % 7;
  return x < 40 + bar * 3 ? ((y / 2) % 2 ? 0xFF000000 : 0xFFFFFFFF) : 0xFFFFFFFF;
}

const ImageCase kImageCases[] = {
    {"one bit", 300, 200, TwoColours, 3, 1},
    {"two bits, a run ending the image", 301, 100, [](int x, int y) { return Palette(x, y, 4); }, 3, 2},
    {"four bits, a run ending the image", 299, 60, [](int x, int y) { return Palette(x, y, 16); }, 3, 4},
    {"grey, a row of 258 bytes", 257, 80, Greys, 0, 8},
    {"grey, whole copies and nothing over", 259, 80, Greys, 0, 8},
    {"grey, one zero over", 260, 80, Greys, 0, 8},
    {"grey, two zeros over", 261, 80, Greys, 0, 8},
    {"grey, a run ending the image", 300, 60, Greys, 0, 8},
    {"RGB", 430, 60, Colours, 2, 8},
    {"RGBA", 200, 50, SeeThrough, 6, 8},
    {"RGBA rows longer than deflate reaches back", 8200, 6, SeeThrough, 6, 8},
    {"a symbol turned a quarter", 120, 200, Turned, 3, 1},
};

void PrintTo(const ImageCase &c, std::ostream *os) { *os << c.note; }

class PngDeflateFile : public testing::TestWithParam<ImageCase> {};

std::string IdatOf(const std::string &png) {
  const std::size_t at = png.find("IDAT");
  if (at == std::string::npos || at < 4) return {};
  std::uint32_t length = 0;
  for (std::size_t i = at - 4; i < at; ++i) length = (length << 8) | static_cast<unsigned char>(png[i]);
  return png.substr(at + 4, length);
}

TEST_P(PngDeflateFile, ReadsBackToEveryPixel) {
  const ImageCase &c = GetParam();
  Pixels pixels(static_cast<std::size_t>(c.width) * static_cast<std::size_t>(c.height));
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) pixels[static_cast<std::size_t>(y) * c.width + x] = c.pixel(x, y);
  const RasterPixels raster{c.width, c.height, static_cast<std::size_t>(c.width), pixels.data(), 0, 0};

  std::string ours, zlibs;
  PngFault fault = PngFault::LibraryFailed;
  ASSERT_TRUE(EncodePngPixels(raster, ours, &fault));
  EXPECT_EQ(fault, PngFault::None);
  EXPECT_EQ(static_cast<unsigned char>(ours[24]), c.bitDepth);
  EXPECT_EQ(static_cast<unsigned char>(ours[25]), c.colourType);
  // zlib's inflater gives the rows that zlib's own deflater was given for the same pixels.
  ASSERT_TRUE(EncodePngPixels(raster, zlibs, nullptr, {PngCompression::Zlib, 6}));
  const std::string rows = Inflated(IdatOf(zlibs));
  ASSERT_NE(rows, "<refused>");
  EXPECT_EQ(Inflated(IdatOf(ours)), rows);

  // libpng (Qt's reader) gives the pixels back.
  QImage back = QImage::fromData(reinterpret_cast<const uchar *>(ours.data()), static_cast<int>(ours.size()), "PNG");
  ASSERT_FALSE(back.isNull());
  back = back.convertToFormat(QImage::Format_ARGB32);
  const QImage source(reinterpret_cast<const uchar *>(pixels.data()), c.width, c.height, c.width * 4,
                      QImage::Format_ARGB32);
  EXPECT_EQ(back, source);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PngDeflateFile, testing::ValuesIn(kImageCases),
                         [](const auto &info) { return test::TestNameOf(info.param.note); });

}  // namespace
}  // namespace plomix
