// The main window's record list and symbol controls, driven through their named controls.
#include <QAbstractItemModelTester>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QToolButton>
#include <gtest/gtest.h>

#include "FrameTestSupport.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/UrlCatcher.h"

namespace plomix::test {
namespace {

using Strings = std::vector<std::string>;

// Code 39 encodes digits and upper-case letters, so records draw a symbol.
struct FrameControls : ::testing::Test {
  FrameFixture f;
  // Every handler's change of the record list goes through a well-behaved model.
  QAbstractItemModelTester tester{f.form->Records(), QAbstractItemModelTester::FailureReportingMode::Fatal};
  void SetUp() override { f.SetSymbology(cbarCODE39); }
  TBarImage *Bar() const { return f.form->BarImage1; }
  QString LabelText(const char *name) const { return f.Find<QLabel>(name)->text(); }
  void ClickArrow(const char *upDown, const char *arrow) const {
    QTest::mouseClick(f.Find<TUpDown>(upDown)->findChild<QToolButton *>(arrow), Qt::LeftButton);
  }
};

TEST_F(FrameControls, EnterWithAKnownCodeSelectsItAndKeepsItsStoredComments) {
  f.TypeText("ComboBox7", U("上"));
  f.TypeText("ComboBox8", U("下"));
  f.TypeEnter("ComboBox1", "A1");
  f.AddCodes({"B2"});
  f.TypeText("ComboBox7", U("別"));
  f.TypeEnter("ComboBox1", "A1");
  EXPECT_EQ(f.form->CurrentIndex(), 0);
  EXPECT_EQ(f.Box("ComboBox7")->currentText(), U("上"));
  EXPECT_EQ(Bar()->CommentUp(), UnicodeToSjis(U("上")));
  EXPECT_EQ(Bar()->CommentDown(), UnicodeToSjis(U("下")));
  EXPECT_EQ(Bar()->Code(), "A1");
  EXPECT_EQ(f.form->ShownIndex, 0);
}

// Keys go where the keyboard sends them: to the focus widget, which for an editable box
// is the box itself and not its line edit.
TEST_F(FrameControls, EnterAndKeypadEnterFromTheKeyboardAddRecordsAndStoreComments) {
  struct Row { int key; Qt::KeyboardModifiers modifiers; };
  for (const Row row : {Row{Qt::Key_Return, Qt::NoModifier}, Row{Qt::Key_Enter, Qt::KeypadModifier}}) {
    FrameFixture g;
    g.TypeText("ComboBox1", "490123456789");
    EXPECT_EQ(QApplication::focusWidget(), g.Box("ComboBox1"));
    g.Key(row.key, row.modifiers);
    EXPECT_EQ(g.Codes(), Strings{"490123456789"}) << row.key;
    EXPECT_TRUE(g.form->BarImage1->BarDisped()) << row.key;
    for (const char *box : {"ComboBox7", "ComboBox8"}) {
      g.TypeText(box, U("コメント") + box);
      g.Key(row.key, row.modifiers);
    }
    const TDataRecord stored = g.form->Records()->Record(0);
    EXPECT_EQ(stored.CommentUp, UnicodeToSjis(U("コメントComboBox7"))) << row.key;
    EXPECT_EQ(stored.CommentDown, UnicodeToSjis(U("コメントComboBox8"))) << row.key;
    EXPECT_EQ(g.form->BarImage1->CommentDown(), stored.CommentDown) << row.key;
  }
}

TEST_F(FrameControls, ANewCodeGoesRightAfterTheShownRecord) {
  struct Row { int shown; const char *code; Strings expected; const char *note; };
  const Row rows[] = {
      {0, "X", {"A", "X", "B", "C"}, "after the first"},
      {2, "X", {"A", "B", "C", "X"}, "shown record is the last: appended"},
  };
  for (const Row &row : rows) {
    FrameFixture g;
    g.SetSymbology(cbarCODE39);
    g.AddCodes({"A", "B", "C"});
    g.Choose("ComboBox1", row.shown);
    g.TypeEnter("ComboBox1", U(row.code));
    EXPECT_EQ(g.Codes(), row.expected) << row.note;
    EXPECT_EQ(g.form->CurrentIndex(), row.shown + 1) << row.note;
    EXPECT_EQ(g.form->ShownIndex, row.shown + 1) << row.note;
  }
}

TEST_F(FrameControls, EnterWithAnEmptyCodeAddsNothing) {
  f.TypeEnter("ComboBox1", "");
  EXPECT_TRUE(f.Codes().empty());
}

TEST_F(FrameControls, TypingInTheCodeBoxDropsTheSelectionAndEmptiesTheCommentBoxes) {
  f.TypeText("ComboBox7", U("上"));
  f.TypeEnter("ComboBox1", "A1");
  f.Key(Qt::Key_End);
  f.Type("9");
  EXPECT_EQ(f.form->CurrentIndex(), -1);
  EXPECT_EQ(f.Box("ComboBox1")->currentText(), "A19");
  EXPECT_EQ(f.Box("ComboBox7")->currentText(), "");
  EXPECT_EQ(Bar()->Code(), "A1") << "nothing reaches the symbol before Enter";
}

TEST_F(FrameControls, ChoosingACommentMovesToItsRecord) {
  f.TypeText("ComboBox7", "u1");
  f.TypeEnter("ComboBox1", "A");
  f.TypeText("ComboBox7", "u2");
  f.TypeEnter("ComboBox1", "B");
  f.Choose("ComboBox7", 0);
  EXPECT_EQ(f.form->CurrentIndex(), 0);
  EXPECT_EQ(f.form->ShownIndex, 0);
  EXPECT_EQ(Bar()->Code(), "A");
  EXPECT_EQ(Bar()->CommentUp(), "u1");
}

TEST_F(FrameControls, EnterInACommentBoxReplacesBothCommentsOfTheCurrentRecordOnly) {
  f.AddCodes({"A", "B"});
  f.TypeText("ComboBox8", "d");
  f.TypeEnter("ComboBox7", "u");
  EXPECT_EQ(f.form->Records()->Record(1).CommentUp, "u");
  EXPECT_EQ(f.form->Records()->Record(1).CommentDown, "d");
  EXPECT_EQ(f.form->Records()->Record(1).Code, "B");
  EXPECT_EQ(f.form->Records()->Record(0).CommentUp, "");
  EXPECT_EQ(Bar()->CommentUp(), "u");
  EXPECT_EQ(Bar()->CommentDown(), "d");
}

TEST_F(FrameControls, EnterInACommentBoxWithoutARecordAddsOneWithTheTypedTexts) {
  f.TypeText("ComboBox1", "NEW");
  f.TypeEnter("ComboBox7", "u");
  EXPECT_EQ(f.Codes(), Strings{"NEW"});
  EXPECT_EQ(f.form->Records()->Record(0).CommentUp, "u");
}

TEST_F(FrameControls, DeletingTheOnlyRecordEmptiesTheBoxesAndTheSymbol) {
  f.TypeText("ComboBox7", "u");
  f.TypeEnter("ComboBox1", "A1");
  QTest::mouseClick(f.Find<QPushButton>("Button5"), Qt::LeftButton);
  EXPECT_TRUE(f.Codes().empty());
  for (const char *box : {"ComboBox1", "ComboBox7", "ComboBox8"}) {
    EXPECT_EQ(f.Box(box)->currentText(), "") << box;
    EXPECT_EQ(f.Box(box)->currentIndex(), -1) << box;
  }
  EXPECT_EQ(Bar()->Code(), "");
  EXPECT_EQ(Bar()->CommentUp(), "");
  EXPECT_FALSE(Bar()->BarDisped());
  EXPECT_EQ(LabelText("Label1"), U("バーコード文字列 (0 of 0)"));
  EXPECT_EQ(f.form->ShownIndex, -1);
}

TEST_F(FrameControls, DeletingSelectsTheSameIndexOrTheNewLastRecord) {
  struct Row { int selected; Strings left; int expected; const char *shows; };
  const Row rows[] = {{2, {"A", "B"}, 1, "B"}, {0, {"B", "C"}, 0, "B"}};
  for (const Row &row : rows) {
    FrameFixture g;
    g.SetSymbology(cbarCODE39);
    g.AddCodes({"A", "B", "C"});
    g.Choose("ComboBox1", row.selected);
    g.form->Button5Click();
    EXPECT_EQ(g.Codes(), row.left);
    EXPECT_EQ(g.form->CurrentIndex(), row.expected);
    EXPECT_EQ(g.form->BarImage1->Code(), row.shows);
  }
}

TEST_F(FrameControls, TheMoveArrowsExchangeRecordsAndDoNothingAtTheEnds) {
  struct Row { int selected; const char *arrow; Strings after; int current; };
  const Row rows[] = {
      {0, "UpButton", {"A", "B", "C"}, 0},    // up on the first: nothing
      {2, "DownButton", {"A", "B", "C"}, 2},  // down on the last: nothing
      {1, "UpButton", {"B", "A", "C"}, 0},
      {1, "DownButton", {"A", "C", "B"}, 2},
  };
  for (const Row &row : rows) {
    FrameFixture g;
    g.SetSymbology(cbarCODE39);
    // A user types the code (which empties the comment boxes), then the comment, then Enter.
    for (const char *code : {"A", "B", "C"}) {
      g.TypeText("ComboBox1", code);
      g.TypeEnter("ComboBox7", QStringLiteral("u") + code);
    }
    g.Choose("ComboBox1", row.selected);
    QTest::mouseClick(g.Find<TUpDown>("UpDown11")->findChild<QToolButton *>(row.arrow), Qt::LeftButton);
    EXPECT_EQ(g.Codes(), row.after) << row.selected << row.arrow;
    EXPECT_EQ(g.form->CurrentIndex(), row.current) << row.selected << row.arrow;
    const std::string code = row.after[row.current];
    EXPECT_EQ(g.form->BarImage1->Code(), code);
    EXPECT_EQ(g.form->BarImage1->CommentUp(), "u" + code) << "comments move with their code";
    EXPECT_EQ(g.form->ShownIndex, row.current);
  }
}

TEST_F(FrameControls, TheMoveControlResetsBeyondAThousandAndIgnoresThatPress) {
  f.AddCodes({"A", "B"});
  auto *upDown = f.Find<TUpDown>("UpDown11");
  upDown->setPosition(1001);
  ClickArrow("UpDown11", "UpButton");
  EXPECT_EQ(upDown->Position(), 0);
  EXPECT_EQ(f.Codes(), (Strings{"A", "B"})) << "the press that reset does not move";
  upDown->setPosition(1000);
  ClickArrow("UpDown11", "UpButton");
  EXPECT_EQ(f.Codes(), (Strings{"B", "A"}));
}

TEST_F(FrameControls, StatusRefreshShowsSuccessInBlueAndFailureInRed) {
  f.TypeEnter("ComboBox1", "ABC");
  auto *status = f.Find<QLabel>("Panel5");
  EXPECT_EQ(status->text(), U("表示しました。"));
  EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(LabelText("Panel4"), QString::number(Bar()->BarWidth()));
  EXPECT_GT(Bar()->BarWidth(), 0);
  EXPECT_EQ(LabelText("Label1"), U("バーコード文字列 (1 of 1)"));
  f.TypeEnter("ComboBox1", "abc");  // lower case: Code 39 cannot encode it
  EXPECT_EQ(status->text(), U("表示出来ません。"));
  EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(LabelText("Panel4"), "0");
  EXPECT_EQ(f.Codes(), (Strings{"ABC", "abc"})) << "an unencodable code stays in the list";
  EXPECT_EQ(LabelText("Label1"), U("バーコード文字列 (2 of 2)"));
}

TEST_F(FrameControls, TheCheckDigitPanelShowsTheCheckCharacterAndItsValue) {
  auto *panel = f.Find<QLabel>("Panel1");
  f.TypeEnter("ComboBox1", "ABC");  // Code 39 mod 43: 10+11+12 = 33 -> 'X'
  ASSERT_TRUE(Bar()->CD());
  EXPECT_EQ(panel->text(), "X (33)");
  EXPECT_EQ(panel->toolTip(), U("チェックデジット(カッコ内は数値ベース)"));
  QTest::mouseClick(f.Find<QCheckBox>("CheckBox1"), Qt::LeftButton);
  EXPECT_FALSE(Bar()->CD());
  EXPECT_EQ(panel->text(), "");
  EXPECT_EQ(panel->toolTip(), U("チェックデジット"));
}

// Product numbers are pasted as printed, with their check digit: a right one draws, a
// wrong one is refused and the check digit panel names the right digit.
TEST_F(FrameControls, ANumberWithItsCheckDigitDrawsAndAWrongDigitIsNamed) {
  struct Row { TBarTypes type; const char *code; bool drawn; QString panel; const char *note; };
  const Row rows[] = {
      {cbarJAN, "4901234567894", true, " (4)", "the form on every product"},
      {cbarJAN, "4901234567890", false, U("4 にして下さい"), "last digit wrong"},
      {cbarJAN, "96385074", true, " (4)", "short JAN with its check digit"},
      {cbarUPC, "036000291459", false, U("2 にして下さい"), "UPC-A, last digit wrong"},
      {cbarUPC, "04252614", true, " (4)", "UPC-E with its check digit"},
  };
  auto *status = f.Find<QLabel>("Panel5");
  auto *panel = f.Find<QLabel>("Panel1");
  const QColor normal = panel->palette().color(QPalette::WindowText);
  for (const Row &row : rows) {
    f.SetSymbology(row.type);
    f.TypeEnter("ComboBox1", row.code);
    EXPECT_EQ(Bar()->BarDisped(), row.drawn) << row.note;
    EXPECT_EQ(status->text(), row.drawn ? U("表示しました。") : U("表示出来ません。")) << row.note;
    EXPECT_EQ(panel->text(), row.panel) << row.note;
    EXPECT_EQ(panel->palette().color(QPalette::WindowText), row.drawn ? normal : QColor(255, 0, 0)) << row.note;
    if (!row.drawn) {
      EXPECT_TRUE(panel->toolTip().contains(U("チェックデジットが違います。"))) << row.note;
      EXPECT_EQ(status->toolTip(), panel->toolTip()) << row.note;
    } else {
      EXPECT_TRUE(status->toolTip().isEmpty()) << row.note;
    }
  }
}

TEST_F(FrameControls, UpcConversionKeepsAGivenCheckDigit) {
  f.SetSymbology(cbarUPC);
  f.TypeEnter("ComboBox1", "042100005264");
  ASSERT_TRUE(Bar()->BarDisped());
  QTest::mouseClick(f.Find<QPushButton>("Button7"), Qt::LeftButton);
  EXPECT_EQ(f.Find<QLabel>("Panel5")->text(), U("変換しました。"));
  EXPECT_EQ(Bar()->Code(), "04252614");
  EXPECT_EQ(f.Box("ComboBox1")->currentText(), "04252614");
}

// One row per symbology: which controls apply (height, check digit, element ratio) and
// what the start and stop boxes show.
TEST_F(FrameControls, TheSymbologyChangeSetsTheControlsByTheTable) {
  struct Row { TBarTypes type; bool height, cdEnabled, ratio; const char *start, *stop; bool startList, stopList; };
  const Row rows[] = {
      {cbarJAN, true, false, false, " ", " ", false, false},
      {cbarUPC, true, false, false, " ", " ", false, false},
      {cbarCODE39, true, true, true, "*", "*", false, false},
      {cbarNW7, true, true, true, "A", "A", true, true},
      {cbarITF, true, true, true, " ", " ", false, false},
      {cbarCTF, true, true, true, " ", " ", false, false},
      {cbarIATA, true, false, true, " ", " ", false, false},
      {cbarMATRIX, true, true, true, " ", " ", false, false},
      {cbarNEC, true, true, true, " ", " ", false, false},
      {cbarCUSTOMER, false, false, false, " ", " ", false, false},
      {cbarCODE128, true, false, false, "A", " ", true, false},
      {cbarCODE93, true, false, false, "(", ")", false, false},
  };
  for (const Row &row : rows) {
    f.SetSymbology(cbarJAN);
    f.SetSymbology(row.type);
    const int t = row.type;
    EXPECT_EQ(Bar()->BarType(), row.type) << t;
    EXPECT_EQ(f.Find<QLineEdit>("Edit2")->isEnabled(), row.height) << t;
    EXPECT_EQ(f.Find<TUpDown>("UpDown2")->isEnabled(), row.height) << t;
    EXPECT_EQ(f.Find<QCheckBox>("CheckBox1")->isEnabled(), row.cdEnabled) << t;
    EXPECT_TRUE(f.Find<QCheckBox>("CheckBox1")->isChecked()) << t;
    EXPECT_TRUE(Bar()->CD()) << t;
    EXPECT_EQ(f.Find<TUpDown>("UpDown3")->isEnabled(), row.ratio) << t;
    EXPECT_EQ(f.Box("ComboBox3")->currentText(), row.start) << t;
    EXPECT_EQ(f.Box("ComboBox4")->currentText(), row.stop) << t;
    EXPECT_EQ(f.Box("ComboBox3")->isEnabled(), row.startList) << t;
    EXPECT_EQ(f.Box("ComboBox3")->isEditable(), !row.startList) << t;
    EXPECT_EQ(f.Box("ComboBox4")->isEnabled(), row.stopList) << t;
    EXPECT_EQ(f.Find<QPushButton>("Button7")->isEnabled(), row.type == cbarUPC) << t;
  }
}

TEST_F(FrameControls, AUserCheckDigitChoiceSurvivesASymbologyWithAChoice) {
  f.form->CheckBox1->click();
  ASSERT_FALSE(Bar()->CD());
  f.SetSymbology(cbarITF);
  EXPECT_FALSE(f.Find<QCheckBox>("CheckBox1")->isChecked()) << "the box shows the symbol's CD";
  f.SetSymbology(cbarJAN);
  EXPECT_TRUE(Bar()->CD()) << "JAN always has its check digit";
}

TEST_F(FrameControls, StartAndStopBoxesSetTheCharactersAndCode128SnapsDToA) {
  f.SetSymbology(cbarNW7);
  f.Choose("ComboBox3", 3);
  f.Choose("ComboBox4", 2);
  EXPECT_EQ(Bar()->StartChar(), 'D');
  EXPECT_EQ(Bar()->StopChar(), 'C');
  f.SetSymbology(cbarCODE128);
  EXPECT_EQ(Bar()->StartChar(), 'A') << "a start beyond C is reset on switching to CODE-128";
  EXPECT_EQ(f.Box("ComboBox3")->currentIndex(), 0);
  f.Choose("ComboBox3", 2);
  EXPECT_EQ(Bar()->StartChar(), 'C');
  f.Choose("ComboBox3", 3);
  EXPECT_EQ(Bar()->StartChar(), 'A');
  EXPECT_EQ(f.Box("ComboBox3")->currentText(), "A");
}

TEST_F(FrameControls, LeavingTheCustomerBarcodeRestoresTheUsersHeight) {
  auto *edit = f.Find<QLineEdit>("Edit2");
  f.TypeEnter("Edit2", "150");
  ASSERT_EQ(Bar()->BarHeight(), 150);
  f.SetSymbology(cbarCUSTOMER);
  Bar()->SetBarHeight(33);  // the customer drawing fixes its own height
  f.SetSymbology(cbarJAN);
  EXPECT_EQ(Bar()->BarHeight(), 150);
  EXPECT_EQ(edit->text(), "150");
  EXPECT_TRUE(edit->isEnabled());
}

TEST_F(FrameControls, SpinnersApplyOnAnArrowOrEnterOnly) {
  auto *edit = f.Find<QLineEdit>("Edit1");
  f.TypeText("Edit1", "4");
  EXPECT_EQ(Bar()->Scale(), 1) << "typing alone applies nothing";
  f.Key(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Bar()->Scale(), 4);
  ClickArrow("UpDown1", "UpButton");
  EXPECT_EQ(Bar()->Scale(), 5);
  EXPECT_EQ(edit->text(), "5");
  f.TypeEnter("Edit1", "x");
  EXPECT_EQ(Bar()->Scale(), 5) << "text that is no number leaves the value";
  EXPECT_EQ(edit->text(), "5");
  f.TypeEnter("Edit1", "99");
  EXPECT_EQ(Bar()->Scale(), 10) << "held within the range";
}

TEST_F(FrameControls, ASpinnerLeftWithTabShowsTheValueInForceAndTakesFullWidthDigits) {
  auto *scale = f.Find<QLineEdit>("Edit1");
  f.TypeText("Edit1", "3");
  f.Key(Qt::Key_Tab);
  ASSERT_NE(QApplication::focusWidget(), scale);
  EXPECT_EQ(Bar()->Scale(), 1);
  EXPECT_EQ(scale->text(), "1") << "the box shows what the symbol uses";
  f.TypeEnter("Edit2", U("１２０"));  // as an input method commits them
  EXPECT_EQ(Bar()->BarHeight(), 120);
  EXPECT_EQ(f.Find<QLineEdit>("Edit2")->text(), "120");
}

TEST_F(FrameControls, SpinnerRangesAndDefaults) {
  struct Row { const char *upDown; int min, max, position; };
  const Row rows[] = {{"UpDown11", -1010, 1010, 0}, {"UpDown6", 0, 50, 0}, {"UpDown2", 16, 516, 100},
                      {"UpDown9", 0, 2000, 10},    {"UpDown10", 0, 2000, 10}, {"UpDown4", 0, 2000, 10},
                      {"UpDown5", 0, 2000, 10},    {"UpDown3", 20, 30, 20},   {"UpDown1", 1, 10, 1},
                      {"UpDown7", 1, 1000, 1},     {"UpDown8", 10, 1000, 100}};
  FrameFixture g;
  for (const Row &row : rows) {
    auto *upDown = g.Find<TUpDown>(row.upDown);
    ASSERT_NE(upDown, nullptr) << row.upDown;
    EXPECT_EQ(upDown->Min(), row.min) << row.upDown;
    EXPECT_EQ(upDown->Max(), row.max) << row.upDown;
    EXPECT_EQ(upDown->Position(), row.position) << row.upDown;
  }
}

TEST_F(FrameControls, HeightAndFrameKeepTheUsersHeightForTheCustomerBarcode) {
  f.form->OrgHeight = 0;
  f.TypeEnter("Edit6", "3");
  EXPECT_EQ(Bar()->BarFrame(), 3);
  EXPECT_EQ(f.form->OrgHeight, Bar()->BarHeight());
  f.SetSymbology(cbarCUSTOMER);
  f.form->OrgHeight = 77;
  f.TypeEnter("Edit6", "0");
  f.form->CheckBox2->click();
  EXPECT_EQ(f.form->OrgHeight, 77) << "the customer barcode's fixed height is not the user's";
}

TEST_F(FrameControls, DisplayFormatAndCopyMethodFollowEachOther) {
  struct Row { const char *box; int index; int format; int copy; TPictures picture; };
  const Row rows[] = {{"ComboBox6", 2, 1, 2, picWMF}, {"ComboBox5", 0, 0, 0, picBMP},
                      {"ComboBox5", 1, 1, 1, picEMF}, {"ComboBox6", 0, 0, 0, picBMP}};
  for (const Row &row : rows) {
    f.Choose(row.box, row.index);
    EXPECT_EQ(f.Box("ComboBox5")->currentIndex(), row.format) << row.box << row.index;
    EXPECT_EQ(f.Box("ComboBox6")->currentIndex(), row.copy) << row.box << row.index;
    EXPECT_EQ(Bar()->BarPicture(), row.picture) << row.box << row.index;
  }
}

TEST_F(FrameControls, ClipboardWatchDisablesPaste) {
  f.form->CheckBox3->click();
  EXPECT_TRUE(Bar()->ClipWatch());
  EXPECT_FALSE(f.Find<QPushButton>("Button12")->isEnabled());
  f.form->CheckBox3->click();
  EXPECT_FALSE(Bar()->ClipWatch());
  EXPECT_TRUE(f.Find<QPushButton>("Button12")->isEnabled());
}

TEST_F(FrameControls, ACodeFromTheClipboardWatchIsAddedOrSelected) {
  f.TypeText("ComboBox7", "u");
  f.AddCodes({"A", "B"});
  f.Choose("ComboBox1", 0);
  // Codes set by the program itself (Watch false) are not the handler's business.
  f.form->BarImage1ChangedCode(Bar(), false);
  EXPECT_EQ(f.Codes(), (Strings{"A", "B"}));
  Bar()->SetCode("NEW");
  f.form->BarImage1ChangedCode(Bar(), true);
  EXPECT_EQ(f.Codes(), (Strings{"A", "NEW", "B"}));
  EXPECT_EQ(f.form->CurrentIndex(), 1);
  EXPECT_EQ(Bar()->CommentUp(), "");
  Bar()->SetCode("A");
  f.form->BarImage1ChangedCode(Bar(), true);
  EXPECT_EQ(f.form->CurrentIndex(), 0);
  EXPECT_EQ(Bar()->CommentUp(), "u") << "a known code shows its stored comments";
  EXPECT_EQ(f.form->ShownIndex, 0);
}

TEST_F(FrameControls, ThePopupMenuChecksTheAngleAndMirrorWhenItOpens) {
  Bar()->SetAngle(180);
  Bar()->SetReverse(true);
  f.form->PopupMenu1Popup();
  EXPECT_TRUE(f.form->T1->isEnabled());
  EXPECT_TRUE(f.form->N1801->isChecked());
  EXPECT_FALSE(f.form->N01->isChecked());
  EXPECT_TRUE(f.form->CtrlF51->isChecked());
  f.Choose("ComboBox6", 1);
  f.form->PopupMenu1Popup();
  EXPECT_FALSE(f.form->T1->isEnabled()) << "rotation applies to bitmaps only";
  EXPECT_TRUE(f.form->N01->isChecked());
  EXPECT_FALSE(f.form->N1801->isChecked());
  EXPECT_FALSE(f.form->CtrlF51->isChecked());
}

TEST_F(FrameControls, MenuItemsCarryTheirCaptionsAndShortcuts) {
  struct Row { const char *name; const char *caption; QKeySequence key; };
  const Row rows[] = {
      {"N01", "0°", QKeySequence(Qt::CTRL | Qt::Key_F1)},   {"N901", "90°", QKeySequence(Qt::CTRL | Qt::Key_F2)},
      {"N1801", "180°", QKeySequence(Qt::CTRL | Qt::Key_F3)}, {"N2701", "270°", QKeySequence(Qt::CTRL | Qt::Key_F4)},
      {"CtrlF51", "反転", QKeySequence(Qt::CTRL | Qt::Key_F5)},
      {"N4", "バーコードのサイズ情報", QKeySequence(Qt::CTRL | Qt::Key_I)},
      {"Help1", "ﾍﾙﾌﾟ", QKeySequence(Qt::Key_F1)}};
  for (const Row &row : rows) {
    auto *action = f.form->findChild<QAction *>(row.name);
    ASSERT_NE(action, nullptr) << row.name;
    EXPECT_EQ(action->text(), U(row.caption)) << row.name;
    EXPECT_EQ(action->shortcut(), row.key) << row.name;
  }
  EXPECT_EQ(f.form->T1->text(), U("回転"));
}

TEST_F(FrameControls, TheMirrorShortcutTurnsTheSymbolOverEachTime) {
  f.TypeEnter("ComboBox1", "A");
  f.Key(Qt::Key_F5, Qt::ControlModifier);  // the code box still has the focus
  EXPECT_TRUE(Bar()->Reverse());
  f.Key(Qt::Key_F5, Qt::ControlModifier);
  EXPECT_FALSE(Bar()->Reverse());
  f.Key(Qt::Key_F3, Qt::ControlModifier);
  EXPECT_EQ(Bar()->Angle(), 180);
}

TEST_F(FrameControls, TheColourDialogOpensWithTheCurrentColourAndSetsTheChosenOne) {
  Bar()->SetBarColor(RGBToColor(1, 2, 3));
  QColor shown;
  AnswerNextModal([&](QWidget *modal) {
    auto *dialog = qobject_cast<QColorDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    shown = dialog->currentColor();
    dialog->setCurrentColor(QColor(10, 20, 30));
    dialog->accept();
  });
  f.form->Button1->click();
  EXPECT_EQ(shown, QColor(1, 2, 3));
  EXPECT_EQ(Bar()->BarColor(), RGBToColor(10, 20, 30));
  AnswerNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
  f.form->Button2->click();
  EXPECT_EQ(Bar()->BackColor(), clWhite) << "cancel changes nothing";
}

// The toolkit's own dialogs speak Japanese like the rest of the program.
TEST_F(FrameControls, TheColourFontAndSaveDialogsSpeakJapanese) {
  f.TypeEnter("ComboBox1", "ABC");  // a shown symbol, so that save opens its dialog
  for (const char *button : {"Button1", "Button11", "Button4"}) {
    QString cancel, title;
    AnswerNextModal([&](QWidget *modal) {
      if (auto *buttons = modal->findChild<QDialogButtonBox *>())
        if (QPushButton *b = buttons->button(QDialogButtonBox::Cancel)) cancel = b->text();
      title = modal->windowTitle();
      static_cast<QDialog *>(modal)->reject();
    });
    QTest::mouseClick(f.Find<QPushButton>(button), Qt::LeftButton);
    EXPECT_EQ(cancel.remove(QLatin1Char('&')), U("キャンセル")) << button;
    if (std::string_view(button) == "Button1") {
      EXPECT_EQ(title, U("色を選択"));
    }
  }
}

TEST_F(FrameControls, TheFontDialogShowsTheSymbolFontAndSetsTheChosenOne) {
  int shownPoints = 0;
  AnswerNextModal([&](QWidget *modal) {
    auto *dialog = qobject_cast<QFontDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    shownPoints = dialog->currentFont().pointSize();
    QFont chosen(U("IPAGothic"));
    chosen.setPointSize(12);
    dialog->setCurrentFont(chosen);
    static_cast<QDialog *>(dialog)->accept();
  });
  f.form->Button11->click();
  EXPECT_EQ(shownPoints, 9) << "12 pixels at 96 dpi";
  EXPECT_EQ(Bar()->BarFont()->Font.pixelSize(), 16) << "12 points at 96 dpi";
  EXPECT_EQ(Bar()->BarFont()->Font.family(), U("IPAGothic"));
  EXPECT_EQ(f.form->FontDialog1Font, *Bar()->BarFont()) << "the dialog keeps the font it set";
}

TEST_F(FrameControls, TheFontDialogKeepsTheStoredNameWhenItsFamilyIsKept) {
  ASSERT_EQ(Bar()->BarFont()->Font.family(), U("ＭＳ Ｐゴシック"));
  QString listed;
  AnswerNextModal([&](QWidget *modal) {
    auto *dialog = qobject_cast<QFontDialog *>(modal);
    listed = dialog->currentFont().family();
    dialog->setCurrentFont(QFont(listed, 14));  // another size, the same family
    static_cast<QDialog *>(dialog)->accept();
  });
  f.form->Button11->click();
  EXPECT_NE(listed, U("ＭＳ Ｐゴシック")) << "the dialog shows the family the name is drawn with";
  EXPECT_EQ(Bar()->BarFont()->Font.family(), U("ＭＳ Ｐゴシック"));
  EXPECT_EQ(Bar()->BarFont()->Font.pixelSize(), 19) << "14 points at 96 dpi";
  ASSERT_TRUE(f.form->FormCloseQuery());
  QFile environment(f.dir.filePath("plomix.ini"));
  ASSERT_TRUE(environment.open(QIODevice::ReadOnly));
  EXPECT_TRUE(environment.readAll().contains(UnicodeToSjis(U("FontName=ＭＳ Ｐゴシック\r\n")).c_str()));
}

TEST_F(FrameControls, SpacingPanelsCountWithTheMouseWithinTheirRange) {
  struct Row { Qt::MouseButton button; Qt::KeyboardModifiers keys; int expected; };
  const Row rows[] = {{Qt::RightButton, Qt::ShiftModifier, 10}, {Qt::RightButton, Qt::ControlModifier, 15},
                      {Qt::RightButton, Qt::AltModifier, 17},   {Qt::RightButton, Qt::NoModifier, 18},
                      {Qt::LeftButton, Qt::ShiftModifier, 8},   {Qt::LeftButton, Qt::ShiftModifier, 0}};
  auto *panel = f.Find<QLabel>("Panel8");
  for (const Row &row : rows) {
    QTest::mouseClick(panel, row.button, row.keys);
    EXPECT_EQ(f.form->ColumnSpacing, row.expected);
  }
  EXPECT_EQ(panel->text(), U("列間隔 = 0"));
}

// The same steps from the keyboard: the panel focused by Tab, the up and right arrows
// (and +) add as a right click does, down and left (and -) take away, the modifiers
// choose the step (Shift 10, Ctrl 5, Alt 2).
TEST_F(FrameControls, SpacingPanelsStepWithArrowKeysWhenFocused) {
  struct Row { Qt::Key key; Qt::KeyboardModifiers keys; int rowSpacing, columnSpacing; const char *note; };
  const Row rows[] = {{Qt::Key_Up, Qt::NoModifier, 11, 1, "a right click"},
                      {Qt::Key_Right, Qt::ShiftModifier, 21, 11, "Shift: 10"},
                      {Qt::Key_Plus, Qt::ControlModifier, 26, 16, "Ctrl: 5"},
                      {Qt::Key_Down, Qt::AltModifier, 24, 14, "Alt: 2 less"},
                      {Qt::Key_Left, Qt::ShiftModifier, 14, 4, "Shift: 10 less"},
                      {Qt::Key_Minus, Qt::ControlModifier, 9, 0, "the least is 0"}};
  for (const char *name : {"Panel7", "Panel8"}) {
    auto *panel = f.Find<QLabel>(name);
    f.Focus("ComboBox1");
    for (int i = 0; i < 60 && QApplication::focusWidget() != panel; ++i) FrameFixture::Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), panel) << name << " not reached by Tab";
    for (const Row &row : rows) {
      FrameFixture::Key(row.key, row.keys);
      const bool rowPanel = panel == f.form->Panel7;
      const int value = rowPanel ? row.rowSpacing : row.columnSpacing;
      EXPECT_EQ(rowPanel ? f.form->RowSpacing : f.form->ColumnSpacing, value) << name << ": " << row.note;
      EXPECT_EQ(panel->text(), (rowPanel ? U("行間隔 = ") : U("列間隔 = ")) + QString::number(value)) << row.note;
    }
  }
}

TEST_F(FrameControls, TheResizeRuleKeepsTheControlPanelAboveTheButtonBar) {
  f.form->resize(800, 600);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.form->Panel2->geometry(), QRect(0, 600 - 40 - 289, 368, 289));
  EXPECT_EQ(f.form->Panel6->geometry(), QRect(368, 271, 800 - 368, 289));
  EXPECT_EQ(f.form->ScrollBox1->geometry(), QRect(0, 0, 800, 271));
  EXPECT_EQ(f.form->Panel3->geometry(), QRect(0, 560, 800, 40));
}

TEST_F(FrameControls, ControlsCarryTheirCaptionsAndHints) {
  struct Row { const char *name; const char *caption; const char *hint; };
  const Row rows[] = {
      {"Button13", "ソート", "データをソートします。"},
      {"Button14", "一覧", "データを一覧表示して入力・修正します。"},
      {"Button7", "UPC(A/E)", "UPC-A <==> UPC-E 間の変換をします。"},
      {"Button12", "ペースト", "クリップボードのテキストをペーストします。"},
      {"Button5", "1件削除", "データを1件削除します。"},
      {"Button3", "コピー", "イメージをクリップボードへコピーします。"},
      {"Button4", "保存", "イメージをファイルとして保存します。"},
      {"Button6", "終了", "Plomixを終了します。"},
      {"Button1", "バーの色", ""},
      {"Button2", "背景色", ""},
      {"Button11", "フォント", ""},
  };
  for (const Row &row : rows) {
    auto *button = f.Find<QPushButton>(row.name);
    ASSERT_NE(button, nullptr) << row.name;
    EXPECT_EQ(button->text(), U(row.caption)) << row.name;
    EXPECT_EQ(button->toolTip(), U(row.hint)) << row.name;
  }
  EXPECT_EQ(f.Find<QCheckBox>("CheckBox2")->text(), U("シンボル文字列表示"));
  EXPECT_EQ(f.Find<QCheckBox>("CheckBox3")->text(), U("クリップ監視"));
  EXPECT_EQ(f.Box("ComboBox3")->toolTip(), U("スタートキャラクタ"));
  EXPECT_EQ(f.Box("ComboBox4")->toolTip(), U("ストップキャラクタ"));
  EXPECT_EQ(f.Box("ComboBox2")->count(), 12);
  EXPECT_EQ(f.Box("ComboBox2")->itemText(9), U("カスタマーバーコード"));
}


TEST_F(FrameControls, TheSymbologyListIsAsWideAsItsLongestName) {
  QComboBox *box = f.Box("ComboBox2");
  // Styles differ in whether a list may grow past its box: wide enough in each.
  for (const char *name : {"Fusion", "Windows"}) {
    std::unique_ptr<QStyle> style(QStyleFactory::create(QString::fromLatin1(name)));
    ASSERT_NE(style, nullptr) << name;
    box->setStyle(style.get());
    box->showPopup();
    QAbstractItemView *list = box->view();
    ASSERT_TRUE(list->isVisible()) << name;
    for (int i = 0; i < box->count(); ++i)
      EXPECT_GE(list->viewport()->width(), list->sizeHintForIndex(box->model()->index(i, 0)).width())
          << name << " " << box->itemText(i).toStdString();
    box->hidePopup();
    box->setStyle(nullptr);
  }
}

TEST_F(FrameControls, TheCode93CheckDigitPanelShowsBothCheckValues) {
  f.SetSymbology(cbarCODE93);
  // "A" (value 10): C = 10 mod 47 = 10 ("A"); K = (10x1 + 10x2) mod 47 = 30 ("U") -- worked example.
  f.TypeEnter("ComboBox1", "A");
  EXPECT_EQ(f.Find<QLabel>("Panel1")->text(), "AU (10, 30)");
}

TEST_F(FrameControls, TheUpcButtonAddsTheConvertedCodeAsANewRecord) {
  f.SetSymbology(cbarUPC);
  // UPC-E 654321 stands for UPC-A 0 65100 00432 (last digit 1: manufacturer X1 X2 1 0 0).
  f.AddCodes({"12345678901", "06510000432"});
  f.Choose("ComboBox1", 1);
  f.TypeText("ComboBox7", "kept");
  QTest::mouseClick(f.Find<QPushButton>("Button7"), Qt::LeftButton);
  EXPECT_EQ(Bar()->Code(), "0654321");
  EXPECT_EQ(f.Codes(), (Strings{"12345678901", "06510000432", "0654321"}));
  EXPECT_EQ(f.form->CurrentIndex(), 2);
  EXPECT_EQ(f.form->ShownIndex, 2);
  EXPECT_EQ(f.form->Records()->Record(2).CommentUp, "") << "a converted code gets empty comments";
  EXPECT_EQ(f.Find<QLabel>("Panel5")->text(), U("変換しました。"));
  QTest::mouseClick(f.Find<QPushButton>("Button7"), Qt::LeftButton);
  EXPECT_EQ(Bar()->Code(), "06510000432") << "and back";
  EXPECT_EQ(f.form->CurrentIndex(), 1) << "the known code is selected, not added";
  EXPECT_EQ(f.Codes().size(), 3u);
  f.Choose("ComboBox1", 0);  // 12345678901 has no UPC-E form
  QTest::mouseClick(f.Find<QPushButton>("Button7"), Qt::LeftButton);
  EXPECT_EQ(f.Find<QLabel>("Panel5")->text(), U("変換出来ません。"));
  EXPECT_EQ(f.Find<QLabel>("Panel5")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(f.Codes().size(), 3u);
}


TEST_F(FrameControls, PasteTakesTheFirstLineAndAddsOrSelectsItsRecord) {
  f.TypeText("ComboBox1", "OLD");
  f.TypeEnter("ComboBox7", "u");
  struct Row { const char *clipboard; Strings codes; int current; const char *note; };
  const Row rows[] = {
      {"123\r\nmore\r\nlines", {"OLD", "123"}, 1, "first line only, inserted after the shown record"},
      {"abc", {"OLD", "123", "abc"}, 2, "Code 39 cannot draw it, the record is added all the same"},
      {"OLD", {"OLD", "123", "abc"}, 0, "a known code is selected"},
  };
  for (const Row &row : rows) {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(row.clipboard));
    QTest::mouseClick(f.Find<QPushButton>("Button12"), Qt::LeftButton);
    EXPECT_EQ(f.Codes(), row.codes) << row.note;
    EXPECT_EQ(f.form->CurrentIndex(), row.current) << row.note;
    EXPECT_EQ(f.form->ShownIndex, row.current) << row.note;
    EXPECT_EQ(Bar()->Code(), row.codes[row.current]) << row.note;
  }
  EXPECT_EQ(Bar()->CommentUp(), "u") << "a known code shows its stored comments";
  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(f.Find<QPushButton>("Button12"), Qt::LeftButton);
  EXPECT_EQ(Bar()->Code(), "OLD") << "nothing to paste: the shown record is pushed again";
  EXPECT_EQ(Bar()->CommentUp(), "u");
  EXPECT_EQ(f.Codes().size(), 3u);
}

// The code box, the record and the symbol hold the same code, however long.
TEST_F(FrameControls, ALongCodeIsTheSameInTheBoxTheRecordAndTheSymbol) {
  const QString longCode(100000, QLatin1Char('7'));
  QGuiApplication::clipboard()->setText(longCode);
  f.Focus("ComboBox1");
  f.Key(Qt::Key_V, Qt::ControlModifier);
  f.Key(Qt::Key_Return);
  ASSERT_EQ(f.Codes().size(), 1u);
  EXPECT_EQ(f.Codes()[0].size(), 100000u) << "through Enter";
  EXPECT_EQ(Bar()->Code(), f.Codes()[0]);
  f.AddCodes({"A"});
  f.Choose("ComboBox1", 0);
  EXPECT_EQ(Bar()->Code().size(), 100000u) << "choosing the record again pushes it whole";
  EXPECT_EQ(f.Box("ComboBox1")->currentText().size(), 100000);
  // Paste and the clipboard watch take the text's start; record and symbol still agree.
  QGuiApplication::clipboard()->setText(QString(100000, QLatin1Char('8')));
  QTest::mouseClick(f.Find<QPushButton>("Button12"), Qt::LeftButton);
  f.form->CheckBox3->click();
  QGuiApplication::clipboard()->setText(QString(100000, QLatin1Char('9')));
  QCoreApplication::processEvents();
  f.form->CheckBox3->click();
  ASSERT_EQ(f.Codes().size(), 4u);
  for (const int index : {2, 3}) {
    f.Choose("ComboBox1", 0);
    f.Choose("ComboBox1", index);
    EXPECT_EQ(Bar()->Code(), f.Codes()[index]) << index;
    EXPECT_FALSE(Bar()->Code().empty()) << index;
  }
}

// A lone CR or LF in a pasted or watched text is stored as the data files keep it.
TEST_F(FrameControls, ALineBreakInsideATakenCodeIsShownAsItIsSaved) {
  QGuiApplication::clipboard()->setText("A\nB\r\nnext line");
  QTest::mouseClick(f.Find<QPushButton>("Button12"), Qt::LeftButton);
  f.form->CheckBox3->click();
  QGuiApplication::clipboard()->setText("C\rD");
  QCoreApplication::processEvents();
  f.form->CheckBox3->click();
  EXPECT_EQ(f.Codes(), (Strings{"A B", "C D"}));
  EXPECT_EQ(Bar()->Code(), "C D");
  EXPECT_TRUE(Bar()->BarDisped()) << "Code 39 draws the space";
  ASSERT_TRUE(f.form->FormCloseQuery());
  QFile codes(f.dir.filePath("Plomix.txt"));
  ASSERT_TRUE(codes.open(QIODevice::ReadOnly));
  EXPECT_EQ(codes.readAll(), "A B\r\nC D\r\n");
}

TEST_F(FrameControls, CopyPutsTheShownSymbolOnTheClipboard) {
  f.TypeEnter("ComboBox1", "ABC");
  QGuiApplication::clipboard()->clear();
  QTest::mouseClick(f.Find<QPushButton>("Button3"), Qt::LeftButton);
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), Bar()->size());
}

TEST_F(FrameControls, CopyAndSaveWithoutAShownSymbolSaySoAndTouchNothing) {
  auto *status = f.Find<QLabel>("Panel5");
  f.SetSymbology(cbarUPC);
  f.TypeEnter("ComboBox1", "12345678901");
  ASSERT_TRUE(Bar()->BarDisped());
  QTest::mouseClick(f.Find<QPushButton>("Button7"), Qt::LeftButton);  // no UPC-E form
  ASSERT_FALSE(Bar()->BarDisped()) << "the old picture stays on screen";
  struct Row { const char *button; const char *message; };
  for (const Row row : {Row{"Button3", "バーコードが表示されていないため、コピー出来ません。"},
                        Row{"Button4", "バーコードが表示されていないため、保存出来ません。"}}) {
    QGuiApplication::clipboard()->setText("kept");
    bool dialogOpened = false;
    QPointer<QTimer> answer =
        AnswerNextModal([&](QWidget *modal) { dialogOpened = true; static_cast<QDialog *>(modal)->reject(); });
    QTest::mouseClick(f.Find<QPushButton>(row.button), Qt::LeftButton);
    delete answer;  // a dialog would have been answered during the click
    EXPECT_FALSE(dialogOpened) << row.button;
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept") << row.button;
    EXPECT_EQ(status->text(), U(row.message));
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  }
}

TEST_F(FrameControls, HelpOpensTheReadmeFileWithTheDesktop) {
  UrlCatcher catcher(QStringLiteral("file"));
  f.Focus("Edit1");
  f.Key(Qt::Key_F1);
  ASSERT_EQ(catcher.Opened.size(), 1);
  EXPECT_EQ(catcher.Opened[0], QUrl::fromLocalFile(f.dir.filePath("Readme.txt")));
}

}  // namespace
}  // namespace plomix::test
