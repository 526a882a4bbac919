// The print written to PDF and read back as a viewer shows it: every symbol decoded by
// zxing-cpp, and bars as wide on paper as the scale says, within one printer dot.
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "BarImage/TBarImage.h"
#include "Symbol/SymbolDefaults.h"
#include "Print/Pagination.h"
#include "Print/PrintJob.h"
#include "Print/PrintState.h"
#include "tests/support/Oracles.h"
#include "tests/support/PdfPages.h"

namespace plomix {
namespace {

// The printer's own resolution (QPrinter::HighResolution), at which the page is read.
constexpr int kDpi = 1200;

struct PdfPrinter {
  QTemporaryDir dir;
  QPrinter printer{QPrinter::HighResolution};
  QString path = dir.filePath(QStringLiteral("out.pdf"));
  PdfPrinter() {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
  }
  QPoint Origin() const { return printer.pageLayout().paintRectPixels(kDpi).topLeft(); }
  TPrintMetrics Metrics(const TBarImage &bar, int scale) const {
    return {printer.logicalDpiX(), printer.logicalDpiY(), bar.logicalDpiX(), bar.logicalDpiY(),
            printer.width(),       printer.height(),      scale};
  }
};

void DrawCode128(TBarImage &bar, TPictures picture, const std::string &code) {
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(cbarCODE128);
  bar.SetBarPicture(picture);
  bar.SetCode(code);
  bar.SetBarEnabled(true);
}

// A row of the screen picture that cuts through the bars only: as many dark runs as the
// pattern has bars.
int BarRow(const QImage &screen, std::size_t bars) {
  for (int y = screen.height() / 4; y < screen.height(); ++y)
    if (test::DarkRuns(screen, y).size() == bars) return y + 4;
  return -1;
}

std::vector<int> BarModules(const std::string &pattern) {
  std::vector<int> modules;
  for (std::size_t i = 0; i < pattern.size(); i += 2) modules.push_back((pattern[i] - '0') / 2 + 1);
  return modules;
}

TEST(PrintToPdf, GridCellsReadBackWithBarsOfTheScaledWidth) {
  struct Row { TPictures picture; int scale; int copies; const char *note; };
  const Row rows[] = {{picBMP, 100, 5, "bitmap at 100 %"},
                      {picEMF, 100, 3, "metafile at 100 %"},
                      {picBMP, 150, 2, "bitmap at 150 %"},
                      {picEMF, 130, 2, "metafile at 130 %"}};
  for (const Row &row : rows) {
    TBarImage bar;
    DrawCode128(bar, row.picture, "PLOMIX-42");
    ASSERT_TRUE(bar.BarDisped()) << row.note;
    PdfPrinter pdf;
    const TPrintMetrics metrics = pdf.Metrics(bar, row.scale);
    const TGridPagination grid(CellSteps(metrics, bar.Width(), bar.Height(), 0, 10),
                               metrics.PageWidth, metrics.PageHeight, row.copies);
    QString error;
    ASSERT_TRUE(PrintGrid(pdf.printer, bar.Picture(), grid, &error)) << row.note << error.toStdString();
    {
      QFile file(pdf.path);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      const QByteArray bytes = file.readAll();
      EXPECT_FALSE(bytes.contains("/DCTDecode")) << row.note << ": the bitmap is kept losslessly";
      EXPECT_FALSE(bytes.contains("/Interpolate true")) << row.note << ": viewers are not asked to smooth";
    }
    // The first page's cells only: a whole page at 1200 dpi is half a gigabyte.
    const std::int64_t cells = grid.CellsOnPage(1);
    const TPrintCell last = grid.Cell(cells - 1, 100);
    const QRect area(pdf.Origin(), QSize(int(grid.Cell(std::min<std::int64_t>(cells, grid.Columns()) - 1, 100).X +
                                             last.W),
                                         int(last.Y + last.H)));
    const std::vector<QImage> pages = test::RenderPdfPages(pdf.path, kDpi, area);
    ASSERT_EQ(static_cast<int>(pages.size()), grid.PageCount()) << row.note;

    // The screen picture as a bitmap, to find a row through the bars.
    QImage screen(bar.size(), QImage::Format_RGB32);
    bar.render(&screen);
    const std::vector<int> modules = BarModules(bar.Pattern());
    const int screenRow = BarRow(screen, modules.size());
    ASSERT_GE(screenRow, 0) << row.note;
    const double dotsPerModule = double(metrics.PrinterDpiX) * row.scale / (metrics.ScreenDpiX * 100.0);

    for (std::int64_t index = 0; index < cells; ++index) {
      const TPrintCell cell = grid.Cell(index, 100);
      const QRect rect(QPoint(int(cell.X), int(cell.Y)), QSize(int(cell.W), int(cell.H)));
      const QImage piece = pages[0].copy(rect);
      EXPECT_EQ(test::ReadWithZXing(test::WithQuietZone(piece), test::Format::Code128), "PLOMIX-42")
          << row.note << " cell " << index;
      const int y = int(std::int64_t{screenRow} * cell.H / bar.Height());
      const std::vector<int> runs = test::DarkRuns(piece, y);
      ASSERT_EQ(runs.size(), modules.size()) << row.note << " cell " << index;
      for (std::size_t bar = 0; bar < runs.size(); ++bar)
        EXPECT_NEAR(runs[bar], modules[bar] * dotsPerModule, 1.0) << row.note << " bar " << bar;
    }
  }
}

TEST(PrintToPdf, ASymbolLargerThanThePagePrintsOneCellAPageClipped) {
  TBarImage bar;
  DrawCode128(bar, picBMP, "BIG");
  PdfPrinter pdf;
  const TPrintMetrics metrics = pdf.Metrics(bar, 1000);
  const TGridPagination grid(CellSteps(metrics, bar.Width(), bar.Height(), 0, 0),
                             metrics.PageWidth, metrics.PageHeight, 2);
  ASSERT_GT(grid.Cell(0, 100).W, metrics.PageWidth);
  QString error;
  ASSERT_TRUE(PrintGrid(pdf.printer, bar.Picture(), grid, &error));
  EXPECT_EQ(test::RenderPdfPages(pdf.path, 10).size(), 2u);
}

TEST(PrintToPdf, AFolderThatCannotBeWrittenIsReportedAndLeavesNoFile) {
  TBarImage bar;
  DrawCode128(bar, picBMP, "X");
  PdfPrinter pdf;
  pdf.printer.setOutputFileName(pdf.dir.filePath(QStringLiteral("missing/out.pdf")));
  const TGridPagination grid({10, 10, 0, 0}, 100, 100, 1);
  QString error;
  EXPECT_FALSE(PrintGrid(pdf.printer, bar.Picture(), grid, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("missing/out.pdf"))) << error.toStdString();
  EXPECT_EQ(pdf.printer.outputFileName(), pdf.dir.filePath(QStringLiteral("missing/out.pdf")));
}

// A disk that fills up while the PDF is written: a 16 KiB tmpfs (needs root to mount).
TEST(PrintToPdf, AFullDiskIsReportedAndTheOldFileStays) {
  QTemporaryDir mountPoint;
  if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                                  QStringLiteral("-o"), QStringLiteral("size=16k"),
                                                  QStringLiteral("tmpfs"), mountPoint.path()}) != 0)
    GTEST_SKIP() << "cannot mount a small file system here";
  const QString target = mountPoint.filePath(QStringLiteral("out.pdf"));
  {
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  TBarImage bar;
  DrawCode128(bar, picEMF, "FULL-DISK");  // vector cells: every copy adds to the file
  PdfPrinter pdf;
  pdf.printer.setOutputFileName(target);
  const TPrintMetrics metrics = pdf.Metrics(bar, 100);
  const TGridPagination grid(CellSteps(metrics, bar.Width(), bar.Height(), 0, 0),
                             metrics.PageWidth, metrics.PageHeight, 1000);
  QString error;
  const bool printed = PrintGrid(pdf.printer, bar.Picture(), grid, &error);
  QFile old(target);
  const bool opened = old.open(QIODevice::ReadOnly);
  const QByteArray kept = old.readAll();
  old.close();
  const QStringList left = QDir(mountPoint.path()).entryList(QDir::Files);
  QProcess::execute(QStringLiteral("umount"), {mountPoint.path()});
  EXPECT_FALSE(printed);
  EXPECT_TRUE(error.contains(target)) << error.toStdString();
  EXPECT_TRUE(opened);
  EXPECT_EQ(kept, QByteArray("old"));
  EXPECT_EQ(left, QStringList{QStringLiteral("out.pdf")}) << "no partial file is left";
}

}  // namespace
}  // namespace plomix
