// The print controls of the main window: normal and list print through the preview to a
// PDF file read back by zxing-cpp, their messages, the symbol put back on every path,
// the printer set-up and the actual-size state.
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPointer>
#include <QPrinter>
#include <QToolButton>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "tests/support/ModalDialog.h"
#include "Preview/TPreviewForm.h"
#include "Print/Pagination.h"
#include "Symbol/Picture.h"
#include "tests/support/Oracles.h"
#include "tests/support/PdfPages.h"

namespace plomix::test {
namespace {

constexpr int kDpi = 300;

// A main window printing Code 39 to a PDF file at 300 dpi. Code 39 draws its mod 43
// check character by default, and readers report it.
struct PrintFixture {
  FrameFixture f;
  QTemporaryDir out;
  QString pdf = out.filePath(QStringLiteral("print.pdf"));
  PrintFixture() {
    f.SetSymbology(cbarCODE39);
    QPrinter &printer = f.form->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setResolution(kDpi);
  }
  // Clicks `button`; the preview that opens is checked by `look` and closed with
  // 印刷 or 閉じる. Messages after it are answered and their texts kept.
  QStringList Click(const char *button, bool print, std::function<void(TPreviewForm *)> look = {}) {
    auto messages = std::make_shared<QStringList>();
    // Message boxes are answered one after the other until the click returns.
    auto pending = std::make_shared<QPointer<QTimer>>();
    auto answerMessages = std::make_shared<std::function<void()>>();
    *answerMessages = [messages, pending, weak = std::weak_ptr(answerMessages)] {
      *pending = AnswerNextModal(
          [messages, weak](QWidget *modal) {
            *messages << static_cast<QMessageBox *>(modal)->text();
            static_cast<QDialog *>(modal)->accept();
            if (auto next = weak.lock()) (*next)();
          },
          3000, [](QWidget *modal) { return qobject_cast<QMessageBox *>(modal) != nullptr; });
    };
    (*answerMessages)();
    QPointer<QTimer> previewAnswer = AnswerNextModal(
        [=](QWidget *modal) {
          auto *preview = static_cast<TPreviewForm *>(modal);
          if (look) look(preview);
          QTest::mouseClick(print ? preview->Button1 : preview->Button2, Qt::LeftButton);
        },
        3000, [](QWidget *modal) { return qobject_cast<TPreviewForm *>(modal) != nullptr; });
    QTest::mouseClick(f.Find<QPushButton>(button), Qt::LeftButton);
    delete pending->data();
    delete previewAnswer.data();
    return *messages;
  }
  // The texts zxing-cpp reads from the symbols standing side by side in each band.
  std::vector<std::string> ReadRow(const QImage &page, int top, int height) const {
    std::vector<std::string> texts;
    for (const QRect &piece : SplitByWhiteColumns(page, top, top + height - 1, 12))
      texts.push_back(ReadWithZXing(WithQuietZone(page.copy(piece)), Format::Code39));
    return texts;
  }
};

struct FramePrint : ::testing::Test, PrintFixture {};

TEST_F(FramePrint, ListPrintPrintsThePrintableRecordsAndPutsTheSymbolBack) {
  f.AddCodes({"AB1", "bad*", "CD2", "x*y", "EF3"});
  f.Choose("ComboBox1", 0);
  int printable = -1;
  bool mode = false;
  const QStringList messages = Click("Button10", true, [&](TPreviewForm *preview) {
    printable = f.form->PrintableCount;
    mode = f.form->ListPrintMode;
    EXPECT_EQ(preview->windowTitle(), U("リスト印刷プレビュー  :  3個"));
  });
  EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
  EXPECT_EQ(printable, 3);
  EXPECT_TRUE(mode);
  EXPECT_FALSE(f.form->ListPrintMode);
  EXPECT_EQ(f.form->BarImage1->Code(), "AB1");
  const std::vector<QImage> pages = RenderPdfPages(pdf, kDpi);
  ASSERT_EQ(pages.size(), 1u);
  const QPoint origin = f.form->Printer().pageLayout().paintRectPixels(kDpi).topLeft();
  const int height = int(PrinterHeight(MetricsOf(*f.form, 100), f.form->BarImage1->Height()));
  EXPECT_EQ(ReadRow(pages[0], origin.y(), height), (std::vector<std::string>{"AB1M", "CD2R", "EF3W"}));
}

// What a window's symbol shows and holds; equal before and after a print.
struct SymbolSnapshot {
  std::string code, up, down;
  int frame, width, height;
  char start;
  QImage picture;
  explicit SymbolSnapshot(TBarImage &bar)
      : code(bar.Code()), up(bar.CommentUp()), down(bar.CommentDown()), frame(bar.BarFrame()),
        width(bar.Width()), height(bar.Height()), start(bar.StartChar()),
        picture(PictureToImage(bar.Picture())) {}
  bool operator==(const SymbolSnapshot &) const = default;
};

// Counts the window symbol's events, still passing them on to the window.
void CountEvents(TBarImage &bar, int &count) {
  for (TNotifyWatchEvent *event : {&bar.OnChangeCode, &bar.OnPaintBar, &bar.OnPaintedBar, &bar.OnChangedCode})
    *event = [&count, passOn = *event](TBarImage *sender, bool watch) {
      ++count;
      if (passOn) passOn(sender, watch);
    };
}

TEST(FramePrintSymbol, PrintsAndPreviewsLeaveTheWindowsSymbolAlone) {
  struct Row { const char *note; const char *button; bool print; TBarTypes type; int frame; };
  const Row rows[] = {
      {"list print with a frame the preview raises", "Button10", true, cbarCODE39, 1},
      {"list preview closed", "Button10", false, cbarCODE39, 0},
      {"copies with a frame the preview raises", "Button8", true, cbarCODE39, 1},
      {"copies preview closed", "Button8", false, cbarCODE39, 1},
      // Code 128 corrects the start set D to A when it encodes: counting must not write
      // that back into the window's symbol.
      {"list print of Code 128 with start D", "Button10", true, cbarCODE128, 0},
  };
  for (const Row &row : rows) {
    PrintFixture p;
    p.f.SetSymbology(row.type);
    p.f.AddCodes({"SY1", "bad*", "SY22", "SY3"});
    p.f.Choose("ComboBox1", 2);
    TBarImage &bar = *p.f.form->BarImage1;
    bar.SetBarFrame(static_cast<TFrameSize>(row.frame));
    if (row.type == cbarCODE128) bar.SetStartChar('D');
    const SymbolSnapshot before(bar);
    int events = 0;
    CountEvents(bar, events);
    bool previewed = false;
    p.Click(row.button, row.print, [&](TPreviewForm *preview) {
      previewed = true;
      EXPECT_EQ(events, 0) << row.note << ": while the preview is open";
      EXPECT_TRUE(SymbolSnapshot(bar) == before) << row.note << ": while the preview is open";
      ASSERT_NE(preview->Symbol(), nullptr) << row.note;
      EXPECT_EQ(preview->Symbol()->BarFrame(), row.frame == 1 ? 2 : row.frame) << row.note;
    });
    EXPECT_TRUE(previewed) << row.note;
    EXPECT_EQ(events, 0) << row.note;
    EXPECT_TRUE(SymbolSnapshot(bar) == before) << row.note;
    EXPECT_EQ(QFile::exists(p.pdf), row.print) << row.note;
  }
}

TEST_F(FramePrint, NormalPrintFillsTheGridWithTheCopies) {
  f.AddCodes({"GRID5"});
  QLineEdit *copies = f.Find<QLineEdit>("Edit7");
  copies->setFocus();
  copies->selectAll();
  QTest::keyClicks(QApplication::focusWidget(), "5");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  Click("Button8", true);
  const std::vector<QImage> pages = RenderPdfPages(pdf, kDpi);
  ASSERT_EQ(pages.size(), 1u);
  const TPrintMetrics metrics = MetricsOf(*f.form, 100);
  const TGridPagination grid(CellSteps(metrics, f.form->BarImage1->Width(), f.form->BarImage1->Height(),
                                       f.form->ColumnSpacing, f.form->RowSpacing),
                             metrics.PageWidth, metrics.PageHeight, 5);
  const QPoint origin = f.form->Printer().pageLayout().paintRectPixels(kDpi).topLeft();
  int read = 0;
  for (std::int64_t row = 0; row * grid.Columns() < 5; ++row) {
    const TPrintCell cell = grid.Cell(row * grid.Columns(), 100);
    for (const std::string &text : ReadRow(pages[0], origin.y() + int(cell.Y), int(cell.H))) {
      EXPECT_EQ(text, "GRID5-");
      ++read;
    }
  }
  EXPECT_EQ(read, 5);
}

TEST_F(FramePrint, ClosingThePreviewPrintsNothing) {
  f.AddCodes({"NO1"});
  Click("Button8", false);
  f.AddCodes({"NO2"});
  Click("Button10", false);
  EXPECT_FALSE(QFile::exists(pdf));
  EXPECT_EQ(f.form->BarImage1->Code(), "NO2");
  EXPECT_FALSE(f.form->ListPrintMode);
}

TEST(FramePrintMessages, NothingPrintableGivesItsMessageAndNoPreview) {
  struct Row { std::vector<const char *> codes; const char *button; const char *message; };
  const Row rows[] = {
      {{}, "Button8", "バーコード表示中でないと印刷出来ません。"},
      {{}, "Button10", "リストに表示可能なデータがない為印刷出来ません。"},
      {{"bad*", "x*y"}, "Button10", "リストに表示可能なデータがない為印刷出来ません。"},
  };
  for (const Row &row : rows) {
    PrintFixture p;
    for (const char *code : row.codes) p.f.TypeEnter("ComboBox1", U(code));
    bool previewed = false;
    const QStringList messages = p.Click(row.button, true, [&](TPreviewForm *) { previewed = true; });
    EXPECT_EQ(messages, QStringList{U(row.message)}) << row.button;
    EXPECT_FALSE(previewed);
    EXPECT_FALSE(p.f.form->ListPrintMode);
    if (!row.codes.empty()) {
      EXPECT_EQ(p.f.form->BarImage1->Code(), row.codes.back());
    }
  }
}

TEST_F(FramePrint, APrintErrorIsReportedAndTheSymbolComesBack) {
  f.AddCodes({"ER1", "ER2"});
  f.Choose("ComboBox1", 0);
  const QString unwritable = out.filePath(QStringLiteral("gone/print.pdf"));
  f.form->Printer().setOutputFileName(unwritable);
  const QStringList messages = Click("Button10", true);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(unwritable)) << messages[0].toStdString();
  EXPECT_EQ(f.form->BarImage1->Code(), "ER1");
  EXPECT_FALSE(f.form->ListPrintMode);
}

TEST_F(FramePrint, OnlyThePrinterSetUpAndTheScaleArrowsEndTheActualSizeState) {
  f.form->ActualSizeSwitch = true;
  QLineEdit *scale = f.Find<QLineEdit>("Edit8");
  scale->setFocus();
  scale->selectAll();
  QTest::keyClicks(QApplication::focusWidget(), "150");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(f.form->PrintScale(), 150);
  EXPECT_TRUE(f.form->ActualSizeSwitch) << "typing keeps it";
  QTest::mouseClick(f.Find<TUpDown>("UpDown8")->findChildren<QToolButton *>().first(), Qt::LeftButton);
  EXPECT_FALSE(f.form->ActualSizeSwitch) << "an arrow ends it";

  f.form->ActualSizeSwitch = true;
  bool setUpShown = false;
  AnswerNextModal([&](QWidget *modal) {
    setUpShown = qobject_cast<QPrintDialog *>(modal) != nullptr;
    static_cast<QDialog *>(modal)->reject();
  });
  QTest::mouseClick(f.Find<QPushButton>("Button9"), Qt::LeftButton);
  EXPECT_TRUE(setUpShown);
  EXPECT_FALSE(f.form->ActualSizeSwitch) << "whatever was chosen in the set-up";
}

}  // namespace
}  // namespace plomix::test
