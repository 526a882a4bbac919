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

}  // namespace
}  // namespace plomix::test
