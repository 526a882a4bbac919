// Symbols drawn on whole printer dots, shrunk to their label and placed in it.
#include <gtest/gtest.h>

#include <map>

#include "Encoders/SymbologyTable.h"
#include "Symbol/TBarSymbol.h"
#include "Labels/DotDrawing.h"
#include "Labels/LabelPlacement.h"
#include "Labels/SheetTable.h"

namespace plomix {
namespace {

TEST(ModuleDots, TheWholeNumberNearestTheAskedSizeNeverBelowOne) {
  const struct {
    int scale, deviceDpi, screenDpi, percent, dots;
    const char *note;
  } rows[] = {
      {1, 600, 96, 100, 6, "6.25 dots, stretched it came out 6 or 7"},
      {2, 600, 96, 100, 13, "12.5 rounds up"},
      {1, 1200, 96, 160, 20, "exactly 20"},
      {1, 300, 96, 100, 3, "3.125"},
      {1, 300, 96, 10, 1, "0.31 dots: still one dot"},
      {3, 600, 96, 37, 7, "6.94"},
      {1, 600, 0, 100, 1, "no screen resolution: one dot"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    EXPECT_EQ(NearestModuleDots(TargetModuleDots(r.scale, r.deviceDpi, r.screenDpi, r.percent)), r.dots);
  }
}

// A symbol drawn as the program draws it.
struct Drawn {
  std::unique_ptr<TBarSymbol> bar = std::make_unique<TBarSymbol>();
  TSnapSource source;
};

Drawn DrawSymbol(TBarTypes type, const std::string &code, int scale, int ratio = 20, int angle = 0) {
  Drawn d;
  TBarSymbol &bar = *d.bar;
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetBarType(type);
  bar.SetScale(static_cast<TSCale>(scale));
  bar.SetElementRatio(static_cast<TElementRatio>(ratio));
  bar.SetAngle(angle);
  bar.SetBarHeight(60);
  bar.SetCode(code);
  bar.SetBarEnabled(true);
  d.source = SnapSourceOf(bar);
  return d;
}

// The widths of the pattern's dark elements in pixels, as the symbol drew them.
std::vector<int> PatternBarPixels(const TBarSymbol &bar) {
  std::vector<int> widths;
  const SymbologyInfo &info = Symbology(bar.BarType());
  for (char digit : bar.Pattern())
    if ((digit - '0') % 2 == 1) widths.push_back(ElementWidth(digit, bar.Scale(), bar.ElementRatio(), info.usesElementRatio));
  return widths;
}

// Every bar of one width in pixels comes out as one width in dots, and a bar of n modules
// is n times the module (the ratio symbologies' wide bars: the nearest dot to their share).
TEST(DotDrawing, BarsOfOneWidthAreAlikeAndWholeModules) {
  const struct {
    TBarTypes type;
    const char *code;
    int scale, ratio, moduleDots;
    const char *note;
  } rows[] = {
      {cbarJAN, "490123456789", 1, 20, 6, "JAN at 600 dpi"},
      {cbarJAN, "490123456789", 2, 20, 13, "two pixels a module, 13 dots"},
      {cbarCODE128, "PLX-0001", 1, 20, 3, "Code 128 at 300 dpi"},
      {cbarCODE39, "ABC-123", 2, 25, 5, "wide bars 2.5 modules: 12 or 13 dots, never both"},
      {cbarNW7, "A1234A", 3, 22, 7, "ratio 2.2 at three pixels"},
      {cbarCODE93, "CODE93", 1, 20, 1, "one dot a module"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    const Drawn d = DrawSymbol(r.type, r.code, r.scale, r.ratio);
    ASSERT_TRUE(d.bar->BarDisped());
    const TDotDrawing dots = DrawOnDots(d.source, {r.moduleDots, r.moduleDots});
    const std::vector<int> pixels = PatternBarPixels(*d.bar);
    ASSERT_EQ(dots.Bars.size(), pixels.size());
    std::map<int, std::set<int>> dotsOfPixels;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
      dotsOfPixels[pixels[i]].insert(dots.Bars[i].width());
      if (pixels[i] % r.scale == 0) {
        EXPECT_EQ(dots.Bars[i].width(), pixels[i] / r.scale * r.moduleDots) << i;
      }
    }
    for (const auto &[px, widths] : dotsOfPixels) EXPECT_EQ(widths.size(), 1u) << px << " pixels";
    // The bars stand in the order drawn, none overlapping (a pattern may put two side by side).
    for (std::size_t i = 1; i < dots.Bars.size(); ++i) EXPECT_GT(dots.Bars[i].left(), dots.Bars[i - 1].right());
    // The texts are still text, not pixels.
    EXPECT_FALSE(dots.Texts.empty());
  }
}

TEST(DotDrawing, ATurnedSymbolIsTurnedWhole) {
  const Drawn upright = DrawSymbol(cbarCODE128, "TURN", 1, 20, 0);
  const Drawn turned = DrawSymbol(cbarCODE128, "TURN", 1, 20, 90);
  const TDotDrawing a = DrawOnDots(upright.source, {4, 4}), b = DrawOnDots(turned.source, {4, 4});
  EXPECT_EQ(a.Size, b.Size);
  EXPECT_EQ(b.TurnedSize(), a.Size.transposed());
}

// A label narrower than the symbol takes fewer dots a module, the most that fit.
TEST(FitDrawing, ShrinksByWholeDotsToTheLargestModuleThatFits) {
  const Drawn d = DrawSymbol(cbarJAN, "490123456789", 1);
  const QSize at6 = DrawOnDots(d.source, {6, 6}).Size, at4 = DrawOnDots(d.source, {4, 4}).Size;
  const QSize at1 = DrawOnDots(d.source, {1, 1}).Size;
  const struct {
    QSize room;
    int moduleX;
    bool shrunk, clipped;
    const char *note;
  } rows[] = {
      {QSize(1000, 1000) + at6, 6, false, false, "room enough: as asked"},
      {at6, 6, false, false, "exactly the symbol"},
      {at6 - QSize(1, 0), 5, true, false, "one dot too narrow: a dot less a module"},
      {QSize(at4.width(), at6.height()), 4, true, false, "room for four dots a module"},
      {QSize(at1.width() - 1, 2000), 1, true, true, "not even one dot fits: cut"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    const TFittedDrawing fitted = FitDrawing(d.source, {6, 6}, r.room);
    EXPECT_EQ(fitted.Drawing.Module.X, r.moduleX);
    EXPECT_EQ(fitted.Shrunk, r.shrunk);
    EXPECT_EQ(fitted.Clipped, r.clipped);
    if (!r.clipped) {
      EXPECT_LE(fitted.Drawing.Size.width(), r.room.width());
    }
  }
  // Too low only: the bars get shorter, the module stays.
  const TFittedDrawing low = FitDrawing(d.source, {6, 6}, QSize(at6.width(), at6.height() / 2));
  EXPECT_EQ(low.Drawing.Module.X, 6);
  EXPECT_LE(low.Drawing.Size.height(), at6.height() / 2);
  EXPECT_TRUE(low.Shrunk);
}

TEST(LabelPlacement, LabelsOnDotsMoveByTheOffsetsAndSymbolsSitInTheirMiddle) {
  const TLabelSheet &sheet = *FindSheet(QStringLiteral("A4 24面 70×37mm"));
  const struct {
    int index, dpi;
    TPrinterOffset offset;
    QRect label;
    const char *note;
  } rows[] = {
      {0, 600, {0, 0}, QRect(0, 12, 1654, 874), "0.5 mm top margin = 11.8 dots; 70 mm = 1653.5"},
      {4, 600, {0, 0}, QRect(1654, 886, 1653, 874), "second row, second column: 70..140 mm, 37.5..74.5 mm"},
      {0, 600, {1270, -508}, QRect(30, 0, 1654, 874), "1.27 mm = 30 dots right, 0.508 mm = 12 up"},
      {23, 300, {0, 0}, QRect(1654, 3065, 826, 437), "the last label at 300 dpi: 140..210 mm, 259.5..296.5 mm"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    EXPECT_EQ(LabelRectDots(sheet, r.index, r.dpi, r.dpi, r.offset), r.label);
  }
  const QRect label(100, 200, 1654, 874);
  EXPECT_EQ(PlaceInLabel(label, QSize(654, 274)), QPoint(600, 500));
  EXPECT_EQ(PlaceInLabel(label, QSize(654, 274), locLeft, locRight), QPoint(100, 800));
}

}  // namespace
}  // namespace plomix
