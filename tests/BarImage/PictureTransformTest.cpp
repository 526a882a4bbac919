// Quarter turns and mirror of a bitmap: every pixel lands where the turn says, and the
// pixel format, colour table and resolution are kept.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "Symbol/PictureTransform.h"

namespace plomix {
namespace {

QImage Noise(QImage::Format format, int w, int h) {
  QImage image(w, h, format);
  if (format == QImage::Format_Indexed8) image.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50), qRgb(9, 9, 9)});
  if (format == QImage::Format_Mono) image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(2835);
  QRandomGenerator random(42);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (format == QImage::Format_Indexed8) image.setPixel(x, y, random.bounded(3));
      else if (format == QImage::Format_Mono) image.setPixel(x, y, random.bounded(2));
      else image.setPixel(x, y, random.generate() | 0xFF000000u);
    }
  return image;
}

// Where the source pixel (x, y) of a w x h bitmap lands.
QPoint Landing(int angle, bool mirror, int x, int y, int w, int h) {
  if (mirror) return {w - 1 - x, y};
  switch (angle) {
    case 90: return {h - 1 - y, x};
    case 180: return {w - 1 - x, h - 1 - y};
    case 270: return {y, w - 1 - x};
    default: return {x, y};
  }
}

TEST(PictureTransform, MovesEveryPixelAndKeepsTheFormat) {
  for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888,
                                QImage::Format_Indexed8, QImage::Format_Mono}) {
    const QImage source = Noise(format, 13, 7);
    for (int turn : {0, 90, 180, 270, 360}) {
      const bool mirror = turn == 360;
      const QImage result = mirror ? MirrorBitmap(source) : RotateBitmap(source, turn);
      SCOPED_TRACE(testing::Message() << "format " << format << " turn " << turn);
      ASSERT_EQ(result.format(), source.format());
      EXPECT_EQ(result.colorTable(), source.colorTable());
      EXPECT_EQ(result.dotsPerMeterX(), source.dotsPerMeterX());
      EXPECT_EQ(result.dotsPerMeterY(), source.dotsPerMeterY());
      const bool swapped = turn == 90 || turn == 270;
      ASSERT_EQ(result.size(), swapped ? source.size().transposed() : source.size());
      for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
          ASSERT_EQ(result.pixel(Landing(turn, mirror, x, y, source.width(), source.height())),
                    source.pixel(x, y));
    }
  }
}

}  // namespace
}  // namespace plomix
