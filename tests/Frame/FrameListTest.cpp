// The main window's sort and list buttons.
#include <QApplication>
#include <QHeaderView>
#include <QPointer>

#include "DataList/TDataListForm.h"
#include "Param/TParameter.h"
#include "Sort/TSortForm.h"
#include "tests/Frame/FrameTestSupport.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {
namespace {

std::string S(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

void AddRecords(FrameFixture &f, const std::vector<TDataRecord> &records) {
  std::vector<std::string> codes, ups, downs;
  for (const TDataRecord &r : records) {
    codes.push_back(r.Code);
    ups.push_back(r.CommentUp);
    downs.push_back(r.CommentDown);
  }
  f.form->Records()->Replace(codes, ups, downs);
  f.Choose("ComboBox1", 0);
}

// Keys typed one by one to whatever has the focus (the first opens the cell editor).
void TypeKeys(const QString &text) {
  for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// Clicks a grid cell of the open data list window.
void ClickCell(TDataListForm *list, int row, int col) {
  const QModelIndex index = list->Grid()->index(row - 1, col - 1);
  list->StringGrid1->scrollTo(index);
  QTest::mouseClick(list->StringGrid1->viewport(), Qt::LeftButton, {},
                    list->StringGrid1->visualRect(index).center());
}

TEST(FrameSort, SortsTheRecordListByTheChosenKey) {
  FrameFixture f;
  AddRecords(f, {{"111", S("ちゅう"), "d1"}, {"222", "b", "d2"}, {"333", "", "d3"}});
  AnswerNextModal([](QWidget *modal) {
    auto *dialog = qobject_cast<TSortForm *>(modal);
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->RadioGroup1Item1, Qt::LeftButton);
    QTest::mouseClick(dialog->Button2, Qt::LeftButton);  // cancelled: nothing changes
  });
  QTest::mouseClick(f.Find<QPushButton>("Button13"), Qt::LeftButton);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"111", "222", "333"}));
  EXPECT_EQ(f.form->SortKey, skCode);

  AnswerNextModal([](QWidget *modal) {
    auto *dialog = static_cast<TSortForm *>(modal);
    QTest::mouseClick(dialog->RadioGroup1Item1, Qt::LeftButton);
    QTest::mouseClick(dialog->RadioGroup2Item1, Qt::LeftButton);
    QTest::mouseClick(dialog->Button1, Qt::LeftButton);
  });
  QTest::mouseClick(f.Find<QPushButton>("Button13"), Qt::LeftButton);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"111", "222", "333"}));  // descending by upper comment
  EXPECT_EQ(f.form->Records()->List(rfCommentUp), (std::vector<std::string>{S("ちゅう"), "b", ""}));
  EXPECT_EQ(f.form->Records()->List(rfCommentDown), (std::vector<std::string>{"d1", "d2", "d3"}));
  EXPECT_EQ(f.form->CurrentIndex(), 0);
  EXPECT_EQ(f.form->ShownIndex, 0);
  EXPECT_EQ(f.form->BarImage1->Code(), "111");
  // Ascending by upper comment next time: the empty comment first, each record whole.
  AnswerNextModal([](QWidget *modal) {
    auto *dialog = static_cast<TSortForm *>(modal);
    EXPECT_TRUE(dialog->RadioGroup1Item1->isChecked());
    EXPECT_TRUE(dialog->RadioGroup2Item1->isChecked());
    QTest::mouseClick(dialog->RadioGroup2Item0, Qt::LeftButton);
    QTest::mouseClick(dialog->Button1, Qt::LeftButton);
  });
  QTest::mouseClick(f.Find<QPushButton>("Button13"), Qt::LeftButton);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"333", "222", "111"}));
  EXPECT_EQ(f.form->Records()->List(rfCommentDown), (std::vector<std::string>{"d3", "d2", "d1"}));
  // The settings are kept in the environment file.
  ASSERT_TRUE(f.form->FormCloseQuery());
  EXPECT_EQ(f.form->Parameter1->ReadInteger(S("ソート条件")), 1);
  EXPECT_EQ(f.form->Parameter1->ReadInteger(S("ソート方向")), 0);
}

TEST(FrameSort, OneRecordShowsNoDialog) {
  FrameFixture f;
  f.AddCodes({"123"});
  bool asked = false;
  const QPointer<QTimer> timer = AnswerNextModal([&asked](QWidget *modal) {
    asked = true;
    static_cast<QDialog *>(modal)->reject();
  });
  QTest::mouseClick(f.Find<QPushButton>("Button13"), Qt::LeftButton);
  // A dialog the click opened would be open now, or answered while it ran.
  DeliverQueuedEvents();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_FALSE(asked);
  delete timer.data();
}

TEST(FrameList, OkReplacesTheListAndShowsTheReturnedRecord) {
  FrameFixture f;
  f.AddCodes({"1111", "2222", "3333"});
  f.Choose("ComboBox1", 0);
  AnswerNextModal([](QWidget *modal) {
    auto *list = qobject_cast<TDataListForm *>(modal);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), QString::fromUtf8("データの一覧表示  :  3個"));
    EXPECT_EQ(list->Row(), 1);
    QApplication::setActiveWindow(list);  // as the window manager does for a new window
    ClickCell(list, 2, 2);
    TypeKeys(QStringLiteral("up"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::mouseClick(list->Button1, Qt::LeftButton);
  });
  QTest::mouseClick(f.Find<QPushButton>("Button14"), Qt::LeftButton);
  EXPECT_EQ(f.form->Records()->Field(1, rfCommentUp), "up");
  EXPECT_EQ(f.form->CurrentIndex(), 1);
  EXPECT_EQ(f.form->ShownIndex, 1);
  EXPECT_EQ(f.form->BarImage1->CommentUp(), "up");  // the record shown anew, with its edit
  EXPECT_EQ(f.Box("ComboBox7")->currentText(), QStringLiteral("up"));
  EXPECT_EQ(f.form->ListReturnIndex(), 0);
  // The window's settings went into the environment store.
  EXPECT_EQ(f.form->Parameter1->ReadInteger("DPartition"), 1);
}

TEST(FrameList, CancelKeepsTheListButSelectsTheRowLeft) {
  FrameFixture f;
  f.AddCodes({"1111", "2222", "3333"});
  AnswerNextModal([](QWidget *modal) {
    auto *list = static_cast<TDataListForm *>(modal);
    QTest::mouseClick(list->Button3, Qt::LeftButton);  // delete record 1 ...
    ClickCell(list, 3, 1);
    QTest::mouseClick(list->Button2, Qt::LeftButton);  // ... and cancel on the entry row
  });
  QTest::mouseClick(f.Find<QPushButton>("Button14"), Qt::LeftButton);
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"1111", "2222", "3333"}));
  EXPECT_EQ(f.form->CurrentIndex(), 2);  // row 3 of the list
  EXPECT_EQ(f.form->BarImage1->Code(), "3333");

  // Emptied and accepted: nothing is selected and nothing shown.
  AnswerNextModal([](QWidget *modal) {
    auto *list = static_cast<TDataListForm *>(modal);
    for (int i = 0; i < 3; ++i) {
      ClickCell(list, 1, 1);
      QTest::mouseClick(list->Button3, Qt::LeftButton);
    }
    QTest::mouseClick(list->Button1, Qt::LeftButton);
  });
  QTest::mouseClick(f.Find<QPushButton>("Button14"), Qt::LeftButton);
  EXPECT_TRUE(f.form->Records()->IsEmpty());
  EXPECT_EQ(f.form->CurrentIndex(), -1);
  EXPECT_FALSE(f.form->BarImage1->BarDisped());
}

}  // namespace
}  // namespace plomix::test
