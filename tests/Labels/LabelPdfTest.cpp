// plomix-cli --sheet: the PDF judged on the page, rasterised at its dots without
// smoothing: bars whole modules, every symbol read by two independent readers, centred
// in its label, moved exactly by the start position and the offsets.
#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <set>

#include "Labels/LabelPlacement.h"
#include "Labels/SheetNotation.h"
#include "Labels/SheetTable.h"
#include "tests/cli/CliRun.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

using test::Format;

// The first page as pdftoppm draws it at `dpi`, without antialiasing (grey: no PNG to
// compress, several times faster at 600 dpi).
QImage FirstPage(const QString &pdf, int dpi) {
  QImageReader::setAllocationLimit(0);  // an A4 page at 600 dpi is 140 MB of pixels
  QTemporaryDir dir;
  QProcess p;
  p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-aa"),
                                       QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                       QStringLiteral("1"), QStringLiteral("-gray"), pdf, dir.filePath("page")});
  p.waitForFinished(120000);
  const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("page*")});
  return pages.isEmpty() ? QImage() : QImage(dir.filePath(pages.first())).convertToFormat(QImage::Format_RGB32);
}

// What is printed inside `area`: the bounding box of every pixel that is not paper white.
QRect Printed(const QImage &page, const QRect &area) {
  QRect box;
  const QRect inside = area & page.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const auto *row = reinterpret_cast<const QRgb *>(page.constScanLine(y));
    for (int x = inside.left(); x <= inside.right(); ++x)
      if (qRed(row[x]) < 250) box |= QRect(x, y, 1, 1);
  }
  return box;
}

std::vector<int> BarWidths(const QImage &page, int y, const QRect &box) {
  std::vector<int> runs;
  int run = 0;
  const auto *row = reinterpret_cast<const QRgb *>(page.constScanLine(y));
  for (int x = box.left(); x <= box.right() + 1; ++x) {
    if (x <= box.right() && qRed(row[x]) < 128) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  return runs;
}

struct SheetCase {
  QStringList args;       // besides -o
  QString sheet;          // name or text, as given
  int dpi, module;        // the module expected in dots
  Format format;
  std::string text;       // what readers read
  int labels;             // printed on the first sheet, from label 1
  const char *note;
};

class LabelPdf : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString Pdf(const char *name) { return dir.filePath(QString::fromLatin1(name)); }
};

TLabelSheet SheetOf(const QString &text) {
  if (const TLabelSheet *named = FindSheet(text)) return *named;
  QString error;
  return *ParseSheetNotation(text, error);
}

TEST_F(LabelPdf, TwentyFourLabelsEveryBarWholeModulesEverySymbolReadAndCentred) {
  const QString codes = QStringLiteral("PLX-%1\n");
  QString batch;
  for (int i = 1; i <= 24; ++i) batch += codes.arg(i, 4, 10, QLatin1Char('0'));
  const SheetCase cases[] = {
      {{"--copies", "24", "490123456789"}, QStringLiteral("A4 24面 70×37mm"), 600, 6, Format::EAN13,
       "4901234567894", 24, "JAN, 24 copies: 6.25 dots asked, 6 given"},
      {{"--type", "code128", "--batch", "-"}, QStringLiteral("A4,3x8,70x37.125"), 300, 3, Format::Code128, "",
       24, "Code 128, a line a label, at 300 dpi: 3.125 dots asked"},
      {{"--type", "code39", "--no-cd", "--scale", "2", "--ratio", "25", "--copies", "12", "CODE-39"},
       QStringLiteral("A4 12面 86.4×42.3mm"), 600, 13, Format::Code39, "CODE-39", 12,
       "Code 39, ratio 2.5 at two pixels a module"},
  };
  for (const SheetCase &c : cases) {
    SCOPED_TRACE(c.note);
    const QString pdf = Pdf("labels.pdf");
    test::CliSetup setup;
    setup.input = batch.toUtf8();
    const test::CliRun run = test::RunCli(QStringList{"--sheet", c.sheet, "--dpi", QString::number(c.dpi),
                                                      "--back-color", "#E8E8E8", "-o", pdf} + c.args, setup);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const TLabelSheet sheet = SheetOf(c.sheet);
    const QImage page = FirstPage(pdf, c.dpi);
    ASSERT_FALSE(page.isNull());
    const QImage at300 = c.dpi == 300 ? page : FirstPage(pdf, 300);
    const QImage at600 = c.dpi == 600 ? page : FirstPage(pdf, 600);
    for (int i = 0; i < c.labels; ++i) {
      SCOPED_TRACE(i);
      const QRect label = LabelRectDots(sheet, i, c.dpi, c.dpi, {});
      const QRect symbol = Printed(page, label);
      ASSERT_FALSE(symbol.isEmpty());
      // Centred: the symbol's picture (its grey background) around the label's middle.
      const double mm = 25.4 / c.dpi;
      EXPECT_LE(std::abs((symbol.left() + symbol.right()) / 2.0 - (label.left() + label.right()) / 2.0) * mm, 0.2);
      EXPECT_LE(std::abs((symbol.top() + symbol.bottom()) / 2.0 - (label.top() + label.bottom()) / 2.0) * mm, 0.2);
      // Every bar a whole number of modules; bars of one width all alike.
      const std::vector<int> bars = BarWidths(page, symbol.top() + symbol.height() / 3, symbol);
      ASSERT_GT(bars.size(), 10u);
      std::set<int> widths(bars.begin(), bars.end());
      if (c.format != Format::Code39) {
        for (int w : bars) EXPECT_EQ(w % c.module, 0) << w;
        EXPECT_EQ(*widths.begin(), c.module);
      } else {
        EXPECT_EQ(widths, (std::set<int>{13, 33})) << "narrow 13, wide 2.5 x 13 = 32.5 -> 33, nothing else";
      }
      // Read by both readers at 300 and 600 dpi.
      const std::string expected =
          c.text.empty() ? QStringLiteral("PLX-%1").arg(i + 1, 4, 10, QLatin1Char('0')).toStdString() : c.text;
      for (const QImage *image : {&at300, &at600}) {
        const int dpi = image == &at300 ? 300 : 600;
        // A band of rows through the bars, as a scanner's line crosses them.
        const QRect there = LabelRectDots(sheet, i, dpi, dpi, {});
        const QRect printed = Printed(*image, there);
        const QImage cut = image->copy(there.left(), printed.top() + printed.height() / 3 - 16, there.width(), 32);
        EXPECT_EQ(test::ReadWithZXing(cut, c.format), expected) << dpi << " dpi";
        EXPECT_EQ(test::ReadWithZbar(cut, c.format), expected) << dpi << " dpi";
      }
    }
  }
}

// The start position puts the first symbol on label K; the offsets move every symbol by
// exactly the dots asked: 1.27 mm = 30 dots at 600 dpi, 0.508 mm = 12.
TEST_F(LabelPdf, StartPositionAndOffsetsMoveSymbolsByExactlyWhatWasAsked) {
  const QString sheetName = QStringLiteral("A4 24面 70×37mm");
  const TLabelSheet sheet = *FindSheet(sheetName);
  const QStringList common{"--sheet", sheetName, "--back-color", "#E8E8E8", "490123456789"};
  ASSERT_EQ(test::RunCli(common + QStringList{"--copies", "24", "-o", Pdf("full.pdf")}).status, 0);
  const test::CliRun moved = test::RunCli(
      common + QStringList{"--start", "5", "--copies", "3", "--offset=1.27x-0.508", "-o", Pdf("moved.pdf")});
  ASSERT_EQ(moved.status, 0) << moved.err.toStdString();
  const QImage full = FirstPage(Pdf("full.pdf"), 600), part = FirstPage(Pdf("moved.pdf"), 600);
  ASSERT_FALSE(full.isNull() || part.isNull());
  for (int i = 0; i < 24; ++i) {
    SCOPED_TRACE(i);
    const QRect label = LabelRectDots(sheet, i, 600, 600, {});
    const QRect printed = Printed(part, label.adjusted(-40, -40, 40, 40));
    if (i < 4 || i > 6) {
      EXPECT_TRUE(Printed(part, label).isEmpty()) << "the labels before the start and after the copies stay empty";
      continue;
    }
    EXPECT_EQ(printed.topLeft() - Printed(full, label).topLeft(), QPoint(30, -12));
    EXPECT_EQ(printed.size(), Printed(full, label).size());
  }
}

// A symbol wider than its label is drawn with fewer dots a module, still whole ones, and
// still reads; the run says so.
TEST_F(LabelPdf, ASymbolTooWideForItsLabelShrinksByWholeDotsAndStillReads) {
  const QString sheetName = QStringLiteral("A4 65面 38.1×21.2mm");
  const test::CliRun run = test::RunCli({"--sheet", sheetName, "--scale", "3", "--height", "40", "--copies", "2",
                                         "-o", Pdf("small.pdf"), "490123456789"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("shrunk")) << run.err.toStdString();
  const QImage page = FirstPage(Pdf("small.pdf"), 600);
  const QRect label = LabelRectDots(*FindSheet(sheetName), 1, 600, 600, {});
  const QRect symbol = Printed(page, label);
  ASSERT_FALSE(symbol.isEmpty());
  EXPECT_TRUE(label.contains(symbol));
  const std::vector<int> bars = BarWidths(page, symbol.top() + symbol.height() / 3, symbol);
  const int module = *std::min_element(bars.begin(), bars.end());
  EXPECT_LT(module, 19) << "three pixels ask for 18.75 dots";
  for (int w : bars) EXPECT_EQ(w % module, 0) << w;
  EXPECT_EQ(test::ReadWithZXing(page.copy(label), Format::EAN13), "4901234567894");
}

TEST_F(LabelPdf, RefusesWhatCannotBePrintedBeforeWritingAnything) {
  const struct {
    QStringList args;
    int status;
    const char *says, *note;
  } rows[] = {
      {{"--sheet", "A4,4x8,70x37", "-o", "x.pdf", "490123456789"}, 2, "はみ出します", "sheet off the paper"},
      {{"--sheet", "no such sheet", "-o", "x.pdf", "490123456789"}, 2, "--list-sheets", "unknown name"},
      {{"--sheet", "A4 24面 70×37mm", "--start", "25", "-o", "x.pdf", "490123456789"}, 2, "24 labels",
       "start past the sheet"},
      {{"--sheet", "A4 24面 70×37mm", "-o", "x.png", "490123456789"}, 2, ".pdf", "not a PDF"},
      {{"--copies", "3", "490123456789"}, 2, "need --sheet", "copies without a sheet"},
      {{"--sheet", "A4 24面 70×37mm", "-o", "x.pdf", "12345"}, 1, "nothing written", "nothing can be drawn"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    test::CliSetup setup;
    const test::CliRun run = test::RunCli(r.args, setup);
    EXPECT_EQ(run.status, r.status);
    EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(r.says))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(QStringLiteral("x.pdf")));
  }
}

TEST_F(LabelPdf, ListSheetsGivesEveryShippedSheetAsTextThatReadsBack) {
  const test::CliRun run = test::RunCli({"--list-sheets"});
  ASSERT_EQ(run.status, 0);
  const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), static_cast<qsizetype>(ShippedSheets().size()));
  for (const QString &line : lines) {
    const QStringList fields = line.split('\t');
    ASSERT_EQ(fields.size(), 2);
    QString error;
    auto sheet = ParseSheetNotation(fields[1], error);
    ASSERT_TRUE(sheet.has_value()) << error.toStdString();
    sheet->Name = fields[0];
    EXPECT_EQ(*sheet, *FindSheet(fields[0]));
  }
}

}  // namespace
}  // namespace plomix
