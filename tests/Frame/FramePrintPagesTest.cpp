// The printed pages of the main window, pixel for pixel: each row prints a record list or
// copies of one symbol under settings that change the drawing (matched size or not, a
// frame the preview raises, a turn, a metafile) and compares the page rasterisation
// with the one the program printed when these rows were written.
#include <QCryptographicHash>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "Preview/TPreviewForm.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/PdfPages.h"

namespace plomix::test {
namespace {

// The pages as one digest: their count, sizes and pixels.
QByteArray PagesDigest(const std::vector<QImage> &pages) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  for (const QImage &page : pages) {
    const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    hash.addData(QByteArray::number(rgb.width()) + 'x' + QByteArray::number(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
      hash.addData(QByteArrayView(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 4));
  }
  return hash.result().toHex().left(16);
}

struct PageRow {
  const char *note;
  const char *button;  // Button8: copies of the shown symbol; Button10: the record list
  std::function<void(TBarImage &)> configure;
  const char *digest;  // recorded from the program's own print of this row
  bool snap = false;   // bars on the printer's whole dots; off: the picture stretched
};

TEST(FramePrintPages, PrintedPagesStayPixelForPixelTheSame) {
  const PageRow rows[] = {
      {"list, matched size", "Button10", [](TBarImage &) {}, "6a826b1e85a62521"},
      {"list, framed: raised only in the preview", "Button10",
       [](TBarImage &bar) { bar.SetBarFrame(1); }, "4f1beaab609686d9"},
      {"list, fixed size: records drawn into the control's bitmap", "Button10",
       [](TBarImage &bar) { bar.SetMatch(false); }, "69aae266c391338f"},
      {"list, turned a quarter and mirrored", "Button10",
       [](TBarImage &bar) { bar.SetAngle(90); bar.SetReverse(true); }, "4e41e2bdd0c2a3f6"},
      {"list, metafile", "Button10", [](TBarImage &bar) { bar.SetBarPicture(picEMF); }, "7386e47ce1eb5604"},
      {"copies, framed", "Button8", [](TBarImage &bar) { bar.SetBarFrame(1); }, "3bf92275c0319c5b"},
      {"copies, metafile turned", "Button8",
       [](TBarImage &bar) { bar.SetBarPicture(picWMF); bar.SetAngle(180); }, "77f392348ddb1c17"},
      // On whole dots (recorded when they were first printed so, and looked at; judged on
      // the page by FramePrintDotsTest): turned and mirrored as the bitmap is. At 150 dpi a
      // module asks 1.5625 dots; 2 would overflow the cell, so each gets 1.
      {"dots: list, matched size", "Button10", [](TBarImage &) {}, "29e08b82dfab21fb", true},
      {"dots: list, turned a quarter and mirrored", "Button10",
       [](TBarImage &bar) { bar.SetAngle(90); bar.SetReverse(true); }, "e036c45f2eb44548", true},
      {"dots: copies, framed", "Button8", [](TBarImage &bar) { bar.SetBarFrame(1); }, "bd8a0c1a183d1221", true},
      {"dots: copies, metafile", "Button8", [](TBarImage &bar) { bar.SetBarPicture(picEMF); }, "a294102fd922d4a2", true},
  };
  for (const PageRow &row : rows) {
    FrameFixture f;
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("pages.pdf"));
    f.SetSymbology(cbarCODE39);
    QPrinter &printer = f.form->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(150);
    f.form->LabelSettings().SnapToDots = row.snap;
    f.AddCodes({"PG1", "bad*", "PAGE22", "P3"});
    f.TypeEnter("ComboBox7", U("上の注釈"));
    f.Choose("ComboBox1", 2);
    row.configure(*f.form->BarImage1);
    QLineEdit *copies = f.Find<QLineEdit>("Edit7");
    copies->setFocus();
    copies->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "4");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    AnswerNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->accept(); }, 3000,
                    [](QWidget *modal) { return qobject_cast<TPreviewForm *>(modal) != nullptr; });
    QTest::mouseClick(f.Find<QPushButton>(row.button), Qt::LeftButton);
    const std::vector<QImage> pages = RenderPdfPages(pdf, 150);
    ASSERT_FALSE(pages.empty()) << row.note;
    EXPECT_EQ(PagesDigest(pages).toStdString(), row.digest) << row.note;
  }
}

}  // namespace
}  // namespace plomix::test
