// The main window's ways into the CSV import: its pop-up menu, a file dropped on it and
// the file named on the command line. Each opens the data list window with the import;
// the records reach the list with the data list's OK, and nothing at all without it.
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "DataList/CsvImportForm.h"
#include "DataList/TDataListForm.h"
#include "tests/Frame/FrameTestSupport.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {
namespace {

void DropFile(QWidget *target, const QString &path) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(path)});
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
}

TEST(FrameCsvImport, MenuDropAndCommandLineOpenTheImportAndOkKeepsTheRecords) {
  using Start = std::function<void(FrameFixture &, const QString &)>;
  const struct { const char *note; Start start; const char *listButton; bool kept; } rows[] = {
      {"pop-up menu, then OK",
       [](FrameFixture &f, const QString &path) {
         AnswerNextModal([path](QWidget *modal) {
           // The name typed into the dialog's name box, as a user does: selectFile leaves
           // the box alone once it has the keyboard, and whether it has it yet depends on
           // when the window was activated.
           auto *name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
           ASSERT_NE(name, nullptr);
           name->setText(path);
           static_cast<QDialog *>(modal)->accept();
         }, 5000, [](QWidget *modal) { return qobject_cast<QFileDialog *>(modal) != nullptr; });
         f.form->CsvImport1->trigger();
       },
       "Button1", true},
      {"a file dropped on the main window, then OK",
       [](FrameFixture &f, const QString &path) {
         DropFile(f.form.get(), path);
         QTest::qWait(0);  // the import opens once the drop is over
       },
       "Button1", true},
      {"plomix FILE.csv, then Cancel", [](FrameFixture &f, const QString &path) { f.form->ImportCsvFile(path); },
       "Button2", false},
  };
  for (const auto &row : rows) {
    FrameFixture f;
    f.AddCodes({"1111"});
    const QString path = QDir(f.dir.path()).filePath(QStringLiteral("labels.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF\xE3\x83\x90\xE3\x83\xBC\xE3\x82\xB3\xE3\x83\xBC\xE3\x83\x89\xE6\x96\x87\xE5\xAD\x97\xE5\x88\x97"
               ",lower comment\r\n2222,\xE5\x9C\xA8\xE5\xBA\xAB\r\n3333,\r\n");  // バーコード文字列, 在庫
    file.close();
    bool imported = false;
    AnswerNextModal(
        [&imported, &f, &row](QWidget *modal) {
          QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("AppendButton")), Qt::LeftButton);
          imported = true;
          // Then the data list window, once it is the active modal window with the import
          // in its grid: a wait for the window, not for a turn of the event loop.
          AnswerNextModal(
              [&row](QWidget *listModal) {
                auto *list = static_cast<TDataListForm *>(listModal);
                EXPECT_EQ(list->Grid()->RecordCount(), 3);
                QTest::mouseClick(list->findChild<QPushButton *>(QString::fromLatin1(row.listButton)), Qt::LeftButton);
              },
              10000, [](QWidget *m) { return qobject_cast<TDataListForm *>(m) != nullptr; });
        },
        10000, [](QWidget *modal) { return qobject_cast<TCsvImportForm *>(modal) != nullptr; });
    row.start(f, path);
    EXPECT_TRUE(imported) << row.note;
    const std::vector<std::string> expected =
        row.kept ? std::vector<std::string>{"1111", "2222", "3333"} : std::vector<std::string>{"1111"};
    EXPECT_EQ(f.form->Records()->List(rfCode), expected) << row.note;
    if (row.kept) {
      EXPECT_EQ(f.form->Records()->Field(1, rfCommentDown), UnicodeToSjis(U("在庫"))) << row.note;
    }
    EXPECT_FALSE(QFile::exists(QDir(f.dir.path()).filePath(QStringLiteral("Plomix.txt")))) << "written only at exit";
  }
}

}  // namespace
}  // namespace plomix::test
