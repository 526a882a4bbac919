// The data list window driven as a user drives it.
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QLabel>
#include <QClipboard>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>

#include "Common/Colors.h"
#include "DataList/DataListDefaults.h"
#include "Sort/TSortForm.h"
#include "tests/DataList/DataListFixture.h"

namespace plomix::test {
namespace {

QString Caption(int count) { return U("データの一覧表示  :  %1個").arg(count); }

TEST(DataListForm, EmptyListOpensWithTheEntryRowOnly) {
  ListFixture f;
  f.Open({});
  EXPECT_EQ(f.RowCount(), 2);
  EXPECT_EQ(f.form->windowTitle(), Caption(0));
  EXPECT_EQ(f.Current(), std::make_pair(1, 1));
  EXPECT_EQ(f.form->Panel2->text(), U("行間隔 = 24"));
  EXPECT_EQ(f.form->Panel3->text(), U("印刷の段数 = 1"));
  f.Click(f.form->Button1);
  EXPECT_EQ(f.form->result(), QDialog::Accepted);
  EXPECT_EQ(f.records.Count(), 0);
}

TEST(DataListForm, TypingIntoTheEntryRowAddsARecordAtOnce) {
  ListFixture f;
  f.Open(CodesOnly({"A", "B"}));
  f.ClickCell(3, 1);
  f.Type(U("C"));
  EXPECT_EQ(f.RowCount(), 5);  // grown before the editor closes
  EXPECT_EQ(f.form->windowTitle(), Caption(3));
  f.Type(U("D"));
  EXPECT_EQ(f.RowCount(), 5);
  EXPECT_EQ(f.Model()->Cell(3, 1), "CD");
  f.Key(Qt::Key_Backspace);
  f.Key(Qt::Key_Backspace);
  EXPECT_EQ(f.RowCount(), 5);  // emptying it again does not shrink the grid
  // The entry row's comment cells cannot be chosen, by mouse or by keys.
  f.ClickCell(4, 2);
  EXPECT_NE(f.Current(), std::make_pair(4, 2));
  f.ClickCell(4, 1);
  f.Key(Qt::Key_Right);
  EXPECT_EQ(f.Current(), std::make_pair(4, 1));
  f.ClickCell(3, 3);
  f.Key(Qt::Key_Down);
  EXPECT_EQ(f.Current(), std::make_pair(3, 3));
  EXPECT_FALSE(f.form->StringGrid1SelectCell(3, f.RowCount() - 1));
}

TEST(DataListForm, OkRefusesDuplicatesAndEmptyCodes) {
  struct Row { std::vector<TDataRecord> list; QString message; int row; };
  const Row rows[] = {
      {CodesOnly({"A", "B", "A"}), U("3行目と 1行目のデータが重複しています。"), 3},
      {CodesOnly({""}), U("1行目のバーコード文字列が入力されていません。"), 1},
      {CodesOnly({"A", "", "C", "D"}), U("2行目のバーコード文字列が入力されていません。"), 2},
  };
  for (const Row &row : rows) {
    ListFixture f;
    f.Open(row.list);
    f.ClickCell(1, 3);
    f.ExpectMessage();
    f.Click(f.form->Button1);
    EXPECT_EQ(f.messages, QStringList{row.message});
    EXPECT_TRUE(f.form->isVisible());
    EXPECT_EQ(f.Current(), std::make_pair(row.row, 1));
    EXPECT_EQ(f.records.Count(), static_cast<int>(row.list.size()));
  }
  ListFixture f;
  f.Open(CodesOnly({"a", "A"}));
  f.Click(f.form->Button1);  // differing in case only: valid
  EXPECT_EQ(f.form->result(), QDialog::Accepted);
}

TEST(DataListForm, EnterChecksTheLastRecordAndMovesDown) {
  ListFixture f;
  f.Open(CodesOnly({"A", "B", "C", "D"}));
  // Typing a duplicate into the entry row and pressing Enter: the new row is the last
  // record, so the list is checked; the cursor stays on the row in question.
  f.ClickCell(5, 1);
  f.Type(U("B"));
  f.ExpectMessage();
  f.Key(Qt::Key_Return);
  EXPECT_EQ(f.messages, QStringList{U("5行目と 2行目のデータが重複しています。")});
  EXPECT_EQ(f.Current(), std::make_pair(5, 1));
  EXPECT_FALSE(f.Grid()->Editing());
  // On another row only with "エンターキーでデータチェック"; with "次の行に移動" the cursor
  // moves first, and to Second when the typed row is not one of the pair.
  f.Click(f.form->CheckBox1);
  f.Click(f.form->CheckBox3);
  f.ClickCell(1, 1);
  f.ExpectMessage();
  f.Key(Qt::Key_Return);
  EXPECT_EQ(f.messages.size(), 2);
  EXPECT_EQ(f.Current(), std::make_pair(5, 1));  // row 1 is not in the pair (2, 5): to Second
  f.ClickCell(3, 2);
  f.Key(Qt::Key_Return);  // comment column: no check
  EXPECT_EQ(f.messages.size(), 2);
  EXPECT_EQ(f.Current(), std::make_pair(4, 2));
  EXPECT_TRUE(f.Grid()->Editing());  // Enter opened the editor on the new row
}

TEST(DataListForm, InsertByModifierKeys) {
  struct Row { Qt::KeyboardModifiers modifiers; std::vector<std::string> codes; int current; };
  const Row rows[] = {
      {Qt::ControlModifier, {"1", "2", "3", "3", "4", "5"}, 4},
      {Qt::ShiftModifier, {"1", "2", "3", "3", "4", "5"}, 3},
      {Qt::AltModifier, {"1", "2", "3", "", "4", "5"}, 4},
      {Qt::NoModifier, {"1", "2", "", "3", "4", "5"}, 3},
  };
  for (const Row &row : rows) {
    ListFixture f;
    f.Open(CodesOnly({"1", "2", "3", "4", "5"}));
    f.ClickCell(3, 2);
    QTest::mousePress(f.form->Button7, Qt::LeftButton, row.modifiers);
    EXPECT_EQ(f.Codes(), row.codes);  // acts on the press
    QTest::mouseRelease(f.form->Button7, Qt::LeftButton, row.modifiers);
    EXPECT_EQ(f.Current(), std::make_pair(row.current, 1));
    EXPECT_EQ(f.Grid()->selectionModel()->selectedIndexes().size(), 1);  // modifiers or not
    EXPECT_EQ(f.form->windowTitle(), Caption(6));
    EXPECT_EQ(f.Model()->Cell(f.RowCount() - 1, 1), "");  // the entry row stays last and empty
  }
}

// The same from the keyboard: 挿入 reached with Shift+Tab from the search box (the grid
// keeps its current row) and pressed with Space, Enter or keypad Enter and the modifiers.
TEST(DataListForm, InsertFromTheKeyboard) {
  struct Row { Qt::Key key; Qt::KeyboardModifiers modifiers; std::vector<std::string> codes; };
  const Row rows[] = {
      {Qt::Key_Space, Qt::ControlModifier, {"1", "2", "3", "3", "4", "5"}},
      {Qt::Key_Return, Qt::ShiftModifier, {"1", "2", "3", "3", "4", "5"}},
      {Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier, {"1", "2", "3", "", "4", "5"}},
      {Qt::Key_Space, Qt::NoModifier, {"1", "2", "", "3", "4", "5"}},
  };
  for (const Row &row : rows) {
    ListFixture f;
    f.Open(CodesOnly({"1", "2", "3", "4", "5"}));
    f.ClickCell(3, 2);
    f.Click(f.form->Edit1);
    for (int i = 0; i < 40 && QApplication::focusWidget() != f.form->Button7; ++i) f.Key(Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), f.form->Button7) << "挿入 not reached by Shift+Tab";
    f.Key(row.key, row.modifiers);
    EXPECT_EQ(f.Codes(), row.codes);
    EXPECT_EQ(f.form->windowTitle(), Caption(6));
  }
}

TEST(DataListForm, DeleteRemovesTheCurrentRecordButNotTheEntryRow) {
  ListFixture f;
  f.Open(CodesOnly({"1", "2", "3"}));
  f.ClickCell(4, 1);
  f.Click(f.form->Button3);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"1", "2", "3"}));
  f.ClickCell(2, 2);
  f.Click(f.form->Button3);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"1", "3"}));
  EXPECT_EQ(f.Current(), std::make_pair(2, 1));
  EXPECT_EQ(f.form->windowTitle(), Caption(2));
  EXPECT_EQ(QApplication::focusWidget(), f.Grid());
}

TEST(DataListForm, DraggingPastTheEntryRowIsUndone) {
  ListFixture f;
  f.Open(CodesOnly({"1", "2", "3"}));
  QHeaderView *header = f.Grid()->verticalHeader();
  auto drag = [&](int from, int to) {  // press on a row number, move, release on another
    const int x = header->width() / 2;
    const int fromY = header->sectionViewportPosition(from - 1) + header->sectionSize(from - 1) / 2;
    const int toY = header->sectionViewportPosition(to - 1) + header->sectionSize(to - 1) * 3 / 4;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(x, fromY));
    QTest::mouseMove(header->viewport(), QPoint(x, (fromY + toY) / 2));
    QTest::mouseMove(header->viewport(), QPoint(x, toY));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(x, toY));
  };
  drag(1, 3);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"2", "3", "1"}));
  drag(2, 4);  // onto the entry row
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"2", "3", "1"}));
  drag(4, 1);  // the entry row itself
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"2", "3", "1"}));
  for (int row = 1; row < f.RowCount(); ++row) {  // column 0 still numbers 1..row count - 1
    EXPECT_EQ(header->logicalIndexAt(header->sectionViewportPosition(row - 1)), row - 1);
    EXPECT_EQ(f.Model()->headerData(row - 1, Qt::Vertical, Qt::DisplayRole).toString(), QString::number(row));
  }
  EXPECT_EQ(f.Model()->Cell(4, 1), "");
}

TEST(DataListForm, SwapMovesTheRecordAndTheCursorButNotPastTheEnds) {
  ListFixture f;
  f.Open({{"1", "u1", "d1"}, {"2", "u2", "d2"}, {"3", "u3", "d3"}});
  auto press = [&](const char *arrow) {
    QTest::mouseClick(f.form->UpDown1->findChild<QWidget *>(QString::fromLatin1(arrow)), Qt::LeftButton);
  };
  f.ClickCell(1, 2);
  press("UpButton");
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"1", "2", "3"}));
  press("DownButton");
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"2", "1", "3"}));
  EXPECT_EQ(f.Column(2), (std::vector<std::string>{"u2", "u1", "u3"}));
  EXPECT_EQ(f.Current(), std::make_pair(2, 2));
  f.ClickCell(3, 1);
  press("DownButton");
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"2", "1", "3"}));
  f.ClickCell(4, 1);  // the entry row
  press("UpButton");
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"2", "1", "3"}));
  // The spinner's position is only a counter: far out, a click resets it and does nothing.
  f.ClickCell(2, 1);
  f.form->UpDown1->setPosition(1005);
  press("UpButton");
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"2", "1", "3"}));
  EXPECT_EQ(f.form->UpDown1->Position(), 0);
  press("UpButton");
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"1", "2", "3"}));
}

TEST(DataListForm, SearchForwardAndBackward) {
  ListFixture f;
  f.Open({{"AB", "", "x"}, {S("ア"), "b", ""}, {"zA", "A", "A"}});
  f.ClickCell(1, 1);
  f.form->Edit1->setText(U("A"));
  f.ClickCell(1, 1);
  f.Key(Qt::Key_F3);
  EXPECT_EQ(f.Current(), std::make_pair(3, 1));  // not inside "ア" (0x83 0x41)
  f.Key(Qt::Key_F3);
  EXPECT_EQ(f.Current(), std::make_pair(3, 2));
  f.Key(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(f.Current(), std::make_pair(3, 1));
  f.Key(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(f.Current(), std::make_pair(1, 1));
  f.Key(Qt::Key_F3, Qt::ShiftModifier);  // no match: nothing moves
  EXPECT_EQ(f.Current(), std::make_pair(1, 1));
  // Exact matching: whole cells only.
  f.Click(f.form->CheckBox4);
  f.Key(Qt::Key_F3);
  EXPECT_EQ(f.Current(), std::make_pair(3, 2));
  // An empty search text finds the next empty cell, at the latest the entry row's code.
  f.form->Edit1->clear();
  f.ClickCell(2, 3);
  f.Key(Qt::Key_F3);
  EXPECT_EQ(f.Current(), std::make_pair(4, 1));
  QTest::mouseClick(f.form->UpDown2->findChild<QWidget *>(QStringLiteral("UpButton")), Qt::LeftButton);
  EXPECT_EQ(f.Current(), std::make_pair(2, 3));  // up arrow: backward
  // Ctrl+F asks for the text and searches forward.
  f.Click(f.form->CheckBox4);
  f.ClickCell(1, 1);
  AnswerNextModal([](QWidget *modal) {
    auto *dialog = qobject_cast<QInputDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), U("検索文字列の入力"));
    EXPECT_EQ(dialog->labelText(), U("検索文字列入力を入力して下さい。"));
    dialog->setTextValue(QStringLiteral("b"));
    dialog->accept();
  });
  f.Key(Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(f.form->Edit1->text(), QStringLiteral("b"));
  EXPECT_EQ(f.Current(), std::make_pair(2, 2));
  f.Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(f.Current(), std::make_pair(4, 1));
  f.Key(Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(f.Current(), std::make_pair(1, 1));
}

TEST(DataListForm, PanelsStayWithinTheirLimits) {
  ListFixture f;
  f.Open(CodesOnly({"1"}));
  struct Row { QLabel *panel; Qt::MouseButton button; Qt::KeyboardModifiers modifiers; int clicks; QString caption; };
  const Row rows[] = {
      {f.form->Panel3, Qt::LeftButton, Qt::NoModifier, 1, U("印刷の段数 = 1")},
      {f.form->Panel3, Qt::RightButton, Qt::ShiftModifier, 2, U("印刷の段数 = 9")},
      {f.form->Panel3, Qt::RightButton, Qt::ControlModifier, 1, U("印刷の段数 = 12")},
      {f.form->Panel3, Qt::RightButton, Qt::ShiftModifier, 5, U("印刷の段数 = 24")},
      {f.form->Panel3, Qt::LeftButton, Qt::AltModifier, 1, U("印刷の段数 = 22")},
      {f.form->Panel2, Qt::LeftButton, Qt::ShiftModifier, 5, U("行間隔 = 6")},
      {f.form->Panel2, Qt::RightButton, Qt::NoModifier, 1, U("行間隔 = 7")},
      {f.form->Panel2, Qt::RightButton, Qt::ShiftModifier, 30, U("行間隔 = 80")},
  };
  for (const Row &row : rows) {
    for (int i = 0; i < row.clicks; ++i) QTest::mouseClick(row.panel, row.button, row.modifiers);
    EXPECT_EQ(row.panel->text(), row.caption);
  }
  EXPECT_EQ(f.form->PrintColumns, 22);
  EXPECT_EQ(f.Grid()->verticalHeader()->sectionSize(0), 80);
}

TEST(DataListForm, CancelKeepsTheRecordsButWritesTheSettings) {
  ListFixture f;
  f.Open(CodesOnly({"1", "2", "3"}), 1);
  EXPECT_EQ(f.Current(), std::make_pair(2, 1));
  f.ClickCell(3, 1);
  f.Type(U("changed"));
  f.Click(f.form->CheckBox1);
  QTest::mouseClick(f.form->Panel3, Qt::RightButton);
  f.form->Edit1->setText(U("検索"));
  f.Click(f.form->Button2);
  EXPECT_EQ(f.form->result(), 2);
  EXPECT_EQ(f.records.List(rfCode), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(f.form->ListReturnIndex(), 2);
  const TParameter &p = f.environment;
  EXPECT_EQ(p.Lines(0).rfind("DLeft=", 0), 0u);
  EXPECT_EQ(p.ReadInteger("DPartition"), 2);
  EXPECT_TRUE(p.ReadBool(S("エンターキーで次の行に移動")));
  EXPECT_FALSE(p.ReadBool(S("常時文字入力の状態")));
  EXPECT_EQ(p.ReadString(S("検索文字列")), S("検索"));
  EXPECT_EQ(p.ReadInteger("DColWidths[2]"), 176);
  EXPECT_EQ(p.ReadString("DFontName"), S("ＭＳ Ｐゴシック"));
  EXPECT_EQ(p.ReadInteger("DFontSize"), 9);
  // The same keys, in the same order, as the defaults a new environment file carries.
  ASSERT_EQ(p.Count(), static_cast<int>(kDataListDefaultLines.size()));
  for (int i = 0; i < p.Count(); ++i) {
    const std::string expected = S(std::string(kDataListDefaultLines[i]).c_str());
    EXPECT_EQ(p.Lines(i).substr(0, p.Lines(i).find('=')), expected.substr(0, expected.find('='))) << i;
  }
}

TEST(DataListForm, SettingsComeBackNextTime) {
  ListFixture f;
  f.Open(CodesOnly({"1", "2"}));
  f.Click(f.form->CheckBox2);
  f.Click(f.form->CheckBox4);
  QTest::mouseClick(f.form->Panel2, Qt::LeftButton);
  f.Grid()->horizontalHeader()->resizeSection(1, 99);
  f.Click(f.form->Button2);
  f.form.reset();
  f.Open(CodesOnly({"1", "2"}));
  EXPECT_TRUE(f.form->CheckBox2->isChecked());
  EXPECT_TRUE(f.form->CheckBox4->isChecked());
  EXPECT_TRUE(f.Grid()->AlwaysShowEditor());
  EXPECT_EQ(f.form->Panel2->text(), U("行間隔 = 23"));
  EXPECT_EQ(f.Grid()->horizontalHeader()->sectionSize(1), 99);
  // Always shown: the cell editor opens on the cell clicked, and Enter keeps it open.
  f.ClickCell(2, 2);
  EXPECT_TRUE(f.Grid()->Editing());
  f.Key(Qt::Key_Return);
  EXPECT_TRUE(f.Grid()->Editing());
}

TEST(DataListForm, MalformedSettingIsReportedOnceAndDesignValuesKept) {
  ListFixture f;
  for (const char *line : {"DLeft=12", "DTop=x", "DWidth=600", "DHeight=400", "DWindowState=0",
                           "DFontName=ＭＳ Ｐゴシック", "DFontSize=9", "DFontStyle=[]",
                           "DFontColor=-2147483640", "DDefaultRowHeight=300", "DColWidths[1]=180",
                           "DColWidths[2]=176", "DColWidths[3]=162", "DPartition=3",
                           "エンターキーで次の行に移動=Yes", "常時文字入力の状態=False",
                           "エンターキーでデータチェック=False", "完全に一致する文字列を検索=False"})
    f.environment.Add(S(line));
  f.ExpectMessage();
  f.Open(CodesOnly({"1"}));
  ASSERT_EQ(f.messages.size(), 1);
  for (const char *key : {"DTop", "DDefaultRowHeight", "エンターキーで次の行に移動", "検索文字列"})
    EXPECT_TRUE(f.messages[0].contains(U(key))) << key;
  EXPECT_EQ(f.form->Panel2->text(), U("行間隔 = 24"));
  EXPECT_EQ(f.form->Panel3->text(), U("印刷の段数 = 3"));
  EXPECT_FALSE(f.form->CheckBox1->isChecked());
  EXPECT_EQ(f.form->width(), 600);
}

TEST(DataListForm, SortAsksForKeyAndDirection) {
  const std::vector<TDataRecord> list = {{"c", "2", "z"}, {"a", "3", "y"}, {"b", "1", "x"}};
  ListFixture f;
  f.Open(list);
  AnswerNextModal([](QWidget *modal) { QTest::mouseClick(static_cast<TSortForm *>(modal)->Button2, Qt::LeftButton); });
  f.Click(f.form->Button5);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"c", "a", "b"}));
  AnswerNextModal([](QWidget *modal) {
    auto *dialog = static_cast<TSortForm *>(modal);
    QTest::mouseClick(dialog->RadioGroup1Item1, Qt::LeftButton);
    QTest::mouseClick(dialog->RadioGroup2Item1, Qt::LeftButton);
    QTest::mouseClick(dialog->Button1, Qt::LeftButton);
  });
  f.ClickCell(3, 3);
  f.Click(f.form->Button5);
  EXPECT_EQ(f.Column(2), (std::vector<std::string>{"3", "2", "1"}));
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"a", "c", "b"}));  // whole records moved
  EXPECT_EQ(f.Column(3), (std::vector<std::string>{"y", "z", "x"}));
  EXPECT_EQ(f.Current(), std::make_pair(1, 1));
  EXPECT_EQ(f.form->SortColumn, 2);
  f.Click(f.form->Button2);  // the choice stays with the main window's settings
  EXPECT_EQ(f.sortKey, skCommentUp);
  EXPECT_EQ(f.sortDirection, -1);
  EXPECT_EQ(f.records.List(rfCode), (std::vector<std::string>{"c", "a", "b"}));
}

TEST(DataListForm, PrintHandsTheNumberedTextToThePrinter) {
  for (const int count : {97, 98}) {
    std::vector<TDataRecord> list;
    for (int i = 1; i <= count; ++i) list.push_back({"C" + std::to_string(i), "U", ""});
    ListFixture f;
    f.Open(list);
    QTest::mouseClick(f.form->Panel3, Qt::RightButton);
    f.Click(f.form->Button6);
    ASSERT_EQ(f.printed.size(), 1u);
    const TListPrintJob &job = f.printed[0];
    const std::string last = count == 97 ? "97: U\r\n97: C97\r\n97: \r\n" : "  98: U\r\n  98: C98\r\n  98: \r\n";
    EXPECT_EQ(job.Text.substr(job.Text.size() - last.size()), last) << count;
    EXPECT_EQ(job.Text.substr(0, 6), count == 97 ? " 1: U\r" : "   1: ");
    EXPECT_EQ(job.Title, S("データ一覧"));
    EXPECT_EQ(job.Columns, 2);
    EXPECT_EQ(job.HeaderFlags, 7);
    EXPECT_EQ(job.BodyFont, f.form->GridFont().Font);
    EXPECT_EQ(std::make_tuple(job.LeftMargin, job.RightMargin, job.TopMargin, job.BottomMargin, job.ColumnGap, job.TabWidth),
              std::make_tuple(76, 76, 76, 92, 32, 8));
  }
}

TEST(DataListForm, BadCellTextKeepsItsBytes) {
  const std::string invalid = "\x81\x20\xFF";
  const std::string huge(1 << 20, 'x');
  ListFixture f;
  f.Open({{invalid, huge, ""}, {"2", "", ""}});
  // Opening and closing an editor without typing leaves the bytes as they were.
  f.ClickCell(1, 1);
  f.Key(Qt::Key_F2);
  f.Key(Qt::Key_Return);
  f.ClickCell(1, 2);
  f.Key(Qt::Key_F2);
  f.Key(Qt::Key_End);
  f.Type(U("y"));
  f.Key(Qt::Key_Return);
  EXPECT_EQ(f.Model()->Cell(1, 2), huge + "y");  // a megabyte edited whole
  // Typed characters that Shift-JIS cannot hold become "?"; a pasted line break a space.
  f.ClickCell(2, 3);
  f.Type(U("a😀"));
  QApplication::clipboard()->setText(QStringLiteral("b\r\nc"));
  f.Key(Qt::Key_V, Qt::ControlModifier);
  f.Key(Qt::Key_Return);
  f.Click(f.form->Button1);
  EXPECT_EQ(f.records.List(rfCode), (std::vector<std::string>{invalid, "2"}));
  EXPECT_EQ(f.records.Field(0, rfCommentUp), huge + "y");
  EXPECT_EQ(f.records.Field(1, rfCommentDown), "a?b  c");
}

// The value panels step from the keyboard as from the mouse: focused by Tab, the up and
// right arrows add a step as a right click does, down and left take one away, and the
// modifiers choose the step (Shift 4, Ctrl 3, Alt 2, as for clicks).
TEST(DataListForm, ValuePanelsStepWithArrowKeysWhenFocused) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int rowHeight, printColumns;  // after this key, from 24 and 1
    const char *note;
  } rows[] = {
      {Qt::Key_Up, Qt::NoModifier, 25, 2, "a right click"},
      {Qt::Key_Right, Qt::ShiftModifier, 29, 6, "Shift: 4"},
      {Qt::Key_Down, Qt::ControlModifier, 26, 3, "Ctrl: 3 less"},
      {Qt::Key_Left, Qt::AltModifier, 24, 1, "Alt: 2 less"},
      {Qt::Key_Minus, Qt::NoModifier, 23, 1, "the columns' least is 1"},
      {Qt::Key_Plus, Qt::NoModifier, 24, 2, "+"},
  };
  ListFixture f;
  f.Open(CodesOnly({"A"}));
  for (QLabel *panel : {f.form->Panel2, f.form->Panel3}) {
    // Shift+Tab from the search box until the panel has the focus, as a keyboard user
    // goes (Tab after the search box enters the grid, where it moves between cells).
    f.Click(f.form->Edit1);
    for (int i = 0; i < 40 && QApplication::focusWidget() != panel; ++i) f.Key(Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), panel) << panel->objectName().toStdString() << " not reached by Tab";
    for (const auto &row : rows) {
      f.Key(row.key, row.modifiers);
      if (panel == f.form->Panel2) {
        EXPECT_EQ(f.form->RowHeight(), row.rowHeight) << row.note;
        EXPECT_EQ(panel->text(), U("行間隔 = ") + QString::number(row.rowHeight)) << row.note;
      } else {
        EXPECT_EQ(f.form->PrintColumns, row.printColumns) << row.note;
      }
    }
  }
}

// The grid's text colour is chosen right after its font, and the printed list is in it.
TEST(DataListForm, FontButtonChoosesTheTextColourTooAndThePrintUsesIt) {
  ListFixture f;
  f.Open(CodesOnly({"A"}));
  QString colourTitle;
  AnswerNextModal([&](QWidget *fonts) {
    ASSERT_NE(qobject_cast<QFontDialog *>(fonts), nullptr);
    AnswerNextModal([&](QWidget *colours) {
      auto *dialog = qobject_cast<QColorDialog *>(colours);
      ASSERT_NE(dialog, nullptr);
      colourTitle = dialog->windowTitle();
      dialog->setCurrentColor(QColor(200, 0, 30));
      dialog->accept();
    });
    static_cast<QDialog *>(fonts)->accept();
  });
  f.Click(f.form->Button4);
  EXPECT_FALSE(colourTitle.isEmpty()) << "no colour dialog after the font";
  EXPECT_EQ(f.form->GridFont().Color, RGBToColor(200, 0, 30));
  EXPECT_EQ(f.Grid()->palette().color(QPalette::Text), QColor(200, 0, 30));
  f.Click(f.form->Button6);
  ASSERT_EQ(f.printed.size(), 1u);
  EXPECT_EQ(f.printed[0].BodyColor, QColor(200, 0, 30));
  f.form->reject();
  EXPECT_EQ(f.environment.ReadInteger("DFontColor"), RGBToColor(200, 0, 30)) << "kept for the next time";

  // A cancelled colour keeps the one there was.
  AnswerNextModal([&](QWidget *fonts) {
    AnswerNextModal([](QWidget *colours) { static_cast<QDialog *>(colours)->reject(); });
    static_cast<QDialog *>(fonts)->accept();
  });
  f.form->show();
  f.Click(f.form->Button4);
  EXPECT_EQ(f.form->GridFont().Color, RGBToColor(200, 0, 30));
}

}  // namespace
}  // namespace plomix::test
