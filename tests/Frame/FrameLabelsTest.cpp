// Label sheets from the main window: the sheet, start position and offsets chosen in
// their dialog, kept across a restart, and the copies printed to PDF judged on the page.
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QImageReader>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "Labels/DotDrawing.h"
#include "Labels/SheetTable.h"
#include "SheetForm/TLabelSheetForm.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/Oracles.h"
#include "tests/support/PdfPages.h"
#include "Labels/LabelPlacement.h"

namespace plomix::test {
namespace {

QImage Page(const QString &pdf, int dpi) {
  QImageReader::setAllocationLimit(0);
  QTemporaryDir dir;
  QProcess p;
  p.start(QStringLiteral("pdftoppm"), {"-r", QString::number(dpi), "-aa", "no", "-aaVector", "no", "-f", "1", "-l",
                                       "1", "-gray", pdf, dir.filePath("page")});
  p.waitForFinished(120000);
  const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("page*")});
  return pages.isEmpty() ? QImage() : QImage(dir.filePath(pages.first())).convertToFormat(QImage::Format_RGB32);
}

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

struct FrameLabels : ::testing::Test {
  FrameFixture f;
  QTemporaryDir out;
  QString pdf = out.filePath(QStringLiteral("labels.pdf"));
  const QString sheetName = QStringLiteral("A4 24面 70×37mm");

  FrameLabels() {
    QPrinter &printer = f.form->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(600);
    f.AddCodes({"490123456789"});
  }
  // Opens the label sheet dialog, lets `fill` set it and presses OK.
  void ChooseInDialog(const std::function<void(TLabelSheetForm *)> &fill) {
    AnswerNextModal([&](QWidget *modal) {
      auto *form = qobject_cast<TLabelSheetForm *>(modal);
      ASSERT_NE(form, nullptr);
      fill(form);
      QTest::mouseClick(form->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(f.Find<QPushButton>("LabelSheetButton"), Qt::LeftButton);
  }
  void Print(int copies) {
    f.TypeEnter("Edit7", QString::number(copies));
    QPointer<QTimer> preview = AnswerNextModal(
        [](QWidget *modal) { QTest::mouseClick(modal->findChild<QPushButton *>("PrintButton"), Qt::LeftButton); },
        30000, [](QWidget *m) { return m->objectName() == QLatin1String("SheetPreviewForm"); });
    QPointer<QTimer> messages = AnswerNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->accept(); }, 30000,
                                                [](QWidget *m) { return qobject_cast<QMessageBox *>(m) != nullptr; });
    QTest::mouseClick(f.Find<QPushButton>("Button8"), Qt::LeftButton);
    delete preview.data();
    delete messages.data();
  }
};

TEST_F(FrameLabels, TwentyFourCopiesOnWholeDotsReadCentredInTheirLabels) {
  ChooseInDialog([&](TLabelSheetForm *form) {
    form->SheetComboBox->setCurrentIndex(form->SheetComboBox->findData(sheetName));
    EXPECT_TRUE(form->SnapCheckBox->isChecked()) << "on by default";
  });
  Print(24);
  const TLabelSheet sheet = *FindSheet(sheetName);
  const QImage page = Page(pdf, 600), at300 = Page(pdf, 300);
  ASSERT_FALSE(page.isNull());
  const int module = NearestModuleDots(TargetModuleDots(f.form->BarImage1->Scale(), 600, f.form->logicalDpiX(), 100));
  for (int i = 0; i < 24; ++i) {
    SCOPED_TRACE(i);
    const QRect label = LabelRectDots(sheet, i, 600, 600, {});
    const QRect symbol = Printed(page, label);
    ASSERT_FALSE(symbol.isEmpty());
    // The picture's white margins do not show: its bars and text are centred across.
    EXPECT_LE(std::abs((symbol.left() + symbol.right()) / 2.0 - (label.left() + label.right()) / 2.0) * 25.4 / 600,
              0.2);
    const std::vector<int> bars = DarkRuns(page, symbol.top() + symbol.height() / 3, symbol.left(), symbol.right() + 1);
    ASSERT_GT(bars.size(), 20u);
    for (int w : bars) EXPECT_EQ(w % module, 0) << w;
    for (const QImage *image : {&page, &at300}) {
      const int dpi = image == &page ? 600 : 300;
      // A band of rows through the bars, as a scanner's line crosses them.
      const QRect there = LabelRectDots(sheet, i, dpi, dpi, {});
      const QRect printed = Printed(*image, there);
      const QImage cut = image->copy(there.left(), printed.top() + printed.height() / 3 - 16, there.width(), 32);
      EXPECT_EQ(ReadWithZXing(cut, Format::EAN13), "4901234567894") << dpi;
      EXPECT_EQ(ReadWithZbar(cut, Format::EAN13), "4901234567894") << dpi;
    }
  }
}

TEST_F(FrameLabels, StartPositionAndThePrintersOffsetsMoveTheSymbolsExactly) {
  ChooseInDialog([&](TLabelSheetForm *form) {
    form->SheetComboBox->setCurrentIndex(form->SheetComboBox->findData(sheetName));
  });
  Print(1);
  const QImage plain = Page(pdf, 600);
  ChooseInDialog([&](TLabelSheetForm *form) {
    form->StartSpinBox->setValue(3);
    form->OffsetXSpinBox->setValue(1.27);
    form->OffsetYSpinBox->setValue(-0.51);  // two decimals: -0.51 mm = 12.05 dots, 12 on the page
  });
  Print(1);
  const QImage moved = Page(pdf, 600);
  const TLabelSheet sheet = *FindSheet(sheetName);
  const QRect first = Printed(plain, LabelRectDots(sheet, 0, 600, 600, {}));
  const QRect third = Printed(moved, LabelRectDots(sheet, 2, 600, 600, {}).adjusted(-40, -40, 40, 40));
  EXPECT_TRUE(Printed(moved, LabelRectDots(sheet, 0, 600, 600, {})).isEmpty());
  EXPECT_EQ(third.topLeft() - first.topLeft(),
            LabelRectDots(sheet, 2, 600, 600, {}).topLeft() - LabelRectDots(sheet, 0, 600, 600, {}).topLeft() +
                QPoint(30, -12));
  EXPECT_EQ(third.size(), first.size());

  // Kept across a restart: sheet, start, this printer's offsets, the dots option.
  const QString printerName = f.form->Printer().printerName();
  ASSERT_TRUE(f.form->close());
  TFrameForm again(f.dir.path());
  again.show();
  EXPECT_EQ(again.LabelSettings().Sheet, sheetName);
  EXPECT_EQ(again.LabelSettings().Start, 3);
  EXPECT_EQ(again.LabelSettings().OffsetOf(printerName), (TPrinterOffset{1270, -510}));
  EXPECT_TRUE(again.LabelSettings().SnapToDots);
}

// A symbol shrunk to fit its label is read back as printed: a user is warned only when it
// would not read, and told why.
TEST_F(FrameLabels, AShrunkSymbolIsWarnedAboutOnlyWhenItWouldNotRead) {
  struct Row {
    const char *note;
    TBarTypes type;
    const char *code;
    int dpi;
    bool warned;
  };
  const Row rows[] = {
      {"JAN on a 21.2 mm label at 600 dpi: 812 dots high, shrunk down to fit, bars as wide: reads", cbarJAN,
       "490123456789", 600, false},
      {"a long Code 39 on a 38.1 mm label at 150 dpi: 225 dots, wider even at 1 dot a module, cut", cbarCODE39,
       "PLOMIX-LABEL-TOO-LONG-1", 150, true},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.note);
    QFile::remove(pdf);
    f.form->Printer().setResolution(row.dpi);
    f.SetSymbology(row.type);
    f.TypeEnter("ComboBox1", U(row.code));
    ChooseInDialog([&](TLabelSheetForm *form) {
      form->SheetComboBox->setCurrentIndex(form->SheetComboBox->findData(QStringLiteral("A4 65面 38.1×21.2mm")));
    });
    f.TypeEnter("Edit7", QStringLiteral("2"));
    // The preview reads the symbols back too, and asks before printing unreadable ones: yes.
    QPointer<QTimer> preview = AnswerNextModal(
        [](QWidget *modal) {
          AnswerNextModal([](QWidget *box) { static_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click(); },
                          3000, [](QWidget *m) { return m->objectName() == QLatin1String("UnreadableQuestion"); });
          QTest::mouseClick(modal->findChild<QPushButton *>("PrintButton"), Qt::LeftButton);
        },
        30000, [](QWidget *m) { return m->objectName() == QLatin1String("SheetPreviewForm"); });
    QStringList messages;
    QPointer<QTimer> answer = AnswerNextModal(
        [&](QWidget *modal) {
          messages << static_cast<QMessageBox *>(modal)->text();
          static_cast<QDialog *>(modal)->accept();
        },
        30000, [](QWidget *m) {
          return qobject_cast<QMessageBox *>(m) != nullptr && m->objectName() != QLatin1String("UnreadableQuestion");
        });
    QTest::mouseClick(f.Find<QPushButton>("Button8"), Qt::LeftButton);
    delete preview.data();
    delete answer.data();
    ASSERT_GT(QFileInfo(pdf).size(), 0);
    // Asked larger than the label, the symbol was shrunk into it.
    const QRect label = LabelRectDots(*FindSheet(QStringLiteral("A4 65面 38.1×21.2mm")), 0, row.dpi, row.dpi, {});
    ASSERT_GT(std::max(f.form->BarImage1->Width() * row.dpi / f.form->logicalDpiX() - label.width(),
                       f.form->BarImage1->Height() * row.dpi / f.form->logicalDpiY() - label.height()),
              0);
    const QRect printed = Printed(Page(pdf, row.dpi), label.adjusted(-6, -6, 6, 6));  // less than half the 2.5 mm gap
    EXPECT_FALSE(printed.isEmpty());
    // Within its label; the clip's edge, at no whole point of the PDF, may round one dot out.
    EXPECT_TRUE(label.adjusted(-1, -1, 1, 1).contains(printed));
    if (!row.warned) {
      EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
      continue;
    }
    ASSERT_EQ(messages.size(), 1);
    const QStringList lines = messages.first().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2) << messages.first().toStdString();
    EXPECT_EQ(lines[0], U("ラベルに収まるよう縮小したバーコードのうち、2個は読み取れません。"));
    EXPECT_TRUE(lines[1].startsWith(U("読み取り確認: "))) << lines[1].toStdString();
    EXPECT_NE(lines[1], U("読み取り確認: OK"));
  }
}

}  // namespace
}  // namespace plomix::test
