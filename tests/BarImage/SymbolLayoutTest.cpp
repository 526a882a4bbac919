// The symbol's layout as a value: rectangles, text positions and size for a table of
// settings, with no widget and no canvas.
#include <gtest/gtest.h>

#include "Symbol/SymbolLayout.h"

namespace plomix {
namespace {

using Spans = std::vector<std::pair<int, int>>;

struct LayoutCase {
  const char *note;
  SymbolSettings settings;
  std::string pattern;
  SymbolTextSizes texts;
  // expected
  PixelSize size;
  int barHeight, barWidth, barLength, barLeft, barTop, frame;
  PixelRect frameRect;
  Spans bars;
  PixelPoint symbolText, commentUp, commentDown;
};

SymbolSettings Settings(TBarTypes type, int scale, int ratio, int height, int frame, int up, int down,
                        int left, int right, PixelPoint origin, TLocation upLoc = locLeft,
                        TLocation downLoc = locLeft) {
  SymbolSettings s;
  s.type = type;
  s.scale = scale;
  s.elementRatio = ratio;
  s.barHeight = height;
  s.frame = frame;
  s.spaceUp = up;
  s.spaceDown = down;
  s.spaceLeft = left;
  s.spaceRight = right;
  s.left = origin.x;
  s.top = origin.y;
  s.commentUpLoc = upLoc;
  s.commentDownLoc = downLoc;
  return s;
}

class LaidOut : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LaidOut, PlacesEveryPart) {
  const LayoutCase &c = GetParam();
  SymbolLayout l;
  ASSERT_TRUE(LayoutSymbol(c.settings, c.pattern, c.texts, l)) << c.note;
  EXPECT_EQ(l.size, c.size) << c.note;
  EXPECT_EQ(l.barHeight, c.barHeight) << c.note;
  EXPECT_EQ(l.barWidth, c.barWidth) << c.note;
  EXPECT_EQ(l.barLength, c.barLength) << c.note;
  EXPECT_EQ(l.barLeft, c.barLeft) << c.note;
  EXPECT_EQ(l.barTop, c.barTop) << c.note;
  EXPECT_EQ(l.frame, c.frame) << c.note;
  EXPECT_EQ(l.frameRect, c.frameRect) << c.note;
  Spans bars;
  for (const auto &span : l.bars) bars.emplace_back(span.x, span.width);
  EXPECT_EQ(bars, c.bars) << c.note;
  EXPECT_EQ(l.symbolText, c.symbolText) << c.note;
  EXPECT_EQ(l.commentUp, c.commentUp) << c.note;
  EXPECT_EQ(l.commentDown, c.commentDown) << c.note;
}

// Widths: '0'/'1' one module, '2'/'3' two (stretched by ratio / 20 where the symbology
// uses it), '4'/'5' three; odd digits are bars.
INSTANTIATE_TEST_SUITE_P(
    Table, LaidOut,
    ::testing::Values(
        LayoutCase{"text wider than the bars centres the bars",
                   Settings(cbarCODE39, 2, 25, 50, 0, 5, 6, 3, 4, {10, 20}), "1013",
                   {{20, 12}, {0, 0}, {0, 0}},
                   {27, 61}, 50, 20, 38, 17, 25, 0, PixelRect(), {{17, 2}, {21, 2}, {23, 5}},
                   {13, 63}, {10, 20}, {10, 81}},
        LayoutCase{"bars wider than the text centre the text; no stretch for JAN",
                   Settings(cbarJAN, 1, 30, 40, 0, 0, 0, 10, 10, {0, 0}), "3050301",
                   {{6, 10}, {0, 0}, {0, 0}},
                   {31, 40}, 40, 11, 30, 10, 0, 0, PixelRect(), {{10, 2}, {13, 3}, {17, 2}, {20, 1}},
                   {12, 30}, {0, 0}, {0, 40}},
        LayoutCase{"the bar height is raised to hold the text and six rows of bars",
                   Settings(cbarNW7, 1, 20, 20, 0, 0, 0, 0, 0, {0, 0}), "1",
                   {{1, 30}, {0, 0}, {0, 0}},
                   {1, 36}, 36, 1, 6, 0, 0, 0, PixelRect(), {{0, 1}}, {0, 6}, {0, 0}, {0, 36}},
        LayoutCase{"the frame goes between the comments, which are placed by location",
                   Settings(cbarCODE128, 1, 20, 30, 2, 1, 1, 5, 5, {3, 4}, locRight, locCenter),
                   "1111", {{0, 0}, {8, 10}, {50, 7}},
                   {14, 32}, 30, 4, 30, 8, 5, 2, PixelRect{3, 14, 14, 15},
                   {{8, 1}, {9, 1}, {10, 1}, {11, 1}}, {10, 35}, {9, 4}, {3, 29}},
        LayoutCase{"ITF's frame is a bearer around the bars only, narrowed to fit",
                   Settings(cbarITF, 1, 20, 16, 100, 2, 2, 10, 10, {0, 0}), "10101",
                   {{5, 10}, {0, 0}, {0, 0}},
                   {25, 20}, 16, 5, 6, 10, 2, 2, PixelRect{0, 2, 25, 6},
                   {{10, 1}, {12, 1}, {14, 1}}, {10, 8}, {0, 0}, {0, 20}},
        LayoutCase{"no frame fits a rectangle two rows high",
                   Settings(cbarITF, 1, 20, 2, 5, 0, 0, 0, 0, {0, 0}), "1",
                   {{0, 0}, {0, 0}, {0, 0}},
                   {1, 6}, 6, 1, 6, 0, 0, 0, PixelRect(), {{0, 1}}, {0, 6}, {0, 0}, {0, 6}},
        LayoutCase{"the customer barcode's height follows its scale, not BarHeight",
                   Settings(cbarCUSTOMER, 2, 30, 500, 0, 1, 1, 1, 1, {0, 0}), "007030",
                   {{4, 9}, {0, 0}, {0, 0}},
                   {10, 23}, 21, 8, 12, 1, 1, 0, PixelRect(), {}, {3, 13}, {0, 0}, {0, 23}}));

TEST(SymbolLayout, MovingEqualsLayingOutElsewhere) {
  SymbolSettings s = Settings(cbarCODE128, 2, 20, 30, 3, 4, 5, 6, 7, {0, 0});
  const SymbolTextSizes texts{{9, 8}, {7, 6}, {5, 4}};
  SymbolLayout moved, direct;
  ASSERT_TRUE(LayoutSymbol(s, "103051", texts, moved));
  MoveSymbolLayout(moved, {-11, 13});
  s.left = -11;
  s.top = 13;
  ASSERT_TRUE(LayoutSymbol(s, "103051", texts, direct));
  EXPECT_EQ(moved.Bounds(), direct.Bounds());
  EXPECT_EQ(moved.barLeft, direct.barLeft);
  EXPECT_EQ(moved.barTop, direct.barTop);
  EXPECT_EQ(moved.frameRect, direct.frameRect);
  EXPECT_EQ(moved.symbolText, direct.symbolText);
  EXPECT_EQ(moved.commentUp, direct.commentUp);
  EXPECT_EQ(moved.commentDown, direct.commentDown);
  ASSERT_EQ(moved.bars.size(), direct.bars.size());
  for (std::size_t i = 0; i < moved.bars.size(); ++i) EXPECT_EQ(moved.bars[i].x, direct.bars[i].x);
}

TEST(SymbolLayout, AllZeroCustomerPatternHasNoLayout) {
  SymbolLayout l;
  EXPECT_FALSE(LayoutSymbol(Settings(cbarCUSTOMER, 1, 20, 10, 0, 0, 0, 0, 0, {0, 0}), "0000", {}, l));
}

// A symbol of 30 x 10 asked at (4, 6) on a picture shown 100 x 50.
TEST(SymbolLayout, UnturnedOriginKeepsTheRequestedPlaceAfterTurning) {
  const PixelSize symbol{30, 10}, shown{100, 50};
  EXPECT_EQ(UnturnedOrigin(0, {4, 6}, symbol, shown), (PixelPoint{4, 6}));
  EXPECT_EQ(UnturnedOrigin(90, {4, 6}, symbol, shown), (PixelPoint{6, 100 - 4 - 10}));
  EXPECT_EQ(UnturnedOrigin(180, {4, 6}, symbol, shown), (PixelPoint{100 - 4 - 30, 50 - 6 - 10}));
  EXPECT_EQ(UnturnedOrigin(270, {4, 6}, symbol, shown), (PixelPoint{50 - 6 - 30, 4}));
}

}  // namespace
}  // namespace plomix
