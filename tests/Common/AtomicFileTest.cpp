// The one file writer: links written through, modes and owners kept, missing folders made
// when asked, and a full disk or a file-size limit leaving the old file whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "Common/AtomicFile.h"
#include "tests/support/WritePlaces.h"

namespace plomix {
namespace {

using test::kNewFileMode;
using test::kNewFolderMode;

// Runs the body under the tests' umask, restoring the old one after.
template <typename Body>
void UnderTestUmask(Body body) {
  const mode_t old = ::umask(test::kTestUmask);
  body();
  ::umask(old);
}

// Every place twice: the writer tries a name as new first or looks first, by whether the
// thread's last file was there already, and both ways must end alike.
TEST(AtomicFile, EveryPlaceIsWrittenAsAnEditorWould) {
  QTemporaryDir scratch;
  const QString existing = scratch.filePath("existing");
  ASSERT_TRUE(WriteFileAtomically(existing, "old"));
  int fresh = 0;
  for (const bool afterAnExistingFile : {false, true}) {
    for (const test::WritePlace &place : test::WritePlaces()) {
      QTemporaryDir tmp;
      const QDir dir(tmp.path());
      const QString name = place.prepare(dir);
      if (name.isEmpty()) continue;
      const QStringList before = test::NamesIn(dir);
      UnderTestUmask([&] {
        ASSERT_TRUE(WriteFileAtomically(afterAnExistingFile ? existing : scratch.filePath(QString::number(++fresh)), "x"));
        QString error;
        EXPECT_TRUE(WriteFileAtomically(dir.filePath(name), "new", &error))
            << place.note << (afterAnExistingFile ? " (after an existing file)" : "") << ": " << error.toStdString();
      });
      test::ExpectWrittenIn(dir, place, before, [](const QByteArray &bytes) { return bytes == "new"; });
    }
  }
}

struct FolderCase {
  const char *note;
  const char *name;           // written below a fresh folder
  bool createFolders;
  const char *error;          // the reason given, or nullptr when the write succeeds
  const char *madeFolder;     // a folder that must exist afterwards with the new-folder mode
};

TEST(AtomicFile, MissingFoldersAreMadeOnlyWhenAsked) {
  const FolderCase cases[] = {
      {"the window's files need their folder", "no/such/x", false, "No such file or directory", nullptr},
      {"a folder made", "out/x", true, nullptr, "out"},
      {"folders made three deep", "a/b/c/x", true, nullptr, "a/b"},
      {"a folder made through the name of a file", "file.txt/sub/x", true,
       "the folder \"%1/file.txt/sub\" cannot be made: Not a directory", nullptr},
      {"a file in the way of the folder itself", "file.txt/x", true, "Not a directory", nullptr},
  };
  for (const FolderCase &c : cases) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    test::MakeFile(dir, "file.txt", 0644);
    UnderTestUmask([&] {
      QString error;
      const bool written = WriteFileAtomically(dir.filePath(c.name), "x", &error, {.createFolders = c.createFolders});
      EXPECT_EQ(written, c.error == nullptr) << c.note << ": " << error.toStdString();
      if (c.error) {
        EXPECT_EQ(error, QString(c.error).replace("%1", dir.path())) << c.note;
      }
    });
    if (c.madeFolder) {
      struct stat info {};
      ASSERT_EQ(::stat(QFile::encodeName(dir.filePath(c.madeFolder)).constData(), &info), 0) << c.note;
      EXPECT_EQ(info.st_mode & 07777, kNewFolderMode) << c.note;
      EXPECT_TRUE(QFileInfo(dir.filePath(c.name)).isFile()) << c.note;
    }
  }
}

// A limit that cuts the write short: the file-size limit of this process, or a small
// file system mounted over the folder (root only).
enum class Limit { FileSize, FullDisk };

struct CutShortCase {
  const char *note;
  Limit limit;
  bool existing;  // an earlier file is there to keep
  const char *reason;
};

TEST(AtomicFile, AWriteCutShortKeepsTheOldFileAndNamesTheReason) {
  const CutShortCase cases[] = {
      {"file-size limit, new file", Limit::FileSize, false, "File too large"},
      {"file-size limit, replacing a file", Limit::FileSize, true, "File too large"},
      {"full disk, new file", Limit::FullDisk, false, "No space left on device"},
      {"full disk, replacing a file", Limit::FullDisk, true, "No space left on device"},
  };
  const std::string big(64 * 1024, 'x');
  for (const CutShortCase &c : cases) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (c.limit == Limit::FullDisk && ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0) {
      std::cout << "skipped " << c.note << ": cannot mount a small file system here\n";
      continue;
    }
    if (c.existing) test::MakeFile(dir, "data.bin", 0600);
    QString error;
    bool written;
    if (c.limit == Limit::FileSize) {
      rlimit old{};
      ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
      const auto previous = std::signal(SIGXFSZ, SIG_IGN);
      rlimit small = old;
      small.rlim_cur = 1024;
      ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
      written = WriteFileAtomically(dir.filePath("data.bin"), big, &error);
      setrlimit(RLIMIT_FSIZE, &old);
      std::signal(SIGXFSZ, previous);
    } else {
      written = WriteFileAtomically(dir.filePath("data.bin"), big, &error);
    }
    const QStringList left = test::NamesIn(dir);
    QByteArray contents;
    if (QFile file(dir.filePath("data.bin")); file.open(QIODevice::ReadOnly)) contents = file.readAll();
    if (c.limit == Limit::FullDisk) ::umount(mountPoint.constData());
    EXPECT_FALSE(written) << c.note;
    EXPECT_EQ(error, c.reason) << c.note;
    EXPECT_EQ(left, c.existing ? QStringList{"data.bin"} : QStringList{}) << c.note << ": no temporary file left";
    if (c.existing) {
      EXPECT_EQ(contents, "old contents") << c.note;
    }
  }
}

}  // namespace
}  // namespace plomix
