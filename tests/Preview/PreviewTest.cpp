// The print preview driven through its buttons on the offscreen platform, over a host
// that holds a symbol, a record list and a PDF printer.
#include <QFile>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "Symbol/Picture.h"
#include "BarImage/TBarImage.h"
#include "Records/RecordList.h"
#include "Symbol/SymbolDefaults.h"
#include "Labels/DotDrawing.h"
#include "Preview/TPreviewForm.h"
#include "Print/PrintState.h"
#include "Progress/TProgressForm.h"
#include "tests/support/ModalDialog.h"

namespace plomix {
namespace {

struct Host : TPrintHost {
  TBarImage bar;
  TRecordList records;
  TPrintState state;
  int scale = 100, copies = 1;
  bool snap = false;
  QPrinter printer{QPrinter::HighResolution};

  Host() {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(300);
    ApplySymbolDesignDefaults(bar);
    bar.SetBarType(cbarCODE39);
    bar.SetCode("PREVIEW1");
  }
  TPrintState &PrintState() override { return state; }
  const TBarSymbol &PrintSymbol() const override { return bar; }
  const TRecordList &PrintRecords() const override { return records; }
  int PrintScale() const override { return scale; }
  void SetPrintScale(int percent) override { scale = std::clamp(percent, 10, 1000); }
  int PrintCopies() const override { return copies; }
  QPrinter &Printer() override { return printer; }
  bool PrintSnapToDots() const override { return snap; }
};

bool AllWhite(const QImage &image, const QRect &area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

void Show(TPreviewForm &preview) {
  preview.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
}

TEST(Preview, OneCopyShowsOnePageAndNoPaging) {
  Host host;
  TPreviewForm preview(host, nullptr);
  Show(preview);
  EXPECT_EQ(preview.PageCount, 1);
  EXPECT_FALSE(preview.Button3->isEnabled());
  EXPECT_FALSE(preview.Button4->isEnabled());
  EXPECT_EQ(preview.Label1->text(), QString::fromUtf8("1ページ目"));
  EXPECT_TRUE(preview.Label2->text().isEmpty());
  const int pageWidth = host.state.PageWidth * preview.Zoom() / 100;
  const QImage &image = preview.PreviewImage;
  EXPECT_FALSE(AllWhite(image, QRect(10, 10, pageWidth, 40))) << "the symbol in the left page";
  EXPECT_TRUE(AllWhite(image, QRect(pageWidth + 16, 0, image.width() - pageWidth - 16, image.height())))
      << "the right half stays blank: no frame";
  EXPECT_EQ(preview.windowTitle(), QString::fromUtf8("印刷プレビュー  :  1個"));
  EXPECT_EQ(image.width(), 2 * pageWidth + 35);
}

TEST(Preview, ThreePagesOfCopiesPageOnceThenStop) {
  Host host;
  TPreviewForm probe(host, nullptr);
  Show(probe);
  host.copies = static_cast<int>(3 * probe.SymbolsPerPage);
  probe.reject();
  TPreviewForm preview(host, nullptr);
  Show(preview);
  EXPECT_EQ(preview.PageCount, 3);
  EXPECT_EQ(preview.Label2->text(), QString::fromUtf8("2ページ目"));
  ASSERT_TRUE(preview.Button4->isEnabled());
  QTest::mouseClick(preview.Button4, Qt::LeftButton);
  EXPECT_EQ(preview.CurrentPage, 2);
  EXPECT_EQ(preview.Label1->text(), QString::fromUtf8("2ページ目"));
  EXPECT_EQ(preview.Label2->text(), QString::fromUtf8("3ページ目"));
  EXPECT_FALSE(preview.Button4->isEnabled());
  EXPECT_TRUE(preview.Button3->isEnabled());
  QTest::mouseClick(preview.Button3, Qt::LeftButton);
  EXPECT_EQ(preview.CurrentPage, 1);
  EXPECT_FALSE(preview.Button3->isEnabled());
}

TEST(Preview, ListModeLearnsThePageCountOnTheLastView) {
  Host host;
  for (int i = 0; i < 40; ++i)
    host.records.Insert(host.records.Count(), {i % 7 == 3 ? "bad*" : "R" + std::to_string(i), "", ""});  // "*" is no data
  host.scale = 400;
  host.state.ListPrintMode = true;
  host.state.PrintableCount = 34;
  TPreviewForm preview(host, nullptr);
  Show(preview);
  EXPECT_EQ(preview.windowTitle(), QString::fromUtf8("リスト印刷プレビュー  :  34個"));
  int views = 1;
  while (preview.Button4->isEnabled() && views < 100) {
    EXPECT_EQ(preview.PageCount, 10000) << "unknown before the last page is laid out";
    QTest::mouseClick(preview.Button4, Qt::LeftButton);
    ++views;
  }
  EXPECT_LT(preview.PageCount, 10000);
  EXPECT_GT(preview.PageCount, 2);
  EXPECT_TRUE(preview.PageCount == preview.CurrentPage || preview.PageCount == preview.CurrentPage + 1);
  ASSERT_NE(preview.Symbol(), nullptr);
  EXPECT_EQ(preview.Symbol()->Code(), "R39") << "the preview's symbol holds the last record loaded";
  EXPECT_EQ(host.bar.Code(), "PREVIEW1") << "the window's symbol is left alone";
}

TEST(Preview, ActualSizeDrawsTheSymbolAtItsScreenSizeUntilTheScaleChanges) {
  Host host;
  host.bar.SetBarFrame(1);
  {
    TPreviewForm preview(host, nullptr);
    Show(preview);
    ASSERT_NE(preview.Symbol(), nullptr);
    EXPECT_EQ(preview.Symbol()->BarFrame(), 2) << "raised in the preview's pictures";
    EXPECT_EQ(host.bar.BarFrame(), 1) << "not on the window's symbol";
    QTest::mouseClick(preview.Button5, Qt::LeftButton);
    EXPECT_FALSE(preview.Button5->isEnabled());
    EXPECT_TRUE(host.state.ActualSizeSwitch);
    EXPECT_EQ(preview.Symbol()->BarFrame(), 2) << "raised once";
    const int width = preview.Symbol()->Width();
    const std::int64_t cellWidth = PrinterWidth(MetricsOf(host.state, host.scale), width) * preview.Zoom() / 100;
    EXPECT_NEAR(cellWidth, width, width / 50 + 1) << "scale " << host.scale;
    preview.accept();
  }
  EXPECT_EQ(host.bar.BarFrame(), 1);
  {
    TPreviewForm again(host, nullptr);
    Show(again);
    EXPECT_FALSE(again.Button5->isEnabled()) << "the scale is still the actual size";
    again.reject();
  }
  host.scale += 1;
  TPreviewForm changed(host, nullptr);
  Show(changed);
  EXPECT_TRUE(changed.Button5->isEnabled());
  EXPECT_FALSE(host.state.ActualSizeSwitch);
}

TEST(Preview, SavesJpegForJpgNamesInAnyCaseAndElseABitmap) {
  Host host;
  QTemporaryDir dir;
  TPreviewForm preview(host, nullptr);
  Show(preview);
  struct Row { const char *name; QByteArray magic; };
  const Row rows[] = {{"a.JPG", "\xFF\xD8\xFF"}, {"b.jpeg", "\xFF\xD8\xFF"}, {"c.png", "BM"}, {"d.bmp", "BM"}};
  for (const Row &row : rows) {
    const QString path = dir.filePath(QString::fromLatin1(row.name));
    test::AnswerNextModal([path](QWidget *modal) {
      auto *dialog = qobject_cast<QFileDialog *>(modal);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->objectName(), QStringLiteral("SaveDialog1"));
      // Typed into the name box, as a user does.
      dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(preview.Button7, Qt::LeftButton);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << row.name << QDir(dir.path()).entryList().join(",").toStdString();
    EXPECT_TRUE(file.readAll().startsWith(row.magic)) << row.name;
  }
}

TEST(Preview, TheProgressWindowIsSteppedToItsMaximum) {
  TProgressForm progress;
  ProgressForm = &progress;
  int highest = -1, maximum = -1;
  QObject::connect(progress.ProgressBar1, &QProgressBar::valueChanged, [&](int value) {
    if (progress.isVisible()) {
      highest = std::max(highest, value);
      maximum = progress.ProgressBar1->maximum();
    }
  });
  Host host;
  host.copies = 7;
  {
    TPreviewForm preview(host, nullptr);
    Show(preview);
    EXPECT_FALSE(progress.isVisible()) << "closed after composing";
  }
  ProgressForm = nullptr;
  EXPECT_EQ(maximum, 7);
  EXPECT_EQ(highest, 7);
}


namespace reduction {

// The smallest rectangle holding every pixel of `area` darker than white.
QRect InkBounds(const QImage &image, const QRect &area) {
  QRect bounds;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 255) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

// One row across the symbol's bars, 40 % down its ink: the ink of every pixel (255 less
// its grey) and the widest white run between the first and the last inked pixel.
struct RowInk {
  double ink = 0;
  int widestWhite = 0;
};
RowInk MeasureRow(const QImage &image, const QRect &bounds) {
  RowInk row;
  const int y = bounds.top() + bounds.height() * 2 / 5;
  int white = 0;
  for (int x = bounds.left(); x <= bounds.right(); ++x) {
    const int grey = qGray(image.pixel(x, y));
    row.ink += 255 - grey;
    white = grey == 255 ? white + 1 : 0;
    row.widestWhite = std::max(row.widestWhite, white);
  }
  return row;
}

}  // namespace reduction

// The reduced page shows the page as it will come out: each symbol's row of bars keeps
// its ink (area averaging), and no bar drops out to leave a white gap wider than the
// symbol's widest space reduced. Picking whole pixels instead keeps a bar only where a
// sample falls on it.
TEST(Preview, TheReducedPageKeepsEveryBar) {
  const struct {
    int scale;
    const char *note;
  } rows[] = {
      {100, "the design scale: the page about a tenth of the printer's dots"},
      {150, "a scale between whole ratios"},
      {60, "smaller symbols"},
  };
  for (const auto &row : rows) {
    SCOPED_TRACE(row.note);
    Host host;
    host.scale = row.scale;
    TPreviewForm preview(host, nullptr);
    Show(preview);
    const QImage source = PictureToImage(host.bar.Picture());
    const QRect sourceInk = reduction::InkBounds(source, source.rect());
    const int pageWidth = host.state.PageWidth * preview.Zoom() / 100;
    const int pageHeight = host.state.PageHeight * preview.Zoom() / 100;
    const QRect shownInk = reduction::InkBounds(preview.PreviewImage, QRect(10, 10, pageWidth, pageHeight));
    ASSERT_FALSE(shownInk.isEmpty());
    // The first symbol only: it ends where the first wide white gap does.
    QRect first = shownInk;
    for (int x = shownInk.left(), white = 0; x <= shownInk.right(); ++x) {
      bool blank = true;
      for (int y = shownInk.top(); y <= shownInk.bottom() && blank; ++y)
        blank = qGray(preview.PreviewImage.pixel(x, y)) == 255;
      white = blank ? white + 1 : 0;
      if (white > 4) {
        first.setRight(x - white);
        break;
      }
    }
    const double ratio = double(first.width()) / sourceInk.width();
    ASSERT_LT(ratio, 1.0) << "the page is reduced";
    const reduction::RowInk want = reduction::MeasureRow(source, sourceInk);
    const reduction::RowInk got = reduction::MeasureRow(preview.PreviewImage, first);
    EXPECT_NEAR(got.ink / ratio, want.ink, want.ink * 0.1) << "ink of the row, ratio " << ratio;
    EXPECT_LE(got.widestWhite, int(want.widestWhite * ratio) + 1) << "a white gap where bars were";
  }
}

// The ink of the left page: the box of the pixels that are not white.
QRect InkOfLeftPage(const TPreviewForm &preview, const Host &host) {
  const QImage &image = preview.PreviewImage;
  const QRect page(10, 10, host.state.PageWidth * preview.Zoom() / 100, host.state.PageHeight * preview.Zoom() / 100);
  QRect ink;
  for (int y = page.top(); y <= page.bottom(); ++y)
    for (int x = page.left(); x <= page.right(); ++x)
      if (qRed(image.pixel(x, y)) < 250) ink |= QRect(x, y, 1, 1);
  return ink;
}

// With the bars on whole dots the preview shows what the print draws: at 300 dpi and
// 150 % a module of 1 px on a 96-dpi screen asks 4.6875 dots; 5 would overflow its cell, so
// 4 are drawn, and the symbol is 4 / 4.6875 as wide as the stretched picture, centred on
// the same cell.
TEST(Preview, OnWholeDotsTheSymbolIsShownAsPrintedCentredInItsCell) {
  QRect ink[2];
  double asked = 0;
  for (const bool snap : {false, true}) {
    Host host;
    host.snap = snap;
    host.scale = 150;
    TPreviewForm preview(host, nullptr);
    Show(preview);
    asked = TargetModuleDots(host.bar.Scale(), host.printer.logicalDpiX(), preview.logicalDpiX(), 150);
    ink[snap] = InkOfLeftPage(preview, host);
    ASSERT_FALSE(ink[snap].isEmpty()) << snap;
  }
  ASSERT_GT(asked, 4.5);
  ASSERT_LT(asked, 5.0);
  EXPECT_NEAR(ink[1].width(), ink[0].width() * 4 / asked, 2.0);
  EXPECT_NEAR(ink[1].height(), ink[0].height() * 4 / asked, 2.0);
  EXPECT_NEAR(ink[1].center().x(), ink[0].center().x(), 1.5);
  EXPECT_NEAR(ink[1].center().y(), ink[0].center().y(), 1.5);
}

}  // namespace
}  // namespace plomix
