// The status line's read-back verdict, through the window: after each drawing the shown
// symbol is read back and the verdict names why a symbol would not scan.
#include <QColorDialog>
#include <QLabel>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {
namespace {

struct Look {
  const char *note;  // where the expected verdict comes from
  TBarTypes type;
  const char *code;
  QColor bar, back;  // chosen in the colour dialogs
  TPictures picture;
  int angleKey;  // Ctrl+F1..F4 turns the symbol; 0 leaves it upright
  bool mirrored;  // Ctrl+F5
  const char *verdict;
};

constexpr const char *kOk = "読み取り確認: OK";
constexpr const char *kLowContrast = "読み取り確認: バーと背景の濃さの差が足りません";
constexpr const char *kLightBars = "読み取り確認: バーが背景より明るい";

const QColor kBlack(0, 0, 0), kWhite(255, 255, 255), kPaleGrey(225, 225, 225), kDarkGrey(40, 40, 40);

const Look kLooks[] = {
    {"zxing-cpp reads the default look", cbarCODE39, "ABC", kBlack, kWhite, picBMP, 0, false, kOk},
    {"the verdict reads a turned picture upright", cbarCODE39, "ABC", kBlack, kWhite, picBMP, Qt::Key_F2, false, kOk},
    {"and a mirrored one unmirrored", cbarJAN, "490123456789", kBlack, kWhite, picBMP, Qt::Key_F3, true, kOk},
    {"a metafile is replayed before it is read", cbarCODE39, "PLOMIX-24", kBlack, kWhite, picEMF, 0, false, kOk},
    {"the element check for a symbology zxing-cpp does not know", cbarMATRIX, "1234", kBlack, kWhite, picBMP, 0,
     false, kOk},
    {"the bar shapes of the customer barcode", cbarCUSTOMER, "1234567-8", kBlack, kWhite, picBMP, 0, false, kOk},
    {"pale bars on white: 30 of 255 in grey, under the 20 % contrast", cbarCODE39, "ABC", kPaleGrey, kWhite, picBMP,
     0, false, kLowContrast},
    {"the element check alone would match pale bars: the contrast is judged first", cbarMATRIX, "1234", kPaleGrey,
     kWhite, picBMP, 0, false, kLowContrast},
    {"white bars on a dark ground: scanners look for dark bars", cbarNW7, "A123B", kWhite, kDarkGrey, picBMP, 0,
     false, kLightBars},
};

void ChooseColour(QPushButton *button, const QColor &colour) {
  AnswerNextModal([colour](QWidget *modal) {
    auto *dialog = qobject_cast<QColorDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->setCurrentColor(colour);
    dialog->accept();
  });
  button->click();
}

TEST(FrameReadBack, TheStatusLineShowsTheVerdictOfEveryDrawing) {
  for (const Look &look : kLooks) {
    FrameFixture f;
    f.SetSymbology(look.type);
    f.Choose("ComboBox5", look.picture);
    ChooseColour(f.form->Button1, look.bar);
    ChooseColour(f.form->Button2, look.back);
    f.TypeEnter("ComboBox1", look.code);
    if (look.angleKey) f.Key(look.angleKey, Qt::ControlModifier);
    if (look.mirrored) f.Key(Qt::Key_F5, Qt::ControlModifier);
    auto *verdict = f.Find<QLabel>("ReadBackPanel");
    ASSERT_NE(verdict, nullptr);
    EXPECT_TRUE(f.form->BarImage1->BarDisped()) << look.note;
    EXPECT_TRUE(verdict->isVisible()) << look.note;
    EXPECT_EQ(verdict->text(), U(look.verdict)) << look.note;
    EXPECT_EQ(verdict->palette().color(QPalette::WindowText),
              std::string_view(look.verdict) == kOk ? QColor(0, 0, 255) : QColor(255, 0, 0))
        << look.note;
  }
}

TEST(FrameReadBack, ANewDrawingReplacesTheVerdictAndNoSymbolShowsNone) {
  FrameFixture f;
  f.SetSymbology(cbarCODE39);
  f.TypeEnter("ComboBox1", "ABC");
  auto *verdict = f.Find<QLabel>("ReadBackPanel");
  EXPECT_EQ(verdict->text(), U(kOk));
  ChooseColour(f.form->Button1, kPaleGrey);  // the colour change redraws the symbol
  EXPECT_EQ(verdict->text(), U(kLowContrast));
  ChooseColour(f.form->Button1, kBlack);
  EXPECT_EQ(verdict->text(), U(kOk));
  f.TypeEnter("ComboBox1", "abc");  // lower case: Code 39 cannot encode it
  ASSERT_FALSE(f.form->BarImage1->BarDisped());
  EXPECT_FALSE(verdict->isVisible()) << "no symbol on screen, no verdict";
}

// The verdict sits in the status line, under the status text, and covers nothing of the
// symbol area, however the window is sized.
TEST(FrameReadBack, TheVerdictSitsInTheStatusLineAndLeavesTheSymbolAreaFree) {
  FrameFixture f;
  f.SetSymbology(cbarJAN);
  f.TypeEnter("ComboBox1", "490123456789");
  auto *verdict = f.Find<QLabel>("ReadBackPanel");
  auto *status = f.Find<QLabel>("Panel5");
  auto *symbolArea = f.Find<QWidget>("ScrollBox1");
  ASSERT_TRUE(verdict && status && symbolArea);
  auto onWindow = [&](QWidget *w) { return QRect(w->mapTo(f.form.get(), QPoint(0, 0)), w->size()); };
  for (const QSize size : {QSize(368, 441), QSize(900, 700), QSize(368, 300)}) {
    f.form->resize(size);
    QApplication::processEvents();
    EXPECT_TRUE(verdict->isVisible());
    EXPECT_EQ(status->text(), U("表示しました。"));
    EXPECT_FALSE(onWindow(verdict).intersects(onWindow(symbolArea))) << size.width() << "x" << size.height();
    EXPECT_FALSE(onWindow(verdict).intersects(onWindow(status)));
    EXPECT_EQ(onWindow(verdict).left(), onWindow(status).left()) << "under the status text";
    EXPECT_TRUE(f.form->rect().contains(onWindow(verdict)));
  }
}

}  // namespace
}  // namespace plomix::test
