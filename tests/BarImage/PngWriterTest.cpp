// PNG files: every pixel reads back through libpng (Qt's reader) and through zlib's own
// inflater, in the smallest layout that holds them.
#include <gtest/gtest.h>
#include <zlib.h>

#include <QImage>
#include <functional>
#include <string>

#include "PictureFiles/PngWriter.h"

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
    {"runs about the longest copy",
     [] {
       std::vector<int> widths;
       for (int w : {1, 2, 3, 4, 257, 258, 259, 260, 261, 262, 516, 517, 518, 600, 5, 6, 7}) widths.push_back(w);
       return Bars(widths, Greys(20), 4);
     },
     0, 8},
    {"colours", [] { return Bars(std::vector<int>(40, 1), {0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFF123456, 0xFF654321, 0xFF111111, 0xFF222222, 0xFF333333, 0xFF444444, 0xFF555555, 0xFF666666, 0xFF777777, 0xFF888888, 0xFF999999, 0xFFAAAAAA, 0xFFBBBBBB, 0xFFCCCCCC}, 6); }, 2, 8},
    {"see-through", [] { return Bars({4, 4, 4}, {0x00000000, 0xFF000000, 0x80FF0000}, 3, QImage::Format_ARGB32); }, 6, 8},
    {"one pixel", [] { return Bars({1}, {qRgb(9, 9, 9)}, 1); }, 3, 1},
    {"one column, repeated rows too short to copy", [] { return Bars({1}, {qRgb(0, 0, 0)}, 30); }, 3, 1},
    {"rows too long to copy back",
     [] {
       std::vector<int> widths{20000, 13000};
       widths.resize(19, 1);
       return Bars(widths, Greys(19), 3);
     },
     0, 8},
    {"a 24-bit source", [] { return Bars({5, 5}, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, 4, QImage::Format_RGB888); }, 3, 1},
};

void PrintTo(const PngCase &c, std::ostream *os) { *os << c.name; }

class PngFile : public testing::TestWithParam<PngCase> {};

TEST_P(PngFile, EveryPixelReadsBackInTheSmallestLayout) {
  QImage source = GetParam().image();
  source.setDotsPerMeterX(11811);
  source.setDotsPerMeterY(3937);
  std::string png;
  QString error;
  ASSERT_TRUE(EncodePng(source, png, &error)) << error.toStdString();

  EXPECT_EQ(static_cast<unsigned char>(png[25]), GetParam().colourType);
  EXPECT_EQ(static_cast<unsigned char>(png[24]), GetParam().bitDepth);
  const int channels = GetParam().colourType == 2 ? 3 : GetParam().colourType == 6 ? 4 : 1;
  const std::size_t rowBytes = (static_cast<std::size_t>(source.width()) * channels * GetParam().bitDepth + 7) / 8;
  EXPECT_EQ(Inflated(png, source.height() * (1 + rowBytes)).size(), source.height() * (1 + rowBytes));

  const QImage back = QImage::fromData(reinterpret_cast<const uchar *>(png.data()), static_cast<int>(png.size()), "PNG");
  ASSERT_FALSE(back.isNull());
  EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), source.convertToFormat(QImage::Format_ARGB32));
  EXPECT_EQ(back.dotsPerMeterX(), 11811);
  EXPECT_EQ(back.dotsPerMeterY(), 3937);
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

}  // namespace
}  // namespace plomix
