// The report text from measured values: the pixel and millimetre lines of the screen,
// the printed symbol and the paper (the whole text is checked where copy hands it over).
#include <QStringList>
#include <gtest/gtest.h>

#include "BarSize/SizeReport.h"
#include "Common/ShiftJis.h"

namespace plomix {
namespace {

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

// The report's lines, CR LF taken off; index 0 is the empty first line.
QStringList Lines(const TSizeMeasures &m) {
  return SjisToUnicode(SizeReportText(m)).split(QStringLiteral("\r\n"));
}
enum { kScreenPixels = 2, kScreenMm = 3, kPrintedPixels = 6, kPrintedMm = 7, kPaperPixels = 10, kPaperMm = 11 };

TSizeMeasures At(int sx, int px, int s, int q = 100) {
  TSizeMeasures m;
  m.BarWidth = 100;
  m.BarHeight = 50;
  m.ScreenDpiX = m.ScreenDpiY = sx;
  m.PrinterDpiX = m.PrinterDpiY = px;
  m.PrintScale = s;
  m.PrinterScale = q;
  m.PaperWidth = 4961;  // A4 at 600 dpi
  m.PaperHeight = 7016;
  return m;
}

struct Row {
  const char *note;
  TSizeMeasures m;
  int line;
  const char *expected;
};

TEST(SizeReport, FiguresLineByLine) {
  TSizeMeasures wide = At(96, 600, 100);
  wide.PrinterDpiX = 612;  // 100 * 612 / 96 = 637.5, a half below an even number
  TSizeMeasures noScreen = At(0, 600, 100);
  const Row rows[] = {
      {"100 x 50 at 96 dpi", At(96, 96, 100), kScreenPixels, "    100×50 pixel"},
      {"100 x 50 at 96 dpi", At(96, 96, 100), kScreenMm, "    26.46×13.23 mm"},
      {"600 dpi: 312.5 goes to the even 312", At(96, 600, 100), kPrintedPixels, "    625×312 pixel"},
      {"600 dpi: printed size equals the screen's", At(96, 600, 100), kPrintedMm, "    26.46×13.23 mm"},
      {"637.5 goes to the even 638", wide, kPrintedPixels, "    638×312 pixel"},
      {"s = 200 doubles the printed pixels", At(96, 600, 200), kPrintedPixels, "    1250×625 pixel"},
      {"s = 200 doubles the printed millimetres", At(96, 600, 200), kPrintedMm, "    52.92×26.46 mm"},
      {"s = 200 leaves the screen alone", At(96, 600, 200), kScreenMm, "    26.46×13.23 mm"},
      {"A4 at 600 dpi", At(96, 600, 100), kPaperPixels, "    4961×7016 pixel"},
      {"A4 at 600 dpi", At(96, 600, 100), kPaperMm, "    210.02×297.01 mm"},
      {"q = 50 halves printed millimetres", At(96, 600, 100, 50), kPrintedMm, "    13.23×6.61 mm"},
      {"q = 50 halves the paper", At(96, 600, 100, 50), kPaperMm, "    105.01×148.51 mm"},
      {"q = 50 leaves the printed pixels", At(96, 600, 100, 50), kPrintedPixels, "    625×312 pixel"},
      {"no screen resolution: zeros, not infinity", noScreen, kScreenMm, "    0.00×0.00 mm"},
      {"no screen resolution: zeros, not infinity", noScreen, kPrintedPixels, "    0×0 pixel"},
  };
  for (const Row &row : rows) {
    const QStringList lines = Lines(row.m);
    ASSERT_GT(lines.size(), row.line) << row.note;
    EXPECT_EQ(lines[row.line], U(row.expected)) << row.note;
  }
}

TEST(SizeReport, RoundsHalvesToEven) {
  const std::pair<double, std::int64_t> rows[] = {
      {312.5, 312}, {313.5, 314}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {-2.5, -2}, {-3.5, -4}, {7.0, 7}};
  for (const auto &[value, expected] : rows) EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

}  // namespace
}  // namespace plomix
