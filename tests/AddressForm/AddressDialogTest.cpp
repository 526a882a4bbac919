// "住所から作成…" in the main window: typed into as a user types, the data and its
// symbol shown live, OK entering the data as a new record the way Enter does.
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "AddressForm/PostalFileChoice.h"
#include "AddressForm/TAddressForm.h"
#include "tests/Frame/FrameTestSupport.h"
#include "tests/support/ModalDialog.h"

namespace plomix {
namespace {

using test::U;

// Keys typed into whatever has the focus in the application (the dialog's box).
void TypeIntoFocus(const QString &text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(QApplication::focusWidget(), &press);
  }
}

class AddressDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    // No postal-code file from the user's own data folder.
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    SetChosenPostalFile({});
  }
  QTemporaryDir dataHome;
};

TEST_F(AddressDialog, ShowsTheDataAndSymbolAsTheUserTypes) {
  TAddressForm form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QApplication::setActiveWindow(&form);
  form.Edit1->setFocus();
  struct Step {
    Qt::Key key;       // Qt::Key_unknown: type `text`
    const char *text;
    const char *data;  // Panel1 after the step
    bool problem;      // Panel2 shows a reason and OK is off
  };
  const Step steps[] = {
      {Qt::Key_unknown, "100-0013", "1000013", false},
      {Qt::Key_Tab, "", "1000013", false},
      {Qt::Key_unknown, "東京都千代田区霞が関1丁目3番2号", "10000131-3-2", false},
      {Qt::Key_unknown, " 郵便プラザ503室", "10000131-3-2-503", false},
      {Qt::Key_Backtab, "", "10000131-3-2-503", false},
      {Qt::Key_Backspace, "", "", true},  // the whole code selected and deleted
      {Qt::Key_unknown, "１００００１", "", true},  // six digits
  };
  for (const Step &s : steps) {
    if (s.key == Qt::Key_unknown)
      TypeIntoFocus(U(s.text));
    else
      QTest::keyClick(QApplication::focusWidget(), s.key);
    EXPECT_EQ(form.Panel1->text(), QLatin1String(s.data)) << s.text;
    EXPECT_EQ(form.Button1->isEnabled(), !s.problem) << s.text;
    EXPECT_EQ(form.Panel2->text().isEmpty(), !s.problem) << s.text;
    if (!s.problem) {
      EXPECT_EQ(form.BarImage1->Code(), s.data);
    }
  }
  TypeIntoFocus(U("３"));  // full width, as an input method types it
  EXPECT_EQ(form.Panel1->text(), QLatin1String("10000131-3-2-503"));
  EXPECT_TRUE(form.BarImage1->BarDisped());
}

TEST_F(AddressDialog, RepresentativeCodeIsRefusedWithItsReason) {
  TAddressForm form;
  form.Edit2->setText(U("〒100-0000 東京都千代田区"));
  EXPECT_TRUE(form.Panel1->text().isEmpty());
  EXPECT_TRUE(form.Panel2->text().contains(U("代表の郵便番号")));
  EXPECT_FALSE(form.Button1->isEnabled());
  EXPECT_TRUE(form.Label4->text().contains(U("郵便番号データなし")));
  // A whole line pasted into the postal-code box is read as the line it is.
  form.Edit2->clear();
  form.Edit1->setText(U("〒100-0013 東京都千代田区霞が関1-3-2"));
  EXPECT_EQ(form.Panel1->text(), QLatin1String("10000131-3-2"));
}

TEST_F(AddressDialog, OkEntersANewRecordWithTheAddressAsUpperComment) {
  test::FrameFixture f;
  f.Choose("ComboBox2", cbarCUSTOMER);
  f.TypeEnter("ComboBox1", QStringLiteral("12345"));
  const int before = f.form->Records()->Count();
  for (const bool tick : {true, false}) {
    test::AnswerNextModal([tick](QWidget *modal) {
      auto *form = qobject_cast<TAddressForm *>(modal);
      ASSERT_NE(form, nullptr);
      // The offscreen platform has no window manager to activate the dialog that opened.
      QApplication::setActiveWindow(form);
      if (!QTest::qWaitForWindowActive(form) || QApplication::focusWidget() != form->Edit1) {
        ADD_FAILURE() << "the dialog did not open with the postal-code box focused";
        form->reject();
        return;
      }
      TypeIntoFocus(QString::fromLatin1(tick ? "317-0055" : "263-0023"));
      QTest::keyClick(form->Edit1, Qt::Key_Tab);
      TypeIntoFocus(U(tick ? "茨城県日立市宮田町6丁目7-14 ABCビル2F" : "千葉市稲毛区緑町3-30-8"));
      if (tick) QTest::mouseClick(form->CheckBox1, Qt::LeftButton);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // the default button, OK
      if (form->isVisible()) {
        ADD_FAILURE() << "Enter did not close the dialog; focus: "
                      << QApplication::focusWidget()->objectName().toStdString();
        form->reject();
      }
    });
    f.Focus("ComboBox1");
    f.Key(Qt::Key_J, Qt::ControlModifier);
  }
  TRecordList &records = *f.form->Records();
  ASSERT_EQ(records.Count(), before + 2);
  const int first = records.FindCode("31700556-7-14-2"), second = records.FindCode("26300233-30-8");
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_EQ(SjisToUnicode(records.Field(first, rfCommentUp)), U("〒317-0055 茨城県日立市宮田町6丁目7-14 ABCビル2F"));
  EXPECT_EQ(records.Field(second, rfCommentUp), "");
  EXPECT_EQ(f.form->BarImage1->Code(), "26300233-30-8");  // the new record is shown
}

TEST_F(AddressDialog, NotOfferedForOtherSymbologies) {
  test::FrameFixture f;
  f.Choose("ComboBox2", cbarCODE39);
  f.TypeEnter("ComboBox1", QStringLiteral("ABC"));
  QTimer *answer = test::AnswerNextModal([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); }, 300);
  f.Focus("ComboBox1");
  f.Key(Qt::Key_J, Qt::ControlModifier);
  EXPECT_EQ(f.form->Records()->Count(), 1);
  QTest::qWait(350);  // the helper gave up: no dialog opened
  Q_UNUSED(answer);
  f.form->PopupMenu1->popup(QPoint(0, 0));
  EXPECT_FALSE(f.form->N5->isEnabled());
  f.form->PopupMenu1->close();
}

}  // namespace
}  // namespace plomix
