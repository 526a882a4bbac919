// A symbol drawn without Match lands on the picture already there: that picture is turned
// back to upright first and turned again afterwards, mirrored or not.
#include <gtest/gtest.h>

#include "Symbol/TBarSymbol.h"

namespace plomix {
namespace {

struct TurnCase {
  int angle;
  bool reverse;
};

class RedrawOver : public ::testing::TestWithParam<TurnCase> {};

// Bars only (no text, whose blended edges would darken when drawn twice): the transparent
// drawing of the same symbol over its own opaque picture must leave it unchanged.
TEST_P(RedrawOver, TransparentRedrawOfTheSameSymbolChangesNothing) {
  const TurnCase &c = GetParam();
  TBarSymbol bar;
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetBarType(cbarCODE39);
  bar.SetSymbolDisp(false);
  bar.SetBarFrame(2);          // a frame and an uneven quiet zone make every turn differ
  bar.SetBarSpaceLeft(3);
  bar.SetBarSpaceRight(17);
  bar.SetBarSpaceUp(5);
  bar.SetBarHeight(40);
  bar.SetAngle(c.angle);
  bar.SetReverse(c.reverse);
  bar.SetCode("A1");
  bar.SetBarEnabled(true);
  ASSERT_TRUE(bar.BarDisped());
  const QImage opaque = bar.Picture().Bitmap().copy();

  bar.SetTransparent(true);
  ASSERT_TRUE(bar.BarDisped());
  const QImage &redrawn = bar.Picture().Bitmap();
  ASSERT_EQ(redrawn.size(), opaque.size());
  EXPECT_EQ(QSize(bar.Width(), bar.Height()), opaque.size());
  EXPECT_TRUE(redrawn == opaque) << "angle " << c.angle << (c.reverse ? " mirrored" : "")
                                 << ": the old picture came back turned another way";
}

INSTANTIATE_TEST_SUITE_P(Cases, RedrawOver,
                         ::testing::Values(TurnCase{0, false}, TurnCase{0, true}, TurnCase{90, false},
                                           TurnCase{90, true}, TurnCase{180, false}, TurnCase{180, true},
                                           TurnCase{270, false}, TurnCase{270, true}));

}  // namespace
}  // namespace plomix
