// The size report window driven as a user does: opened, its pop-up menu clicked, printed
// to PDF and read back with poppler, copied to the clipboard.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "BarSize/SizeReportPrint.h"
#include "BarSize/TBarSizeForm.h"
#include "Common/ShiftJis.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/PdfReadBack.h"

namespace plomix {
namespace {

using test::AnswerNextModal;

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

constexpr TBarSizeSource kSource{137, 61, 3, 150};

class BarSizeForm : public ::testing::Test {
 protected:
  // A PDF printer on A4 at 600 dpi writing into the test's folder.
  std::unique_ptr<QPrinter> PdfPrinter(const QString &path, QPageSize page = QPageSize(QPageSize::A4)) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(600);
    printer->setPageSize(page);
    printer->setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    printer->setOutputFileName(path);
    return printer;
  }
  // Opens the window's pop-up menu with a right click and clicks the item, as a user does.
  static void ChooseFromMenu(TBarSizeForm &form, QAction *item) {
    // Through the window, as the platform delivers it, so that the click asks for a menu.
    QTest::mouseClick(form.windowHandle(), Qt::RightButton, {}, QPoint(form.width() / 2, form.height() / 2));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.PopupMenu1->isVisible(); }));
    QTest::mouseClick(form.PopupMenu1, Qt::LeftButton, {}, form.PopupMenu1->actionGeometry(item).center());
  }
  // The text of the message box a command shows, answered with OK.
  static QString MessageAfter(const std::function<void()> &command) {
    QString text;
    AnswerNextModal([&text](QWidget *box) {
      text = static_cast<QMessageBox *>(box)->text();
      static_cast<QMessageBox *>(box)->accept();
    }, 5000, [](QWidget *w) { return qobject_cast<QMessageBox *>(w) != nullptr; });
    command();
    return text;
  }
  QTemporaryDir dir_;
};

TEST_F(BarSizeForm, ShowsTheReportInItsLabelAndFitsTheWindowToIt) {
  auto printer = PdfPrinter(dir_.filePath(QStringLiteral("r.pdf")));
  TBarSizeForm form(kSource, printer.get());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.windowTitle(), U("現在のバーコードのサイズ情報"));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));

  const QLabel *label = form.Label1;
  EXPECT_EQ(label->pos(), QPoint(6, 6));
  EXPECT_EQ(label->size(), label->sizeHint()) << "sized to its text";
  EXPECT_EQ(form.size(), label->size() + QSize(12, 12));
  EXPECT_TRUE(label->font().bold());
  EXPECT_EQ(label->font().pixelSize(), 13);
  EXPECT_EQ(QFontInfo(label->font()).family(), QStringLiteral("IPAPGothic")) << "through the font substitution";

  // The window shows the report without its header; print and copy take it with.
  const QString shown = label->text();
  EXPECT_FALSE(shown.contains(QStringLiteral("/////")));
  EXPECT_TRUE(shown.contains(U("    137×61 pixel\n")));
  EXPECT_EQ(SjisToUnicode(form.ReportText()).remove(u'\r'), U("///// 現在のバーコードのサイズ情報 /////\n\n") + shown);

  // The printer's figures: a Qt printer has no scale setting.
  const TSizeMeasures &m = form.Measures();
  EXPECT_EQ(m.PrinterDpiX, 600);
  EXPECT_EQ(m.PrinterScale, 100);
  EXPECT_EQ(m.PaperWidth, 4958) << "A4, 595 points wide";
  EXPECT_EQ(m.ScreenDpiX, form.logicalDpiX());

  const QList<QAction *> items = form.PopupMenu1->actions();
  ASSERT_EQ(items.size(), 4);
  EXPECT_EQ(items[0]->text(), U("情報を印刷"));
  EXPECT_EQ(items[1]->text(), U("情報をクリップボードへコピー"));
  EXPECT_TRUE(items[2]->isSeparator());
  EXPECT_EQ(items[3]->text(), U("閉じる"));

  ChooseFromMenu(form, form.Close1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }));
}

TEST_F(BarSizeForm, CopyPutsTheWholeTextWithHeaderOnTheClipboard) {
  auto printer = PdfPrinter(dir_.filePath(QStringLiteral("r.pdf")));
  TBarSizeForm form(kSource, printer.get());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  ASSERT_EQ(form.Measures().ScreenDpiX, 96);
  QGuiApplication::clipboard()->clear();
  ChooseFromMenu(form, form.Copy1);
  const char *expected =
      "///// 現在のバーコードのサイズ情報 /////\r\n\r\n\r\n"
      "  画面上のバーコード 1 個のサイズ\r\n    137×61 pixel\r\n    36.25×16.14 mm\r\n\r\n"
      "  印刷時のバーコード 1 個のサイズ\r\n    1284×572 pixel\r\n    54.37×24.21 mm\r\n\r\n"
      "  用紙のサイズ\r\n    4958×7017 pixel\r\n    209.89×297.05 mm\r\n\r\n"
      "  画面の DPI 値\r\n    96×96 dot per inch\r\n\r\n"
      "  プリンタの DPI 値\r\n    600×600 dot per inch\r\n\r\n"
      "  プリンタのスケールファクタ\r\n    100 %\r\n\r\n"
      "  参考\r\n    1 inch = 25.4 mm\r\n\r\n"
      "  ※バーコードのサイズは、スケール( 3 )  \r\n"
      "  と印刷の倍率( 150 % )で決まります。  \r\n";
  EXPECT_TRUE(QTest::qWaitFor([] { return !QGuiApplication::clipboard()->text().isEmpty(); }));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8(), QByteArray(expected));
}

// The printed page read back: the header and every line, from a sixteenth of the sheet.
TEST_F(BarSizeForm, PrintsEveryLineFromASixteenthOfThePageIn) {
  const QString pdf = dir_.filePath(QStringLiteral("report.pdf"));
  auto printer = PdfPrinter(pdf);
  TBarSizeForm form(kSource, printer.get());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QString message = MessageAfter([&] { ChooseFromMenu(form, form.Print1); });
  EXPECT_TRUE(message.contains(pdf)) << "a file is no printout: the message names it";

  ASSERT_EQ(test::PdfPageCount(pdf), 1);
  QStringList printed;
  for (const QString &line : test::PdfLayoutText(pdf).split(u'\n'))
    if (!line.trimmed().isEmpty()) printed << line.simplified();
  QStringList expected;
  for (const QString &line : SjisToUnicode(form.ReportText()).split(QStringLiteral("\r\n")))
    if (!line.trimmed().isEmpty()) expected << line.simplified();
  EXPECT_EQ(printed, expected);

  // The first word's box: a sixteenth of the sheet from the printable area's corner.
  PrinterInfo info;
  GetPrinterInfo(*printer, info);
  const double pointsPerPixel = 72.0 / info.DpiX;
  const std::vector<test::PdfWord> words = test::PdfWords(pdf);
  ASSERT_FALSE(words.empty());
  EXPECT_EQ(words[0].Text, QStringLiteral("/////"));
  EXPECT_NEAR(words[0].XMin, (info.OffsetLeft + info.PaperWidth / 16) * pointsPerPixel, 2.0);
  const double top = (info.OffsetTop + info.PaperHeight / 16) * pointsPerPixel;
  EXPECT_GE(words[0].YMin, top - 0.5);
  EXPECT_LT(words[0].YMin, top + 12) << "within the first 12-point line";
  EXPECT_NEAR(words[0].YMax - words[0].YMin, 12, 4) << "12-point text";
}

TEST_F(BarSizeForm, TextLongerThanTheSheetGoesOnToAnotherPage) {
  const QString pdf = dir_.filePath(QStringLiteral("short.pdf"));
  auto printer = PdfPrinter(pdf, QPageSize(QSizeF(90, 120), QPageSize::Millimeter));
  TBarSizeForm form(kSource, printer.get());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QString error;
  ASSERT_TRUE(PrintSizeReport(*printer, SjisToUnicode(form.ReportText()), &error)) << error.toStdString();
  EXPECT_GE(test::PdfPageCount(pdf), 2);
  QString printed;
  for (const QString &line : test::PdfLayoutText(pdf).split(u'\n')) printed += line.simplified();
  QString expected = SjisToUnicode(form.ReportText());
  expected = expected.simplified().remove(u' ');
  EXPECT_EQ(printed.remove(u' ').remove(u'\f'), expected) << "every line, wrapped lines whole, in order";
}

// A printer that cannot take the job: the reason in a message, no file written.
TEST_F(BarSizeForm, APrinterThatFailsSaysWhy) {
  QFile blocker(dir_.filePath(QStringLiteral("not-a-folder")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString unwritable = dir_.filePath(QStringLiteral("not-a-folder/report.pdf"));
  auto pdf = PdfPrinter(unwritable);
  TBarSizeForm form(kSource, pdf.get());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QString message = MessageAfter([&] { ChooseFromMenu(form, form.Print1); });
  EXPECT_TRUE(message.contains(unwritable)) << message.toStdString();
  EXPECT_EQ(message.split(u'\n').size(), 2) << "the system's reason follows: " << message.toStdString();
  EXPECT_FALSE(QFile::exists(unwritable));
}

// No queue at all: the figures are those of the PDF file printing falls back to, and the
// print goes there.
TEST_F(BarSizeForm, WithoutAnyPrinterMeasuresAndPrintsThePdfFallback) {
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", dir_.path().toUtf8());
  TBarSizeForm form(kSource, nullptr, nullptr, QPrinterInfo());
  qputenv("HOME", home);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QPrinter &printer = form.Printer();
  ASSERT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
  const QString pdf = printer.outputFileName();
  EXPECT_TRUE(pdf.startsWith(dir_.path())) << pdf.toStdString();
  EXPECT_EQ(form.Measures().PrinterDpiX, printer.resolution());
  EXPECT_EQ(form.Measures().PaperWidth, printer.pageLayout().fullRectPixels(printer.resolution()).width());

  const QString message = MessageAfter([&] { ChooseFromMenu(form, form.Print1); });
  EXPECT_TRUE(message.contains(pdf)) << message.toStdString() << " / " << pdf.toStdString();
  EXPECT_EQ(test::PdfPageCount(pdf), 1);
  EXPECT_TRUE(test::PdfLayoutText(pdf).contains(U("プリンタのスケールファクタ")));
}

}  // namespace
}  // namespace plomix
