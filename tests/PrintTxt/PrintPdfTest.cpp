// The text list printed to PDF through QPrinter and read back with poppler.
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "Common/ShiftJis.h"
#include "PrintTxt/PrintText.h"
#include "tests/support/PdfPages.h"
#include "tests/support/PdfReadBack.h"

namespace plomix {
namespace {

using test::PdfLayoutText;
using test::PdfPageCount;
using test::PdfWords;

constexpr double kPointsPerPixel = 72.0 / 1200.0;  // a high-resolution PDF printer

class PrintPdf : public ::testing::Test {
 protected:
  // An A4 PDF printer; `marginMm` makes unprintable strips of that size on every side.
  std::unique_ptr<QPrinter> Printer(const QString &name, double marginMm = 0) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(marginMm, marginMm, marginMm, marginMm), QPageLayout::Millimeter);
    printer->setOutputFileName(dir_.filePath(name));
    return printer;
  }
  static TPrintTextParams Params(const QString &text) {
    TPrintTextParams p;
    p.Text = UnicodeToSjis(text);
    p.Title = "C:\\data\\\x95\x5C.txt";  // "表.txt", whose second byte is a backslash
    p.BodyFont = QFont(QStringLiteral("IPAGothic"), 10);
    p.HeaderFont = QFont(QStringLiteral("IPAGothic"), 9);
    p.LeftMargin = p.RightMargin = p.TopMargin = p.BottomMargin = 50;
    return p;
  }
  // Text of `lines` numbered lines.
  static QString Lines(int lines) {
    QString text;
    for (int i = 1; i <= lines; ++i) text += QStringLiteral("行%1\r\n").arg(i);
    return text;
  }
  QTemporaryDir dir_;
};

TEST_F(PrintPdf, LongDoubleByteLineWrapsOnCharacters) {
  QString line;
  for (int i = 0; i < 100; ++i) line += QChar(0x3042 + i % 80);  // hiragana
  TPrintTextParams p = Params(line + QStringLiteral("\r\nEND\r\n"));
  p.Columns = 4;
  p.LineNumberWidth = 3;
  auto printer = Printer(QStringLiteral("wrap.pdf"));
  ASSERT_EQ(PrintText(p, *printer).Columns, 1);

  // Every row carries its own number; the rows together are the line, whole characters.
  QString joined;
  int rows = 0;
  for (const QString &row : PdfLayoutText(printer->outputFileName()).split(u'\n')) {
    const QString trimmed = row.trimmed();
    if (!trimmed.contains(u':') || trimmed.startsWith(u'-')) continue;
    ++rows;
    ASSERT_EQ(trimmed.section(u':', 0, 0).toInt(), rows) << trimmed.toStdString();
    const QString body = trimmed.section(u':', 1).trimmed();
    if (body == QStringLiteral("END")) break;
    EXPECT_FALSE(body.contains(QChar(0xFFFD)));
    joined += body;
  }
  EXPECT_EQ(joined, line) << "wrapped on character boundaries, nothing lost";
  EXPECT_GT(rows, 5) << "the line wrapped into several rows";
  // END follows directly: the CR LF went with the last row of the long line.
  EXPECT_TRUE(PdfLayoutText(printer->outputFileName()).contains(QStringLiteral("%1: END").arg(rows)))
      << PdfLayoutText(printer->outputFileName()).toStdString();
}

TEST_F(PrintPdf, SevenColumnsOnThreePagesAndCopies) {
  auto probe = Printer(QStringLiteral("probe.pdf"));
  TPrintTextParams p = Params({});
  p.Columns = 3;
  p.ColumnGap = 200;
  p.HeaderFlags = hfTitle | hfDate | hfColumnNumber;
  const int rows = TTextPrinter(p, *probe).RowsPerColumn();
  ASSERT_GT(rows, 10);
  p.Text = UnicodeToSjis(Lines(6 * rows + 3));
  auto printer = Printer(QStringLiteral("seven.pdf"));
  const TPrintTextResult result = PrintText(p, *printer);
  EXPECT_EQ(result.Columns, 7);
  const QString pdf = printer->outputFileName();
  ASSERT_EQ(PdfPageCount(pdf), 3);
  EXPECT_EQ(test::PdfInfoField(pdf, QStringLiteral("Title")), QStringLiteral("表.txt"));

  // Column numbers centred under their columns, counted through the document.
  TTextPrinter layout(p, *probe);
  const TTextPageGeometry &g = layout.Geometry();
  const double bottomMargin = (layout.Info().PaperHeight - g.B) * kPointsPerPixel;
  int numbers = 0;
  for (const test::PdfWord &w : PdfWords(pdf)) {
    if (!w.Text.startsWith(u'-')) continue;
    const int n = w.Text.mid(1).chopped(1).toInt();
    ASSERT_EQ(w.Page, (n - 1) / 3 + 1) << w.Text.toStdString();
    const double centre = (g.L + ((n - 1) % 3) * (g.ColumnWidth + 200) + g.ColumnWidth / 2.0) * kPointsPerPixel;
    EXPECT_NEAR((w.XMin + w.XMax) / 2, centre, 1.0) << w.Text.toStdString();
    EXPECT_GT(w.YMin, bottomMargin) << "below the bottom margin";
    ++numbers;
  }
  EXPECT_EQ(numbers, 7);

  // Title at the top left, date ending at the right margin, both in the top margin.
  const auto words = PdfWords(pdf);
  const auto title = std::find_if(words.begin(), words.end(), [](auto &w) { return w.Text == QStringLiteral("表.txt"); });
  ASSERT_NE(title, words.end());
  EXPECT_NEAR(title->XMin, g.L * kPointsPerPixel, 1.0);
  EXPECT_LT(title->YMax, g.T * kPointsPerPixel);
  double right = 0;
  for (const auto &w : words) {
    if (w.Page == 1 && w.YMax < g.T * kPointsPerPixel) right = std::max(right, w.XMax);
  }
  EXPECT_NEAR(right, (layout.Info().PaperWidth - g.R) * kPointsPerPixel, 1.5);
  const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
  EXPECT_TRUE(PdfLayoutText(pdf, 1).section(u'\n', 0, 0).contains(date));

  // Two copies: six pages, the second copy starting afresh on page 4.
  p.Copies = 2;
  auto twice = Printer(QStringLiteral("twice.pdf"));
  EXPECT_EQ(PrintText(p, *twice).Pages, 6);
  ASSERT_EQ(PdfPageCount(twice->outputFileName()), 6);
  const QString page1 = PdfLayoutText(twice->outputFileName(), 1);
  EXPECT_EQ(PdfLayoutText(twice->outputFileName(), 4), page1);
  EXPECT_TRUE(PdfLayoutText(twice->outputFileName(), 3).contains(QStringLiteral("-7-")));
}

TEST_F(PrintPdf, ZeroMarginIsRaisedToTheStrip) {
  TPrintTextParams p = Params(Lines(3));
  p.LeftMargin = p.TopMargin = 0;
  auto printer = Printer(QStringLiteral("strip.pdf"), 20);
  PrinterInfo info;
  GetPrinterInfo(*printer, info);
  EXPECT_EQ(info.DpiX, 1200);
  EXPECT_NEAR(info.PaperWidthMm, 210, 0.1);
  // Qt keeps page layouts in whole points: 20 mm becomes 57 pt, 950 pixels.
  EXPECT_EQ(info.OffsetLeft, 950);
  EXPECT_EQ(info.OffsetBottom, 950);
  EXPECT_EQ(info.PrintableHeight, info.PaperHeight - 1900);
  EXPECT_EQ(info.MinMarginRight, 80) << "79.17 hundredths of an inch, rounded up";
  EXPECT_NEAR(info.ScaledMinMarginTopMm, 57 / 72.0 * 25.4, 0.01);
  EXPECT_EQ(info.Scale, 100);
  ASSERT_EQ(PrintText(p, *printer).Columns, 1);
  const auto words = PdfWords(printer->outputFileName());
  ASSERT_FALSE(words.empty());
  const double strip = 20 / 25.4 * 72;
  EXPECT_NEAR(words.front().XMin, strip, 0.5) << words.front().Text.toStdString();
  EXPECT_GT(words.front().YMin, strip - 0.5);
  // A printer set to the whole sheet puts the text in the same place.
  auto whole = Printer(QStringLiteral("whole.pdf"), 20);
  whole->setFullPage(true);
  ASSERT_EQ(PrintText(p, *whole).Columns, 1);
  const auto same = PdfWords(whole->outputFileName());
  ASSERT_FALSE(same.empty());
  EXPECT_NEAR(same.front().XMin, words.front().XMin, 0.1);
  EXPECT_NEAR(same.front().YMin, words.front().YMin, 0.1);
}

TEST_F(PrintPdf, OutOfRangeGivesNoJob) {
  struct Row { void (*change)(TPrintTextParams &); const char *note; } rows[] = {
      {[](TPrintTextParams &p) { p.Columns = 0; }, "Columns 0"},
      {[](TPrintTextParams &p) { p.Columns = 300; }, "Columns 300"},
      {[](TPrintTextParams &p) { p.TabWidth = 33; }, "TabWidth 33"},
      {[](TPrintTextParams &p) { p.TabWidth = -1; }, "TabWidth -1"},
      {[](TPrintTextParams &p) { p.LineNumberWidth = 9; }, "LineNumberWidth 9"},
      {[](TPrintTextParams &p) { p.LineNumberWidth = -9; }, "LineNumberWidth -9"},
      {[](TPrintTextParams &p) { p.ColumnGap = 1025; }, "ColumnGap 1025"},
      {[](TPrintTextParams &p) { p.ColumnGap = -1; }, "ColumnGap -1"},
      {[](TPrintTextParams &p) { p.Copies = 0; }, "Copies 0"},
      {[](TPrintTextParams &p) { p.Copies = 1001; }, "Copies 1001"},
      {[](TPrintTextParams &p) { p.LeftMargin = 256; }, "LeftMargin 256"},
      {[](TPrintTextParams &p) { p.BottomMargin = -1; }, "BottomMargin -1"},
  };
  for (const Row &r : rows) {
    TPrintTextParams p = Params(Lines(3));
    r.change(p);
    auto printer = Printer(QStringLiteral("none.pdf"));
    const TPrintTextResult result = PrintText(p, *printer);
    EXPECT_EQ(result.Columns, 0) << r.note;
    EXPECT_FALSE(result.Error.isEmpty()) << r.note;
    EXPECT_FALSE(QFile::exists(printer->outputFileName())) << r.note;
  }
  TPrintTextParams edge = Params(Lines(3));
  edge.Columns = 256;
  edge.ColumnGap = 0;
  edge.TabWidth = 32;
  edge.LineNumberWidth = -8;
  EXPECT_TRUE(CheckPrintTextParams(edge).isEmpty());
}

TEST_F(PrintPdf, NothingFitsStillBeginsAndEndsTheJob) {
  TPrintTextParams p = Params(Lines(3));
  p.BodyFont.setPointSize(1000);  // one row is taller than the page
  p.Copies = 2;
  auto printer = Printer(QStringLiteral("huge.pdf"));
  const TPrintTextResult result = PrintText(p, *printer);
  EXPECT_EQ(result.Columns, 0);
  EXPECT_TRUE(result.Error.isEmpty());
  EXPECT_EQ(PdfPageCount(printer->outputFileName()), 2) << "a blank page per copy";
}

// A printer whose paper runs out after its first page.
class FailingPrinter : public QPrinter {
 public:
  FailingPrinter() : QPrinter(QPrinter::HighResolution) {}
  bool newPage() override { return false; }
};

TEST_F(PrintPdf, FailureInTheMiddleAbortsAndReports) {
  FailingPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir_.filePath(QStringLiteral("fail.pdf")));
  TPrintTextParams p = Params(Lines(500));
  const TPrintTextResult result = PrintText(p, printer);
  EXPECT_EQ(result.Columns, 0);
  EXPECT_FALSE(result.Error.isEmpty());
  EXPECT_EQ(result.Pages, 1);
  EXPECT_FALSE(QFile::exists(printer.outputFileName())) << "no partial document left";

  // Cancelled from the progress report before the third page.
  auto cancelled = Printer(QStringLiteral("cancel.pdf"));
  std::vector<int> reports;
  const TPrintTextResult stopped = PrintText(p, *cancelled, [&](int done, int total) {
    reports.push_back(total);
    return done < 2;
  });
  EXPECT_EQ(stopped.Pages, 2);
  EXPECT_FALSE(stopped.Error.isEmpty());
  EXPECT_EQ(reports.size(), 3u);
  EXPECT_GT(reports.front(), 2) << "the job's total is known from the start";
  EXPECT_FALSE(QFile::exists(cancelled->outputFileName()));
}

// The text takes the colour asked for, on the page as a viewer shows it; the header (the
// title, the date, the column numbers) stays black.
TEST_F(PrintPdf, TheTextIsPrintedInItsColourAndTheHeaderInBlack) {
  const struct {
    QColor color;
    const char *note;
  } rows[] = {{QColor(200, 0, 30), "a red"}, {QColor(0, 0, 160), "a dark blue"}, {Qt::black, "the default"}};
  for (const auto &row : rows) {
    SCOPED_TRACE(row.note);
    TPrintTextParams p = Params(Lines(20));
    p.HeaderFlags = hfTitle | hfDate | hfColumnNumber;
    p.BodyColor = row.color;
    auto printer = Printer(QStringLiteral("colour.pdf"));
    ASSERT_EQ(PrintText(p, *printer).Columns, 1);
    const std::vector<QImage> pages = test::RenderPdfPages(printer->outputFileName(), 100);
    ASSERT_EQ(pages.size(), 1u);
    // Ink counted by the colour nearest to it: the text's, or black.
    int inText = 0, inBlack = 0, inOther = 0;
    const QImage &page = pages[0];
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) {
        const QColor c = page.pixelColor(x, y);
        if (c.red() > 235 && c.green() > 235 && c.blue() > 235) continue;  // paper
        const auto distance = [&c](const QColor &to) {
          return std::abs(c.red() - to.red()) + std::abs(c.green() - to.green()) + std::abs(c.blue() - to.blue());
        };
        if (distance(row.color) < 60) ++inText;
        else if (distance(Qt::black) < 60) ++inBlack;
        else ++inOther;
      }
    EXPECT_GT(inText, 200) << "the twenty lines in their colour";
    if (row.color != QColor(Qt::black)) {
      EXPECT_GT(inBlack, 20) << "the header in black";
      EXPECT_GT(inText, 3 * inBlack) << "the body outweighs the header";
    }
  }
}

TEST_F(PrintPdf, NoPrinterAtAllWritesANewPdf) {
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", dir_.path().toUtf8());
  TPrintTextParams p = Params(Lines(3));
  TTextPrinterChoice first = ChooseTextPrinter(nullptr, QPrinterInfo(), p.Title);
  ASSERT_TRUE(first.Printer);
  EXPECT_EQ(PrintText(p, *first.Printer).Columns, 1);
  TTextPrinterChoice second = ChooseTextPrinter(nullptr, QPrinterInfo(), p.Title);
  qputenv("HOME", home);
  ASSERT_TRUE(first.PdfFile.startsWith(dir_.path())) << first.PdfFile.toStdString();
  EXPECT_TRUE(first.PdfFile.endsWith(QStringLiteral("表.pdf")));
  EXPECT_EQ(PdfPageCount(first.PdfFile), 1);
  EXPECT_NE(second.PdfFile, first.PdfFile) << "an earlier file is never overwritten";
  QPrinter chosen;
  EXPECT_EQ(ChooseTextPrinter(&chosen, QPrinterInfo(), p.Title).Printer, &chosen);
}

}  // namespace
}  // namespace plomix

namespace plomix {
namespace {

// Not run by default: prints a few hundred records as a list to the system's default
// printer, to look at the pages of a real queue (PLOMIX_COLUMNS sets the columns).
TEST(PrintDefaultPrinter, DISABLED_RecordList) {
  QString text;
  const QStringList words{QStringLiteral("商品"), QStringLiteral("第二倉庫"), QStringLiteral("ｻﾝﾌﾟﾙ"),
                          QStringLiteral("出荷予定"), QStringLiteral("Lot")};
  for (int i = 1; i <= 300; ++i) {
    text += QStringLiteral("49%1\t%2%3\t%4 %5\r\n").arg(1234500000 + i * 7, 11, 10, QChar(u'0'))
                .arg(words[i % 5], words[(i * 3) % 5], words[(i * 7) % 5]).arg(i);
    if (i % 50 == 0) text += QString(60, QChar(0x6F22)) + QStringLiteral("\r\n");
  }
  TPrintTextParams p;
  p.Text = UnicodeToSjis(text);
  p.Title = UnicodeToSjis(QStringLiteral("/home/user/データ一覧.txt"));
  p.BodyFont = QFont(QStringLiteral("ＭＳ ゴシック"), 10);
  p.HeaderFont = QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9);
  p.LineNumberWidth = 4;
  p.LeftMargin = p.RightMargin = p.TopMargin = p.BottomMargin = 50;
  p.Columns = qEnvironmentVariableIntValue("PLOMIX_COLUMNS") > 0 ? qEnvironmentVariableIntValue("PLOMIX_COLUMNS") : 1;
  p.ColumnGap = 100;
  p.HeaderFlags = hfTitle | hfDate | hfColumnNumber;
  const TPrintTextResult result = PrintText(p, static_cast<QPrinter *>(nullptr));
  EXPECT_TRUE(result.Error.isEmpty()) << result.Error.toStdString();
  EXPECT_GT(result.Columns, 0);
  std::printf("columns %d pages %d file %s\n", result.Columns, result.Pages, qPrintable(result.OutputFile));
}

}  // namespace
}  // namespace plomix
