// The label-sheet preview from the main window: the sheet's labels outlined and the
// skipped ones shaded, each symbol read back from the preview's page and marked when it
// would not read, and printing that asks first when one would not.
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QSpinBox>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "Labels/SheetTable.h"
#include "Preview/TSheetPreviewForm.h"
#include "SheetForm/TLabelSheetForm.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {
namespace {

const QString kSheetName = QStringLiteral("A4 24面 70×37mm");

struct FrameSheetPreview : ::testing::Test {
  FrameFixture f;
  QTemporaryDir out;
  QString pdf = out.filePath(QStringLiteral("labels.pdf"));

  FrameSheetPreview() {
    QPrinter &printer = f.form->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(300);
  }
  void ChooseSheet(int start) {
    AnswerNextModal([&](QWidget *modal) {
      auto *form = qobject_cast<TLabelSheetForm *>(modal);
      ASSERT_NE(form, nullptr);
      form->SheetComboBox->setCurrentIndex(form->SheetComboBox->findData(kSheetName));
      form->StartSpinBox->setValue(start);
      QTest::mouseClick(form->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(f.Find<QPushButton>("LabelSheetButton"), Qt::LeftButton);
  }
  void ChooseBarColour(const QColor &colour) {
    AnswerNextModal([colour](QWidget *modal) {
      auto *dialog = qobject_cast<QColorDialog *>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->setCurrentColor(colour);
      dialog->accept();
    });
    f.form->Button1->click();
  }
  // Presses 印刷 in the main window and hands the preview to `inPreview` while it is open.
  void OpenPreview(int copies, const std::function<void(TSheetPreviewForm *)> &inPreview) {
    f.TypeEnter("Edit7", QString::number(copies));
    bool seen = false;
    QPointer<QTimer> timer = AnswerNextModal(
        [&](QWidget *modal) {
          seen = true;
          inPreview(static_cast<TSheetPreviewForm *>(modal));
        },
        30000, [](QWidget *m) { return m->objectName() == QLatin1String("SheetPreviewForm"); });
    QTest::mouseClick(f.Find<QPushButton>("Button8"), Qt::LeftButton);
    delete timer.data();
    EXPECT_TRUE(seen) << "a sheet print shows its preview first";
  }
};

struct PreviewCase {
  const char *note;
  const char *code;
  QColor bar;
  int start, copies;
  int unreadable;  // marks expected with a cross
};

TEST_F(FrameSheetPreview, EverySymbolIsReadBackFromThePageAndMarked) {
  const PreviewCase cases[] = {
      {"black bars on white read", "490123456789", QColor(0, 0, 0), 1, 5, 0},
      {"from label 4: three labels skipped, five placed", "490123456789", QColor(0, 0, 0), 4, 5, 0},
      {"pale bars: every copy marked", "490123456789", QColor(225, 225, 225), 1, 3, 3},
  };
  const TLabelSheet sheet = *FindSheet(kSheetName);
  for (const PreviewCase &c : cases) {
    SCOPED_TRACE(c.note);
    ChooseSheet(c.start);
    ChooseBarColour(c.bar);
    f.TypeEnter("ComboBox1", c.code);
    OpenPreview(c.copies, [&](TSheetPreviewForm *preview) {
      const TSheetPicture &shown = preview->Shown();
      ASSERT_EQ(shown.Marks.size(), static_cast<std::size_t>(c.copies));
      EXPECT_EQ(shown.Unreadable(), c.unreadable);
      const QImage &page = shown.Page;
      const int dpi = TSheetPreviewForm::kPreviewDpi;
      for (int i = 0; i < sheet.LabelsPerSheet(); ++i) {
        const QRect label = LabelRectDots(sheet, i, dpi, dpi, {});
        // The outline: the label's top edge drawn in the outline colour.
        EXPECT_EQ(page.pixelColor(label.center().x(), label.top()), QColor(0x40, 0x80, 0xD0)) << i;
        const QColor inside = page.pixelColor(label.left() + 3, label.bottom() - 3);
        const QColor expected = i < c.start - 1 ? QColor(0xE0, 0xE0, 0xE0) : QColor(Qt::white);
        EXPECT_EQ(inside, expected) << "label " << i << ": the skipped ones are shaded";
      }
      for (std::size_t k = 0; k < shown.Marks.size(); ++k) {
        const QRect label = LabelRectDots(sheet, c.start - 1 + static_cast<int>(k), dpi, dpi, {});
        EXPECT_TRUE(label.contains(shown.Marks[k].Symbol)) << "symbol " << k << " in its label";
        const QColor frame = page.pixelColor(shown.Marks[k].Symbol.left() - 2, shown.Marks[k].Symbol.center().y());
        EXPECT_EQ(frame == QColor(255, 0, 0), !shown.Marks[k].Ok) << "a red frame round unreadable symbol " << k;
      }
      preview->reject();
    });
    EXPECT_FALSE(QFileInfo::exists(pdf)) << "closing the preview prints nothing";
  }
}

// A list print reads every record back as itself, not as the record shown in the window.
TEST_F(FrameSheetPreview, AListPrintReadsEachRecordAsItself) {
  ChooseSheet(1);
  for (const char *code : {"490123456789", "450123456789", "123456789012"}) f.TypeEnter("ComboBox1", code);
  bool seen = false;
  QPointer<QTimer> timer = AnswerNextModal(
      [&](QWidget *modal) {
        seen = true;
        auto *preview = static_cast<TSheetPreviewForm *>(modal);
        const TSheetPicture &shown = preview->Shown();
        EXPECT_EQ(shown.Marks.size(), 3u);
        EXPECT_EQ(shown.Unreadable(), 0);
        for (const TSheetMark &mark : shown.Marks) EXPECT_TRUE(mark.Ok) << mark.Verdict.toStdString();
        preview->reject();
      },
      30000, [](QWidget *m) { return m->objectName() == QLatin1String("SheetPreviewForm"); });
  QTest::mouseClick(f.Find<QPushButton>("Button10"), Qt::LeftButton);
  delete timer.data();
  EXPECT_TRUE(seen) << "a list print onto a sheet shows its preview first";
}

TEST_F(FrameSheetPreview, PrintingAsksFirstWhenASymbolWouldNotRead) {
  ChooseSheet(1);
  ChooseBarColour(QColor(225, 225, 225));
  f.TypeEnter("ComboBox1", "490123456789");
  struct Answer { QMessageBox::StandardButton button; bool printed; };
  for (const Answer answer : {Answer{QMessageBox::No, false}, Answer{QMessageBox::Yes, true}}) {
    bool asked = false, stillOpen = false;
    OpenPreview(2, [&](TSheetPreviewForm *preview) {
      AnswerNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        asked = box->objectName() == QLatin1String("UnreadableQuestion");
        box->button(answer.button)->click();
      }, 30000, [](QWidget *m) { return qobject_cast<QMessageBox *>(m) != nullptr; });
      QTest::mouseClick(preview->PrintButton, Qt::LeftButton);
      stillOpen = preview->isVisible();
      if (stillOpen) preview->reject();
    });
    EXPECT_TRUE(asked);
    EXPECT_EQ(stillOpen, !answer.printed) << "No keeps the preview open";
    EXPECT_EQ(QFileInfo::exists(pdf), answer.printed);
  }
}

}  // namespace
}  // namespace plomix::test
