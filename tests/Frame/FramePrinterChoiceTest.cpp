// The printer set-up (印刷設定): a dialog that sets, and the printer it chooses, which the
// data list prints on as well.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>

#include "DataList/TDataListForm.h"
#include "tests/Frame/FrameTestSupport.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/PdfReadBack.h"

namespace plomix::test {
namespace {

// A home folder of its own for the test: a PDF that goes to the default place for want
// of a printer lands there, where the test sees it.
struct PrivateHome {
  QTemporaryDir dir;
  QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
  PrivateHome() {
    qputenv("HOME", QFile::encodeName(dir.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral(".config"))));
  }
  ~PrivateHome() {
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
  }
  QStringList Pdfs() const { return QDir(dir.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files); }
};

// In the set-up dialog, chooses printing to a PDF file (the last printer of its list)
// named `path`, as a user does, and confirms.
void ChoosePdfPrinter(QWidget *modal, const QString &path) {
  auto *dialog = qobject_cast<QPrintDialog *>(modal);
  ASSERT_NE(dialog, nullptr);
  auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
  ASSERT_NE(printers, nullptr);
  printers->setCurrentIndex(printers->count() - 1);
  auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->isEnabled()) << "the last printer is the PDF file";
  file->setText(path);
  auto *buttons = dialog->findChild<QDialogButtonBox *>();
  ASSERT_NE(buttons, nullptr);
  QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

TEST(FrameListPrint, TheListGoesToThePrinterChosenInTheSetUp) {
  PrivateHome home;
  QTemporaryDir out;
  const QString chosen = out.filePath(QStringLiteral("chosen.pdf"));
  FrameFixture f;
  f.AddCodes({"LISTPRINT1", "LISTPRINT2"});

  AnswerNextModal([&](QWidget *modal) { ChoosePdfPrinter(modal, chosen); });
  QTest::mouseClick(f.Find<QPushButton>("Button9"), Qt::LeftButton);  // 印刷設定

  QStringList messages;
  AnswerNextModal([&](QWidget *modal) {
    auto *list = qobject_cast<TDataListForm *>(modal);
    ASSERT_NE(list, nullptr);
    QPointer<QTimer> answer = AnswerNextModal(
        [&](QWidget *box) {
          messages << static_cast<QMessageBox *>(box)->text();
          static_cast<QDialog *>(box)->accept();
        },
        3000, [](QWidget *box) { return qobject_cast<QMessageBox *>(box) != nullptr; });
    QTest::mouseClick(list->Button6, Qt::LeftButton);  // 印刷
    delete answer;  // no message came: the next test's must not be answered here
    QTest::mouseClick(list->Button2, Qt::LeftButton);  // Cancel
  });
  QTest::mouseClick(f.Find<QPushButton>("Button14"), Qt::LeftButton);  // 一覧

  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
  ASSERT_TRUE(QFileInfo::exists(chosen)) << "nothing reached the chosen printer";
  const QString text = PdfLayoutText(chosen);
  EXPECT_TRUE(text.contains(QStringLiteral("LISTPRINT1")) && text.contains(QStringLiteral("LISTPRINT2")))
      << text.toStdString();
  EXPECT_TRUE(home.Pdfs().isEmpty()) << "also printed to " << home.Pdfs().join(QLatin1Char(' ')).toStdString();
}

// The set-up prints nothing: its confirming button says so.
TEST(FramePrinterSetUp, ConfirmsWithASettingButtonNotAPrintButton) {
  FrameFixture f;
  QString title, confirm;
  AnswerNextModal([&](QWidget *modal) {
    auto *dialog = qobject_cast<QPrintDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    ASSERT_NE(buttons, nullptr);
    confirm = buttons->button(QDialogButtonBox::Ok)->text();
    dialog->reject();
  });
  QTest::mouseClick(f.Find<QPushButton>("Button9"), Qt::LeftButton);
  EXPECT_EQ(title, U("印刷設定"));
  EXPECT_EQ(confirm, QStringLiteral("OK")) << "was " << confirm.toStdString();
}

}  // namespace
}  // namespace plomix::test
