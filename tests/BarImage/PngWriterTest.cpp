// PNG files: every pixel reads back through libpng (Qt's reader) and through zlib's own
// inflater, in the smallest layout that holds them, in files no larger than Qt's.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>
#include <functional>
#include <string>

#include "Common/Colors.h"
#include "PictureFiles/PngWriter.h"
#include "Symbol/Picture.h"
#include "Symbol/SymbolDefaults.h"
#include "Symbol/TBarSymbol.h"

#include <QBuffer>

namespace plomix {
namespace {

std::uint32_t Uint32At(const std::string &bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The inflated pixel data of the file's one IDAT chunk; empty when zlib refuses it.
std::string Inflated(const std::string &png, std::size_t expected) {
  const std::size_t at = png.find("IDAT");
  if (at == std::string::npos) return {};
  const std::uint32_t length = Uint32At(png, at - 4);
  std::string out(expected + 1, '\0');
  uLongf size = static_cast<uLongf>(out.size());
  if (uncompress(reinterpret_cast<Bytef *>(out.data()), &size, reinterpret_cast<const Bytef *>(png.data() + at + 4),
                 length) != Z_OK)
    return {};
  out.resize(size);
  return out;
}

// Rows of bars: runs of the given widths in turn of the given colours, repeated `height` times.
QImage Bars(const std::vector<int> &widths, const std::vector<QRgb> &colours, int height,
            QImage::Format format = QImage::Format_RGB32) {
  int width = 0;
  for (int w : widths) width += w;
  QImage image(width, height, format);
  for (int y = 0; y < height; ++y) {
    int x = 0;
    for (std::size_t i = 0; i < widths.size(); ++i)
      for (int k = 0; k < widths[i]; ++k) image.setPixel(x++, y, colours[i % colours.size()]);
  }
  return image;
}

std::vector<QRgb> Greys(int count) {
  std::vector<QRgb> greys;
  for (int i = 0; i < count; ++i) greys.push_back(qRgb(i * 255 / count, i * 255 / count, i * 255 / count));
  return greys;
}

struct PngCase {
  const char *name;
  std::function<QImage()> image;
  int colourType, bitDepth;
};

const PngCase kCases[] = {
    {"two colours, one bit", [] { return Bars({3, 1, 2, 5, 1, 9}, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, 40); }, 3, 1},
    {"three colours, two bits", [] { return Bars({1, 2, 3, 4, 5, 6, 7}, {0xFF102030, 0xFFFFFFFF, 0xFF000000}, 7); }, 3, 2},
    {"sixteen colours, four bits", [] { return Bars(std::vector<int>(33, 3), Greys(16), 5); }, 3, 4},
    {"seventeen greys", [] { return Bars(std::vector<int>(34, 2), Greys(17), 3); }, 0, 8},
    {"colours", [] { return Bars(std::vector<int>(40, 1), {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF123456, 0xFF654321, 0xFF111111, 0xFF222222, 0xFF333333, 0xFF444444, 0xFF555555, 0xFF666666, 0xFF777777, 0xFF888888, 0xFF999999, 0xFFAAAAAA, 0xFFBBBBBB, 0xFFCCCCCC}, 6); }, 2, 8},
    {"see-through", [] { return Bars({4, 4, 4}, {0x00000000, 0xFF000000, 0x80FF0000}, 3, QImage::Format_ARGB32); }, 6, 8},
    {"one pixel", [] { return Bars({1}, {qRgb(9, 9, 9)}, 1); }, 3, 1},
    {"one column", [] { return Bars({1}, {qRgb(0, 0, 0)}, 30); }, 3, 1},
    {"colour rows each a little unlike the one above",
     [] {
       QImage image(40, 30, QImage::Format_RGB32);
       for (int y = 0; y < 30; ++y)
         for (int x = 0; x < 40; ++x) image.setPixel(x, y, qRgb(x * 6, (x * 7 + y) % 256, y * 8));
       return image;
     },
     2, 8},
    {"long runs of repeated rows between new ones",
     [] {
       QImage image(300, 200, QImage::Format_RGB32);
       for (int y = 0; y < 200; ++y)
         for (int x = 0; x < 300; ++x) image.setPixel(x, y, qRgb(x % 13 * 19, (y / 50) * 60, (x / 7 + y / 50) % 5 * 50));
       return image;
     },
     2, 8},
    {"colour rows alternating with repeated ones",
     [] {
       QImage image(50, 12, QImage::Format_RGB32);
       for (int y = 0; y < 12; ++y)
         for (int x = 0; x < 50; ++x) image.setPixel(x, y, qRgb((x / 3) * 11, (y / 2) * 20, x % 7 * 30));
       return image;
     },
     2, 8},
    {"a 24-bit source", [] { return Bars({5, 5}, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, 4, QImage::Format_RGB888); }, 3, 1},
};

void PrintTo(const PngCase &c, std::ostream *os) { *os << c.name; }

class PngFile : public testing::TestWithParam<PngCase> {};

// Every library and a few levels: the same pixels back from each.
const PngCompression kCompressions[] = {{},
                                         {PngCompression::LibDeflate, 1},
                                         {PngCompression::LibDeflate, 12},
                                         {PngCompression::Zlib, 9}};

TEST_P(PngFile, EveryPixelReadsBackInTheSmallestLayout) {
  QImage source = GetParam().image();
  source.setDotsPerMeterX(11811);
  source.setDotsPerMeterY(3937);
  for (const PngCompression &compression : kCompressions) {
    SCOPED_TRACE(testing::Message() << "library " << compression.library << ", level " << compression.level);
    std::string png;
    QString error;
    ASSERT_TRUE(EncodePng(source, png, &error, compression)) << error.toStdString();

    EXPECT_EQ(static_cast<unsigned char>(png[25]), GetParam().colourType);
    EXPECT_EQ(static_cast<unsigned char>(png[24]), GetParam().bitDepth);
    const int channels = GetParam().colourType == 2 ? 3 : GetParam().colourType == 6 ? 4 : 1;
    const std::size_t rowBytes = (static_cast<std::size_t>(source.width()) * channels * GetParam().bitDepth + 7) / 8;
    const std::string rows = Inflated(png, source.height() * (1 + rowBytes));
    ASSERT_EQ(rows.size(), source.height() * (1 + rowBytes));
    // A row equal to the one above is all zeros under the "up" filter.
    for (int y = 1; y < source.height(); ++y)
      if (source.copy(0, y, source.width(), 1) == source.copy(0, y - 1, source.width(), 1)) {
        EXPECT_EQ(rows[static_cast<std::size_t>(y) * (1 + rowBytes)], 2) << "row " << y;
      }

    const QImage back = QImage::fromData(reinterpret_cast<const uchar *>(png.data()), static_cast<int>(png.size()), "PNG");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), source.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(back.dotsPerMeterX(), 11811);
    EXPECT_EQ(back.dotsPerMeterY(), 3937);
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, PngFile, testing::ValuesIn(kCases), [](const auto &info) {
  std::string name;
  for (const char c : std::string(info.param.name)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

TEST(PngFile, RepeatedRowsCostAlmostNothing) {
  const QImage tall = Bars({3, 1, 2, 5, 1, 9, 4, 4}, Greys(20), 2000);
  std::string png;
  ASSERT_TRUE(EncodePng(tall, png, nullptr));
  // 2000 rows of 30 bytes: a few bytes a row at most, against 60,000 bytes of pixels.
  EXPECT_LT(png.size(), 2000U * 4);
}

struct SymbolCase {
  const char *note;
  TBarTypes type;
  const char *code;
  bool text;
  TColor bar, back;
  int angle;
  bool reverse;
  int scale;
  bool transparent;
};

QImage SymbolImage(const SymbolCase &c) {
  TBarSymbol bar;
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(c.type);
  bar.SetScale(c.scale);
  bar.SetSymbolDisp(c.text);
  bar.SetBarColor(c.bar);
  bar.SetBackColor(c.back);
  bar.SetAngle(c.angle);
  bar.SetReverse(c.reverse);
  bar.SetTransparent(c.transparent);
  bar.SetCommentUp(c.text ? "上の注記" : "");
  bar.SetCode(c.code);
  bar.SetBarEnabled(true);
  return PictureToImage(bar.Picture());
}

// Our files are never larger than Qt's own PNG writer at its defaults (libpng with its
// adaptive filters) of the same pixels, over the symbols people write.
TEST(PngFile, NoLargerThanQtsPngOfTheSamePixels) {
  const SymbolCase cases[] = {
      {"Code 128 with text", cbarCODE128, "PLOMIX-128-TEST", true, clBlack, clWhite, 0, false, 2, false},
      {"Code 128 bars only", cbarCODE128, "PLOMIX-128-TEST", false, clBlack, clWhite, 0, false, 2, false},
      {"coloured", cbarCODE128, "PLOMIX-128-TEST", true, clBlue, 0x80FFFF, 0, false, 2, false},
      {"coloured bars only", cbarCODE39, "COLOURED", false, clRed, 0xE0E0E0, 0, false, 3, false},
      {"turned a quarter", cbarCODE128, "PLOMIX-128-TEST", true, clBlack, clWhite, 90, false, 2, false},
      {"turned half, mirrored", cbarCODE93, "CODE93", true, clBlack, clWhite, 180, true, 2, false},
      {"turned three quarters, coloured", cbarNW7, "A123456B", true, 0x008000, clWhite, 270, false, 2, false},
      {"a big scale", cbarCODE128, "PLOMIX-128-TEST", true, clBlack, clWhite, 0, false, 8, false},
      {"see-through", cbarCODE39, "GLASS", true, clBlack, clWhite, 0, false, 2, true},
      {"JAN", cbarJAN, "490123456789", true, clBlack, clWhite, 0, false, 2, false},
      {"customer barcode", cbarCUSTOMER, "1000001", false, clBlack, clWhite, 0, false, 3, false},
  };
  for (const SymbolCase &c : cases) {
    const QImage image = SymbolImage(c);
    ASSERT_FALSE(image.isNull()) << c.note;
    std::string ours;
    ASSERT_TRUE(EncodePng(image, ours, nullptr)) << c.note;
    QByteArray qt;
    QBuffer buffer(&qt);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "PNG")) << c.note;
    EXPECT_LE(ours.size(), static_cast<std::size_t>(qt.size())) << c.note;
    const QImage back = QImage::fromData(reinterpret_cast<const uchar *>(ours.data()), static_cast<int>(ours.size()), "PNG");
    EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32)) << c.note;
  }
}

}  // namespace
}  // namespace plomix
