// The symbol on whole dots in a plain-paper cell: the nearest whole number of dots a
// module when that fits the cell the pagination gives, fewer when it does not, never
// below one dot.
#include <gtest/gtest.h>

#include "BarImage/TBarImage.h"
#include "Print/SymbolCells.h"
#include "Symbol/SymbolDefaults.h"

namespace plomix {
namespace {

TEST(SymbolCells, TheModuleIsTheNearestWholeDotsThatFitTheCell) {
  struct Row { int dpi, percent, module; bool fits; const char *note; };
  const Row rows[] = {
      {600, 100, 6, true, "6.25 dots asked: 6 is nearest"},
      {300, 100, 3, true, "3.125: 3"},
      {600, 64, 4, true, "exactly 4.0: the drawing is as large as its cell"},
      {1200, 100, 12, true, "12.5 rounds to 13, which overflows the cell: 12"},
      {720, 100, 7, true, "7.5 rounds to 8, too large: 7"},
      {150, 100, 1, true, "1.5625 rounds to 2, too large: 1"},
      {300, 10, 1, false, "0.3125: never below one dot, larger than its cell"},
  };
  TBarImage bar;
  ApplySymbolDesignDefaults(bar);
  bar.SetBarType(cbarCODE128);
  bar.SetCode("CELL-1");
  ASSERT_TRUE(bar.BarDisped());
  for (const Row &row : rows) {
    const TPrintMetrics metrics{row.dpi, row.dpi, 96, 96, 10000, 10000, row.percent};
    const TDotDrawing drawing = SymbolOnDots(bar, metrics);
    const QSize cell = PrinterCellSize(bar, metrics);
    EXPECT_EQ(drawing.Module.X, row.module) << row.note;
    const bool fits = drawing.TurnedSize().width() <= cell.width() && drawing.TurnedSize().height() <= cell.height();
    EXPECT_EQ(fits, row.fits) << row.note << ": " << drawing.TurnedSize().width() << " in " << cell.width();
  }
}

}  // namespace
}  // namespace plomix
