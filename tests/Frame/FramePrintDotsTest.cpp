// Plain-paper prints with the bars on whole printer dots, judged on the page: the copies
// and the record list printed to PDF through the main window, rasterised with no
// smoothing at the printer's resolution, every bar a whole number of modules wide and
// every symbol read by zxing-cpp and zbar at 600 and 300 dpi.
#include <QMessageBox>
#include <QPrinter>
#include <algorithm>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "Labels/DotDrawing.h"
#include "Preview/TPreviewForm.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/Oracles.h"
#include "tests/support/PdfPages.h"

namespace plomix::test {
namespace {

bool DarkRow(const QImage &page, int y) {
  const auto *row = reinterpret_cast<const QRgb *>(page.constScanLine(y));
  for (int x = 0; x < page.width(); ++x)
    if (qRed(row[x]) < 128) return true;
  return false;
}

// The symbols of a page, row by row and left to right: bands of rows apart by white rows
// at least `gap` high, cut into pieces apart by white columns at least `gap` wide. The
// gap is wider than any space inside a symbol and narrower than two margins.
std::vector<QRect> SymbolsOnPage(const QImage &page, int gap) {
  std::vector<QRect> symbols;
  int top = -1, white = 0;
  auto band = [&](int bottom) {
    for (const QRect &piece : SplitByWhiteColumns(page, top, bottom, gap)) symbols.push_back(piece);
  };
  for (int y = 0; y < page.height(); ++y) {
    if (DarkRow(page, y)) {
      if (top < 0) top = y;
      white = 0;
    } else if (top >= 0 && ++white >= gap) {
      band(y - white);
      top = -1;
    }
  }
  if (top >= 0) band(page.height() - 1 - white);
  return symbols;
}

// A band of rows through the bars (their upper third, above the text), with the white
// beside the symbol, as a scanner's line crosses it.
QImage ScanLine(const QImage &page, const QRect &symbol, int margin) {
  const int y = symbol.top() + symbol.height() / 3;
  return WithQuietZone(page.copy(symbol.left() - margin, y - 8, symbol.width() + 2 * margin, 16));
}

struct DotsRow {
  const char *note;
  const char *button;  // Button8: copies of the shown symbol; Button10: the record list
  TBarTypes type;
  std::vector<const char *> codes;
  std::vector<std::string> read;  // what the readers must find, symbol by symbol
  Format format;
  bool snap;  // off: the stretched bitmap, its bars 6 or 7 dots for one module
};

// The first page at `dpi` and the symbols on it.
std::vector<QRect> FirstPageSymbols(const QString &pdf, int dpi, QImage *page, std::size_t *pageCount) {
  const std::vector<QImage> pages = RenderPdfPagesCrisp(pdf, dpi);
  *pageCount = pages.size();
  if (pages.empty()) return {};
  *page = pages.front();
  return SymbolsOnPage(*page, dpi / 8);
}

TEST(FramePrintDots, CopiesAndListPrintsHaveWholeModuleBarsThatRead) {
  const std::string jan = "4901234567894";  // 490123456789 and its check digit
  const DotsRow rows[] = {
      {"four copies of a JAN symbol: 1 px at 96 dpi asks 6.25 dots at 600, 6 are drawn", "Button8", cbarJAN,
       {"490123456789"}, {jan, jan, jan, jan}, Format::EAN13, true},
      {"the record list, Code 128: each record as itself", "Button10", cbarCODE128,
       {"PLX-0001", "PLX-0002", "PLX-0003"}, {"PLX-0001", "PLX-0002", "PLX-0003"}, Format::Code128, true},
      {"the record list, Code 39: wide and narrow elements both on whole modules", "Button10", cbarCODE39,
       {"AB-12", "CD-34"}, {"AB-12H", "CD-34P"}, Format::Code39, true},  // with their mod 43 check characters
      {"the option off prints the stretched bitmap as before: bars of one module differ", "Button8", cbarJAN,
       {"490123456789"}, {jan, jan}, Format::EAN13, false},
  };
  for (const DotsRow &row : rows) {
    SCOPED_TRACE(row.note);
    FrameFixture f;
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("dots.pdf"));
    QPrinter &printer = f.form->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);
    f.form->LabelSettings().SnapToDots = row.snap;
    f.SetSymbology(row.type);
    for (const char *code : row.codes) f.TypeEnter("ComboBox1", U(code));
    f.TypeEnter("Edit7", QString::number(row.read.size()));
    AnswerNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->accept(); }, 5000,
                    [](QWidget *modal) { return qobject_cast<TPreviewForm *>(modal) != nullptr; });
    QTest::mouseClick(f.Find<QPushButton>(row.button), Qt::LeftButton);

    const int module = NearestModuleDots(TargetModuleDots(f.form->BarImage1->Scale(), 600, f.form->logicalDpiX(), 100));
    QImage page600, page300;
    std::size_t pages = 0, pagesAt300 = 0;
    const std::vector<QRect> at600 = FirstPageSymbols(pdf, 600, &page600, &pages);
    const std::vector<QRect> at300 = FirstPageSymbols(pdf, 300, &page300, &pagesAt300);
    ASSERT_EQ(pages, 1u);
    ASSERT_EQ(at600.size(), row.read.size());
    ASSERT_EQ(at300.size(), row.read.size());
    for (std::size_t i = 0; i < row.read.size(); ++i) {
      SCOPED_TRACE(i);
      const QRect &symbol = at600[i];
      const std::vector<int> bars =
          DarkRuns(page600, symbol.top() + symbol.height() / 3, symbol.left(), symbol.right() + 1);
      ASSERT_GT(bars.size(), 15u);
      const auto whole = std::count_if(bars.begin(), bars.end(), [&](int w) { return w % module == 0; });
      if (row.snap) EXPECT_EQ(whole, std::ssize(bars)) << "module " << module << " dots";
      else EXPECT_LT(whole, std::ssize(bars)) << "module " << module << " dots";
      if (!row.snap) continue;
      EXPECT_EQ(ReadWithZXing(ScanLine(page600, symbol, 40), row.format), row.read[i]) << 600;
      EXPECT_EQ(ReadWithZbar(ScanLine(page600, symbol, 40), row.format), row.read[i]) << 600;
      EXPECT_EQ(ReadWithZXing(ScanLine(page300, at300[i], 20), row.format), row.read[i]) << 300;
      EXPECT_EQ(ReadWithZbar(ScanLine(page300, at300[i], 20), row.format), row.read[i]) << 300;
    }
  }
}

}  // namespace
}  // namespace plomix::test
