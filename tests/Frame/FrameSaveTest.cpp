// The save and copy buttons: the save dialog's settings, the file type by copy method,
// the remembered folder and the report of a file that cannot be written.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <gtest/gtest.h>

#include "Frame/SaveDialogSettings.h"
#include "FrameTestSupport.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {
namespace {

QByteArray Head(const QString &path, int bytes) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

struct DialogSeen {
  QString filter, suffix, directory, proposed;
};

struct FrameSave : ::testing::Test {
  FrameFixture f;
  QTemporaryDir out;
  void SetUp() override {
    f.SetSymbology(cbarCODE39);
    f.TypeEnter("ComboBox1", "ABC");
  }
  // Clicks the save button and answers the dialog with `name` (or cancels when empty).
  DialogSeen Save(const QString &name) {
    DialogSeen seen;
    QPointer<QTimer> guard;
    AnswerNextModal([&](QWidget *modal) {
      auto *dialog = qobject_cast<QFileDialog *>(modal);
      ASSERT_NE(dialog, nullptr);
      seen = {dialog->selectedNameFilter(), dialog->defaultSuffix(), dialog->directory().absolutePath(),
              dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text()};
      if (name.isEmpty()) {
        dialog->reject();
        return;
      }
      dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(name);
      // No other question may follow (an overwrite question would mean a wrong name).
      guard = AnswerNextModal(
          [](QWidget *unexpected) {
            ADD_FAILURE() << "unexpected message";
            static_cast<QDialog *>(unexpected)->reject();
          },
          1000, [](QWidget *modal) { return qobject_cast<QMessageBox *>(modal) != nullptr; });
      static_cast<QDialog *>(dialog)->accept();
    });
    QTest::mouseClick(f.Find<QPushButton>("Button4"), Qt::LeftButton);
    delete guard.data();
    return seen;
  }
};

TEST_F(FrameSave, TheFileTypeFollowsTheCopyMethodNeverTheName) {
  struct Row { int copyMethod; const char *typed; const char *written; QByteArray magic; int at; const char *note; };
  const Row rows[] = {
      {0, "a.bmp", "a.bmp", "BM", 0, "bitmap file"},
      {0, "b.JPEG", "b.JPEG", "\xFF\xD8\xFF", 0, "JPEG by the name, any case"},
      {0, "c.emf", "c.emf", "BM", 0, "a bitmap under an .emf name stays a bitmap"},
      {1, "d.emf", "d.emf", " EMF", 40, "enhanced metafile signature"},
      {2, "e", "e.bmp", "\xD7\xCD\xC6\x9A", 0, "no extension: .bmp appended, placeable WMF inside"},
  };
  for (const Row &row : rows) {
    f.Choose("ComboBox6", row.copyMethod);
    const DialogSeen seen = Save(out.filePath(row.typed));
    EXPECT_EQ(seen.filter, SaveDialogFilters()[row.copyMethod]) << row.note;
    EXPECT_EQ(seen.suffix, "bmp") << row.note;
    EXPECT_EQ(seen.proposed, ProposedPictureName(static_cast<TPictures>(row.copyMethod))) << row.note;
    EXPECT_EQ(Head(out.filePath(row.written), row.at + row.magic.size()).mid(row.at), row.magic) << row.note;
  }
  EXPECT_EQ(ProposedPictureName(picWMF), "Plomix.wmf");
  EXPECT_EQ(f.form->SaveDir, out.path());
}

TEST_F(FrameSave, CancellingKeepsTheFolderAndTheNextSaveOpensThere) {
  Save(out.filePath("first.bmp"));
  ASSERT_EQ(f.form->SaveDir, out.path());
  Save({});
  EXPECT_EQ(f.form->SaveDir, out.path());
  EXPECT_EQ(Save({}).directory, out.path());
}

TEST_F(FrameSave, TheSavedFolderHasNoTrailingSeparatorExceptTheRoot) {
  EXPECT_EQ(SaveDirOf("/a.bmp"), "/");
  EXPECT_EQ(SaveDirOf("/tmp/x/a.bmp"), "/tmp/x");
}

TEST_F(FrameSave, AFileThatCannotBeWrittenIsReportedAndTheFolderStays) {
  f.form->SaveDir = "/somewhere";
  QString reported;
  AnswerNextModal([&](QWidget *modal) {
    auto *dialog = qobject_cast<QFileDialog *>(modal);
    ASSERT_NE(dialog, nullptr);
    // No file can be created there.
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText("/proc/plomix-test.bmp");
    static_cast<QDialog *>(dialog)->accept();
    AnswerNextModal([&](QWidget *message) {
      reported = static_cast<QMessageBox *>(message)->text();
      static_cast<QDialog *>(message)->accept();
    });
  });
  f.form->Button4Click();
  // A Japanese lead sentence naming the file, then the system's reason.
  EXPECT_TRUE(reported.startsWith(QString::fromUtf8("画像ファイル「/proc/plomix-test.bmp」を保存出来ませんでした。\n")))
      << reported.toStdString();
  EXPECT_GT(reported.size(), QString::fromUtf8("画像ファイル「/proc/plomix-test.bmp」を保存出来ませんでした。\n").size());
  EXPECT_EQ(f.form->SaveDir, "/somewhere");
}

TEST_F(FrameSave, NothingIsSavedOrCopiedWithoutASymbol) {
  f.TypeEnter("ComboBox1", "abc");  // Code 39 cannot encode lower case
  ASSERT_FALSE(f.form->BarImage1->BarDisped());
  bool opened = false;
  const QPointer<QTimer> answer = AnswerNextModal([&](QWidget *modal) {
    opened = true;
    static_cast<QDialog *>(modal)->reject();
  });
  f.form->Button4Click();
  // A dialog the click opened would be open now, or answered while it ran.
  DeliverQueuedEvents();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_FALSE(opened);
  delete answer.data();
  QGuiApplication::clipboard()->setText("before");
  f.form->Button3Click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

}  // namespace
}  // namespace plomix::test
