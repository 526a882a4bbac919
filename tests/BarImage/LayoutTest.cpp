// Layout and bitmap drawing of TBarImage: element widths, heights raised by the text,
// offsets, positions for each angle, frame and comments.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "Symbol/SymbolDefaults.h"
#include "Encoders/SymbologyTable.h"
#include "BarImage/TBarImage.h"
#include "tests/BarImage/BitmapProbe.h"

namespace plomix {
namespace {

using test::ColorSpan;
using test::ColumnSpan;
using test::RowRuns;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

// Text height of the component's font on its own picture.
int TextHeight(const TBarImage &bar) {
  return QFontMetrics(bar.BarFont()->Font, &bar.Picture().BitmapOrNull()[0]).height();
}
int TextWidth(const TBarImage &bar, const QString &text) {
  return QFontMetrics(bar.BarFont()->Font, &bar.Picture().BitmapOrNull()[0]).horizontalAdvance(text);
}

void Show(TBarImage &bar, TBarTypes type, const std::string &code) {
  bar.SetBarEnabled(false);
  bar.SetBarType(type);
  bar.SetCode(code);
  bar.SetBarEnabled(true);
}

struct WidthCase {
  const char *note;
  TBarTypes type;
  char digit;
  int scale, ratio, width;
};

class ElementWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(ElementWidths, FollowScaleAndRatio) {
  const WidthCase &c = GetParam();
  EXPECT_EQ(ElementWidth(c.digit, c.scale, c.ratio, Symbology(c.type).usesElementRatio), c.width)
      << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ElementWidths,
    ::testing::Values(WidthCase{"wide at 2 x 2.5", cbarCODE39, '3', 2, 25, 5},
                      WidthCase{"narrow ignores ratio", cbarCODE39, '1', 2, 25, 2},
                      WidthCase{"JAN never stretches", cbarJAN, '3', 2, 25, 4},
                      WidthCase{"Code 128 never stretches", cbarCODE128, '7', 1, 30, 4},
                      WidthCase{"ratio 30 triples", cbarNW7, '2', 1, 30, 3},
                      WidthCase{"truncates: 1 x 2 x 21 / 20", cbarITF, '3', 1, 21, 2},
                      WidthCase{"truncates: 3 x 2 x 27 / 20 = 8.1", cbarNEC, '2', 3, 27, 8},
                      WidthCase{"five modules", cbarMATRIX, '9', 2, 20, 10},
                      WidthCase{"five modules stretched", cbarCTF, '8', 2, 30, 15},
                      WidthCase{"customer reads digits otherwise", cbarCUSTOMER, '3', 2, 30, 4}));

class DrawnSymbol : public ::testing::Test {
 protected:
  TBarImage bar;
  void SetUp() override {
    bar.resize(100, 100);
    bar.SetMatch(true);
  }
};

TEST_F(DrawnSymbol, BarsFollowThePatternWithRatioAndScale) {
  bar.SetBarEnabled(false);
  bar.SetScale(2);
  bar.SetElementRatio(25);
  bar.SetSymbolDisp(false);
  bar.SetBarSpaceLeft(3);
  bar.SetBarSpaceRight(4);
  Show(bar, cbarCODE39, "A");
  const QImage &image = bar.Picture().Bitmap();
  // Expected runs from the pattern: '1' 2 px, '3' 5 px, spaces likewise.
  std::vector<test::Run> expected{{false, 3}};
  for (char d : bar.Pattern()) {
    const bool isBar = (d - '0') % 2 == 1;
    const int w = d <= '1' ? 2 : 5;
    if (expected.back().bar == isBar) expected.back().length += w;
    else expected.push_back({isBar, w});
  }
  expected.back().length += 4;  // the pattern ends with a gap, then the right margin
  EXPECT_EQ(RowRuns(image, 10), expected);
  EXPECT_EQ(bar.BarWidth(), bar.Width() - 7);
}

TEST_F(DrawnSymbol, BarHeightIsRaisedToTheTextHeightPlusSix) {
  bar.SetBarEnabled(false);
  bar.SetSymbolDisp(false);
  bar.SetBarHeight(3);
  Show(bar, cbarCODE39, "1");
  EXPECT_EQ(bar.BarHeight(), 6);
  EXPECT_EQ(ColumnSpan(bar.Picture().Bitmap(), 10, kBlack), std::make_pair(0, 5));

  TFont big = *bar.BarFont();
  big.Font.setPixelSize(20);
  bar.SetBarEnabled(false);
  bar.SetBarFont(&big);
  bar.SetSymbolDisp(true);
  bar.SetBarHeight(10);
  bar.SetBarEnabled(true);
  const int th = TextHeight(bar);
  EXPECT_EQ(bar.BarHeight(), th + 6);
  EXPECT_EQ(bar.Height(), th + 6);
  EXPECT_EQ(ColumnSpan(bar.Picture().Bitmap(), 10, kBlack).first, 0);
  // The bars are six rows long; below them only text.
  for (int y = 0; y < 6; ++y) EXPECT_EQ(bar.Picture().Bitmap().pixel(10, y), kBlack) << y;
}

TEST_F(DrawnSymbol, TextWiderThanTheBarsCentresTheBars) {
  bar.SetBarEnabled(false);
  bar.SetBarSpaceLeft(0);
  bar.SetBarSpaceRight(0);
  TFont big = *bar.BarFont();
  big.Font.setPixelSize(40);
  bar.SetBarFont(&big);
  Show(bar, cbarCODE39, "1");
  const int tw = TextWidth(bar, QStringLiteral("*1*"));
  int pw = 0;
  for (char d : bar.Pattern()) pw += ElementWidth(d, 1, 20, true);
  ASSERT_GT(tw, pw);
  EXPECT_EQ(bar.BarWidth(), tw);
  EXPECT_EQ(ColorSpan(bar.Picture().Bitmap(), 2, kBlack).first, (tw - pw) / 2);
}

TEST_F(DrawnSymbol, MatchSizesTheControlToTheSymbolPlusItsPosition) {
  bar.SetBarEnabled(false);
  bar.SetBarLeft(5);
  bar.SetBarTop(5);
  bar.SetBackColor(RGBToColor(0, 255, 0));
  Show(bar, cbarCODE39, "AB");
  const int W = 10 + bar.BarWidth() + 10, H = bar.BarHeight();
  EXPECT_EQ(bar.Width(), 5 + W);
  EXPECT_EQ(bar.Height(), 5 + H);
  const QImage &image = bar.Picture().Bitmap();
  EXPECT_EQ(image.size(), bar.size());
  EXPECT_EQ(image.pixel(0, 0), 0xFF00FF00u) << "the strip is filled with BackColor too";
  EXPECT_EQ(image.pixel(bar.Width() - 1, 2), 0xFF00FF00u);
  EXPECT_EQ(ColorSpan(image, 10, kBlack).first, 5 + 10);
}

TEST_F(DrawnSymbol, QuarterTurnSwapsTheControlSize) {
  Show(bar, cbarCODE39, "ABC");
  const QSize upright = bar.size();
  bar.SetAngle(90);
  EXPECT_EQ(bar.size(), upright.transposed());
  EXPECT_EQ(bar.Picture().Bitmap().size(), upright.transposed());
  bar.SetAngle(180);
  EXPECT_EQ(bar.size(), upright);
}

// Match off: the symbol is drawn at the requested place of the turned picture.
struct PositionCase {
  int angle;
  QPoint requested;
};

// A 300 x 200 control without Match: a Code 39 symbol 80 high, no text, no side margins,
// at `requested` after a turn by `angle`.
void DrawPlaced(TBarImage &bar, const std::string &code, int angle, QPoint requested,
                TColor background = clWhite) {
  bar.resize(300, 200);
  bar.SetBarEnabled(false);
  bar.SetBackColor(background);
  bar.SetSymbolDisp(false);
  bar.SetBarSpaceLeft(0);
  bar.SetBarSpaceRight(0);
  bar.SetBarHeight(80);
  bar.SetBarType(cbarCODE39);
  bar.SetCode(code);
  bar.SetAngle(angle);
  bar.SetBarLeft(requested.x());
  bar.SetBarTop(requested.y());
  bar.SetBarEnabled(true);
}

class PositionWithoutMatch : public ::testing::TestWithParam<PositionCase> {};

TEST_P(PositionWithoutMatch, LandsAtTheRequestedPlaceAfterTheTurn) {
  const PositionCase &c = GetParam();
  TBarImage bar;
  DrawPlaced(bar, "12", c.angle, c.requested, RGBToColor(255, 0, 0));
  ASSERT_TRUE(bar.BarDisped());
  EXPECT_EQ(bar.BarLeft(), c.requested.x()) << "the caller's position comes back";
  EXPECT_EQ(bar.BarTop(), c.requested.y());
  const QImage &image = bar.Picture().Bitmap();
  const bool quarter = c.angle == 90 || c.angle == 270;
  const QSize shown = quarter ? QSize(bar.BarHeight(), bar.BarWidth()) : QSize(bar.BarWidth(), bar.BarHeight());
  // The red background rectangle of the new symbol sits at the requested place.
  const QRect expected(c.requested, shown);
  EXPECT_NE(image.pixel(expected.topLeft()), kWhite);
  EXPECT_NE(image.pixel(expected.bottomRight()), kWhite);
  EXPECT_EQ(image.pixel(expected.right() + 1, expected.bottom() + 1), kWhite)
      << "nothing drawn beyond the symbol's corner";
  EXPECT_EQ(image.pixel(expected.left() - 1, expected.top() - 1), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Angles, PositionWithoutMatch,
                         ::testing::Values(PositionCase{0, {10, 20}}, PositionCase{90, {10, 20}},
                                           PositionCase{180, {30, 7}}, PositionCase{270, {12, 15}}));

TEST(LayoutWorkedExample, QuarterTurnWithoutMatchDrawsAtTheConvertedPosition) {
  // Control 300 x 200 at angle 90: the symbol at (10, 20) after the turn lies at
  // (20, 300 - 10 - H) in the 200 x 300 unrotated picture.
  TBarImage bar;
  DrawPlaced(bar, "1", 90, QPoint(10, 20));
  // Turn the picture back and look for the first bar.
  QImage upright = bar.Picture().Bitmap().transformed(QTransform().rotate(-90));
  EXPECT_EQ(upright.size(), QSize(200, 300));
  EXPECT_EQ(ColorSpan(upright, 300 - 10 - 80, kBlack).first, 20);
  EXPECT_EQ(ColumnSpan(upright, 20, kBlack), std::make_pair(300 - 10 - 80, 300 - 10 - 1));
}

struct FrameCase {
  const char *note;
  int height;          // BarHeight (no text: the frame rectangle is this high)
  int frame;           // requested BarFrame
  int expected;        // BarFrame afterwards
};

class FrameLowering : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameLowering, FrameIsLoweredToFit) {
  const FrameCase &c = GetParam();
  TBarImage bar;
  bar.resize(100, 100);
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetSymbolDisp(false);
  bar.SetBarHeight(c.height);
  bar.SetBarSpaceLeft(40);
  bar.SetBarSpaceRight(40);
  bar.SetBarFrame(static_cast<TFrameSize>(c.frame));
  Show(bar, cbarCODE39, "ABCDEF");
  EXPECT_EQ(bar.BarFrame(), c.expected) << c.note;
  bar.SetBarFrame(bar.BarFrame());
  EXPECT_EQ(bar.BarFrame(), c.expected) << c.note << ": it stays lowered";
  if (c.expected > 0) {
    const QImage &image = bar.Picture().Bitmap();
    const int F = c.expected, W = bar.Width(), H = bar.Height();
    // Bands of F pixels on all four sides, inside the quiet zones.
    EXPECT_EQ(image.pixel(F, F), kWhite) << c.note;
    EXPECT_EQ(image.pixel(F - 1, F), kBlack) << c.note;
    EXPECT_EQ(image.pixel(F, F - 1), kBlack) << c.note;
    EXPECT_EQ(image.pixel(W - 1 - F, H - 1 - F), kWhite) << c.note;
    EXPECT_EQ(image.pixel(W - F, H - 1 - F), kBlack) << c.note;
    EXPECT_EQ(image.pixel(W - 1 - F, H - F), kBlack) << c.note;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameLowering,
    ::testing::Values(FrameCase{"30 high: 15 - 1 = 14", 30, 100, 14},
                      FrameCase{"fits as asked", 30, 3, 3},
                      FrameCase{"6 high: m = 2", 6, 50, 2},
                      FrameCase{"4 high is raised to 6: m = 2", 4, 9, 2}));

TEST(FrameLowering, TooSmallRectangleSwitchesTheFrameOff) {
  TBarImage bar;
  bar.resize(100, 100);
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetSymbolDisp(false);
  bar.SetBarHeight(6);
  bar.SetBarSpaceUp(0);
  bar.SetBarSpaceDown(0);
  bar.SetBarFrame(5);
  // A lower comment taller than the symbol leaves no room between the comments.
  TFont big = *bar.BarFont();
  big.Font.setPixelSize(30);
  bar.SetBarFont(&big);
  bar.SetBarSpaceDown(1);
  bar.SetCommentDown("x");
  Show(bar, cbarCODE39, "1");
  EXPECT_EQ(bar.BarFrame(), 0);
}

struct CommentCase {
  const char *note;
  TLocation loc;
  const char *text;
};

class CommentPlacement : public ::testing::TestWithParam<CommentCase> {};

TEST_P(CommentPlacement, CommentsSitInTheMargins) {
  const CommentCase &c = GetParam();
  TBarImage bar;
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetCommentUpLoc(c.loc);
  bar.SetCommentDownLoc(c.loc);
  bar.SetCommentUp(c.text);
  bar.SetCommentDown(c.text);
  bar.SetBarSpaceUp(20);
  bar.SetBarSpaceDown(20);
  bar.SetSymbolDisp(false);
  Show(bar, cbarCODE39, "1");
  const QImage &image = bar.Picture().Bitmap();
  const QFontMetrics metrics(bar.BarFont()->Font, &image);
  const int w = metrics.horizontalAdvance(QString::fromLatin1(c.text));
  const int W = bar.Width();
  int a = c.loc == locLeft ? 0 : c.loc == locCenter ? (W - w) / 2 : W - w;
  if (a < 0) a = 0;
  const QRect up = test::InkOutside(image, kBlack, kWhite, QRect(0, 0, W, 20));
  const QRect down = test::InkOutside(image, kBlack, kWhite, QRect(0, bar.Height() - 20, W, 20));
  ASSERT_FALSE(up.isEmpty()) << c.note;
  ASSERT_FALSE(down.isEmpty()) << c.note;
  // Ink starts at or just right of the pen position (side bearing).
  EXPECT_GE(up.left(), a) << c.note;
  EXPECT_LE(up.left(), a + 3) << c.note;
  EXPECT_GE(down.left(), a) << c.note;
  EXPECT_LE(down.left(), a + 3) << c.note;
  // The upper comment starts at the very top; the lower ends at the last row.
  EXPECT_LT(up.top(), metrics.ascent()) << c.note;
  EXPECT_GE(down.top(), bar.Height() - metrics.height()) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Locations, CommentPlacement,
    ::testing::Values(CommentCase{"left", locLeft, "LEFT"}, CommentCase{"centre", locCenter, "MID"},
                      CommentCase{"right", locRight, "RIGHT"},
                      CommentCase{"wider than the symbol: clamped to 0", locRight,
                                  "A VERY LONG COMMENT WIDER THAN THE SYMBOL"}));

TEST(MetafileSize, IsOnePixelLargerThanTheSymbol) {
  TBarImage bar;
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarLeft(3);
  bar.SetBarTop(4);
  bar.SetBarPicture(picEMF);
  Show(bar, cbarCODE39, "ABC");
  ASSERT_TRUE(bar.Picture().IsMetafile());
  const int W = bar.BarSpaceLeft() + bar.BarWidth() + bar.BarSpaceRight();
  const int H = bar.BarSpaceUp() + bar.BarHeight() + bar.BarSpaceDown();
  EXPECT_EQ(bar.size(), QSize(3 + W, 4 + H));
  EXPECT_EQ(bar.Picture().Size(), QSize(3 + W + 1, 4 + H + 1));
}

}  // namespace
}  // namespace plomix

namespace plomix {
namespace {

TEST(BearerFrame, EnclosesTheBarsAndQuietZonesButNotTheText) {
  TBarImage bar;
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(cbarITF);
  bar.SetBarFrame(3);
  bar.SetCode("1234567890");
  bar.SetBarEnabled(true);
  ASSERT_TRUE(bar.BarDisped());
  const QImage &image = bar.Picture().Bitmap();
  const int top = bar.BarSpaceUp();
  const int th = QFontMetrics(bar.BarFont()->Font, &image).height();
  const int barLength = bar.BarHeight() - th;
  // Rows top .. top + 2 are the top band across the whole width, quiet zones included.
  for (int y = top; y < top + 3; ++y) {
    EXPECT_EQ(image.pixel(0, y), kBlack) << y;
    EXPECT_EQ(image.pixel(bar.Width() - 1, y), kBlack) << y;
  }
  EXPECT_EQ(image.pixel(5, top - 1), kWhite) << "above the bars: outside the frame";
  EXPECT_EQ(image.pixel(5, top + 3), kWhite) << "inside the quiet zone";
  EXPECT_EQ(image.pixel(1, top + 3), kBlack) << "the left band";
  // The bottom band covers the last three rows of the bars; the text lies below it.
  EXPECT_EQ(image.pixel(5, top + barLength - 1), kBlack);
  EXPECT_EQ(image.pixel(5, top + barLength), kWhite);
}

}  // namespace
}  // namespace plomix

namespace plomix {
namespace {

TEST(ZeroSizedControl, MeasuresTextAsAControlWithAPicture) {
  auto heightOf = [](QSize start) {
    TBarImage bar;
    bar.resize(start);
    bar.SetBarEnabled(false);
    bar.SetMatch(true);
    TFont font = *bar.BarFont();
    font.Font.setPointSize(12);  // points depend on the resolution of what measures them
    bar.SetBarFont(&font);
    bar.SetBarHeight(0);
    bar.SetBarType(cbarCODE39);
    bar.SetCode("A");
    bar.SetBarEnabled(true);
    EXPECT_TRUE(bar.BarDisped());
    return bar.BarHeight();
  };
  const int usual = heightOf(QSize(100, 100));
  EXPECT_GT(usual, 6) << "the text height is part of the raised bar height";
  EXPECT_EQ(heightOf(QSize(0, 0)), usual);
}

}  // namespace
}  // namespace plomix
