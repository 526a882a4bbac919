// Code 39 and NW-7 symbols drawn by TBarImage, read back by zxing-cpp and zbar; turned
// and mirrored pictures are exactly the turned and mirrored pixels.
#include <gtest/gtest.h>

#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

using test::Format;

struct ReadCase {
  const char *note;
  TBarTypes type;
  std::string code;
  bool cd;
  char start, stop;
  std::string expected;  // what a reader reports
};

std::vector<ReadCase> Cases() {
  return {
      {"Code 39 plain", cbarCODE39, "CODE39", false, 'A', 'A', "CODE39"},
      {"Code 39 with check character", cbarCODE39, "ABC", true, 'A', 'A', "ABCX"},
      {"Code 39 with a space", cbarCODE39, "A B-1.", true, 'A', 'A', "A B-1.W"},
      {"Code 39 $/+%", cbarCODE39, "1$/+%2", false, 'A', 'A', "1$/+%2"},
      {"Code 39 long", cbarCODE39, "0123456789ABCDEFGHIJ", true, 'A', 'A', "0123456789ABCDEFGHIJ" "K"},
      {"NW-7 A..B with check", cbarNW7, "123", true, 'A', 'B', "A1239B"},
      {"NW-7 B..C", cbarNW7, "40156", false, 'B', 'C', "B40156C"},
      {"NW-7 C..D punctuation", cbarNW7, "-$:/.+", false, 'C', 'D', "C-$:/.+D"},
      {"NW-7 D..A with check", cbarNW7, "9876543210", true, 'D', 'A', ""},
  };
}

// Expected texts that depend on the check value are computed from the drawn Symbol.
std::string Expected(const ReadCase &c, const TBarImage &bar) {
  if (!c.expected.empty()) return c.expected;
  return bar.Symbol();
}

class ReadBack : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(ReadBack, BothReadersReadEverySymbol) {
  const auto [scale, ratio] = GetParam();
  for (const ReadCase &c : Cases()) {
    TBarImage bar;
    ApplySymbolDesignDefaults(bar);
    bar.SetBarEnabled(false);
    bar.SetBarType(c.type);
    bar.SetCD(c.cd);
    bar.SetStartChar(c.start);
    bar.SetStopChar(c.stop);
    bar.SetScale(static_cast<TSCale>(scale));
    bar.SetElementRatio(static_cast<TElementRatio>(ratio));
    bar.SetCode(c.code);
    bar.SetBarEnabled(true);
    ASSERT_TRUE(bar.BarDisped()) << c.note;
    const QImage &image = bar.Picture().Bitmap();
    std::string expected = Expected(c, bar);
    if (c.type == cbarCODE39) {
      // Readers report the data without the "*" start and stop characters.
      expected = bar.Symbol().substr(1, bar.Symbol().size() - 2);
    }
    const Format format = c.type == cbarCODE39 ? Format::Code39 : Format::Codabar;
    EXPECT_EQ(test::ReadWithZXing(image, format), expected)
        << c.note << " scale " << scale << " ratio " << ratio << " (zxing)";
    EXPECT_EQ(test::ReadWithZbar(image, format), expected)
        << c.note << " scale " << scale << " ratio " << ratio << " (zbar)";
  }
}

INSTANTIATE_TEST_SUITE_P(ScalesAndRatios, ReadBack,
                         ::testing::Combine(::testing::Values(1, 2, 3),
                                            ::testing::Values(20, 25, 30)));

// The same symbol, turned or mirrored, against the pixels of the upright one.
struct TurnCase {
  int angle;
  bool reverse;
};

class TurnedPixels : public ::testing::TestWithParam<TurnCase> {};

QImage Draw(int angle, bool reverse) {
  TBarImage bar;
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(cbarCODE39);
  bar.SetCode("TURN-1");
  bar.SetCommentUp("up");
  bar.SetCommentDown("down");
  bar.SetBarFrame(2);
  bar.SetAngle(angle);
  bar.SetReverse(reverse);
  bar.SetBarEnabled(true);
  EXPECT_EQ(bar.size(), bar.Picture().Bitmap().size());
  return bar.Picture().Bitmap();
}

TEST_P(TurnedPixels, AreTheUprightPixelsTurned) {
  const TurnCase &c = GetParam();
  const QImage upright = Draw(0, false);
  const QImage turned = Draw(c.angle, c.reverse);
  // Qt's rotate is clockwise for positive angles in y-down coordinates.
  QImage expected = upright.transformed(QTransform().rotate(c.angle));
  if (c.reverse) expected = expected.mirrored(true, false);
  EXPECT_EQ(turned.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32))
      << "angle " << c.angle << " reverse " << c.reverse;
}

INSTANTIATE_TEST_SUITE_P(Angles, TurnedPixels,
                         ::testing::Values(TurnCase{90, false}, TurnCase{180, false},
                                           TurnCase{270, false}, TurnCase{0, true},
                                           TurnCase{90, true}, TurnCase{270, true}));

TEST(TurnedPixels, QuarterTurnPutsTheTopOfTheSymbolOnTheRight) {
  const QImage upright = Draw(0, false);
  const QImage turned = Draw(90, false);
  // Pixel (x, y) of the turned picture is pixel (y, h - 1 - x) of the upright one.
  const int h = upright.height();
  for (int y = 0; y < turned.height(); y += 7)
    for (int x = 0; x < turned.width(); x += 3)
      ASSERT_EQ(turned.pixel(x, y), upright.pixel(y, h - 1 - x)) << x << "," << y;
}

}  // namespace
}  // namespace plomix
