// The pop-up menu's size report from the main window: Ctrl+I opens it modally with the
// shown symbol's size, its scale and the print scale, and it is freed when closed.
#include <QLineEdit>
#include <QTest>

#include "BarSize/TBarSizeForm.h"
#include "tests/Frame/FrameTestSupport.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {
namespace {

TEST(FrameSizeReport, CtrlIOpensTheReportOnTheSymbolsLastSizeAndFreesItAfterwards) {
  FrameFixture f;
  f.SetSymbology(cbarCODE39);
  f.TypeEnter("ComboBox1", U("SIZE-42"));
  TBarImage *bar = f.form->BarImage1;
  ASSERT_TRUE(bar->BarDisped());

  // The print scale typed into its box and entered, as a user does.
  QTest::mouseClick(f.form->Edit8, Qt::LeftButton);
  f.form->Edit8->selectAll();
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("250"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_EQ(f.form->UpDown8->Position(), 250);

  // A shown symbol, then a code that cannot be drawn: the report still opens, with the
  // symbol's last size.
  const int width = bar->BarWidth();
  const int height = bar->BarHeight();
  for (const char *code : {"SIZE-42", "lower case"}) {
    f.TypeEnter("ComboBox1", U(code));
    TSizeMeasures seen;
    bool modal = false;
    AnswerNextModal([&](QWidget *w) {
      auto *report = static_cast<TBarSizeForm *>(w);
      seen = report->Measures();
      modal = report->isModal() && report->parentWidget() == f.form.get();
      report->Close1->trigger();
    }, 5000, [](QWidget *w) { return qobject_cast<TBarSizeForm *>(w) != nullptr; });
    f.form->activateWindow();  // back from the last report, as a click on the window does
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.form.get()));
    QTest::mouseClick(f.Box("ComboBox1")->lineEdit(), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::ControlModifier);

    EXPECT_TRUE(modal) << code << ": shown modally with the main window as owner";
    EXPECT_EQ(seen.BarWidth, width) << code;
    EXPECT_EQ(seen.BarHeight, height) << code;
    EXPECT_EQ(seen.Scale, bar->Scale()) << code;
    EXPECT_EQ(seen.PrintScale, 250) << code;
    EXPECT_TRUE(f.form->findChildren<TBarSizeForm *>().isEmpty()) << code << ": freed when closed";
  }
  EXPECT_FALSE(bar->BarDisped()) << "the second code is not drawn";
}

}  // namespace
}  // namespace plomix::test
