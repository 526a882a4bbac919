// The widget shows a metafile picture exactly as it shows the bitmap of the same symbol.
#include <gtest/gtest.h>

#include "tests/support/MetafileTestSymbols.h"

namespace plomix::test {
namespace {

TEST(MetafileWidget, ShowsTheSamePixelsAsTheBitmap) {
  for (const MetafileSymbolCase &c : kMetafileSymbols) {
    const auto bitmapBar = MakeFramedSymbol(c, picBMP, 2);
    const auto metaBar = MakeFramedSymbol(c, picEMF, 2);
    ASSERT_TRUE(metaBar->Picture().IsMetafile()) << c.note;
    ASSERT_EQ(metaBar->size(), bitmapBar->size()) << c.note;
    const QImage shownBitmap = bitmapBar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage shownMetafile = metaBar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shownMetafile.size(), shownBitmap.size()) << c.note;
    int differing = 0;
    for (int y = 0; y < shownBitmap.height(); ++y)
      for (int x = 0; x < shownBitmap.width(); ++x)
        if (shownBitmap.pixel(x, y) != shownMetafile.pixel(x, y)) ++differing;
    EXPECT_EQ(differing, 0) << c.note;
    EXPECT_EQ(ReadWithZXing(shownMetafile, c.format), c.read) << c.note;
  }
}

}  // namespace
}  // namespace plomix::test
