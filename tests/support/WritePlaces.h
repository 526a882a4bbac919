#pragma once
// The places a file may be written to (new, existing with its own mode or owner, through
// links), shared by the tests of the window's writer and of plomix-cli so that both
// programs are held to one table.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix::test {

// The umask the tests write under, and the mode it leaves of a new file and a new folder.
constexpr mode_t kTestUmask = 027;
constexpr mode_t kNewFileMode = 0640, kNewFolderMode = 0750;

struct WritePlace {
  const char *note;
  // Prepares the folder and returns the name to write, relative to it; empty skips the row.
  std::function<QString(const QDir &)> prepare;
  const char *written;    // the file that must receive the new bytes
  const char *link;       // a name that must still be a symbolic link, or nullptr
  mode_t mode;            // the mode `written` must have afterwards
  uid_t owner = getuid(); // the owner it must have afterwards
};

inline void MakeFile(const QDir &dir, const QString &name, mode_t mode) {
  QFile file(dir.filePath(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("old contents");
  file.close();
  ASSERT_EQ(::chmod(QFile::encodeName(file.fileName()).constData(), mode), 0);
}

inline void MakeLink(const QDir &dir, const QString &name, const QString &target) {
  ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(dir.filePath(name)).constData()), 0);
}

inline const std::vector<WritePlace> &WritePlaces() {
  static const std::vector<WritePlace> places = {
      {"a new file gets 0666 less the umask", [](const QDir &) { return QString("new.png"); }, "new.png", nullptr,
       kNewFileMode},
      {"an existing private file stays private",
       [](const QDir &d) {
         MakeFile(d, "old.png", 0600);
         return QString("old.png");
       },
       "old.png", nullptr, 0600},
      {"an existing file open to all stays so",
       [](const QDir &d) {
         MakeFile(d, "open.png", 0666);
         return QString("open.png");
       },
       "open.png", nullptr, 0666},
      {"a relative link is written through; the target keeps its mode",
       [](const QDir &d) {
         MakeFile(d, "target.png", 0604);
         MakeLink(d, "link.png", "target.png");
         return QString("link.png");
       },
       "target.png", "link.png", 0604},
      {"an absolute link into another folder",
       [](const QDir &d) {
         d.mkdir("elsewhere");
         MakeFile(d, "elsewhere/target.png", 0600);
         MakeLink(d, "link.png", d.filePath("elsewhere/target.png"));
         return QString("link.png");
       },
       "elsewhere/target.png", "link.png", 0600},
      {"a link in a folder pointing up, reached through a chain of two links",
       [](const QDir &d) {
         d.mkdir("sub");
         MakeFile(d, "target.png", 0660);
         MakeLink(d, "sub/inner.png", "../target.png");
         MakeLink(d, "outer.png", "sub/inner.png");
         return QString("outer.png");
       },
       "target.png", "outer.png", 0660},
      {"a dangling link makes its target as a new file",
       [](const QDir &d) {
         MakeLink(d, "dangling.png", "made.png");
         return QString("dangling.png");
       },
       "made.png", "dangling.png", kNewFileMode},
      {"someone else's file keeps its owner",
       [](const QDir &d) {
         if (getuid() != 0) return QString();  // only root may give a file away
         MakeFile(d, "theirs.png", 0644);
         if (::chown(QFile::encodeName(d.filePath("theirs.png")).constData(), 65534, 65534) != 0) return QString();
         return QString("theirs.png");
       },
       "theirs.png", nullptr, 0644, 65534},
  };
  return places;
}

// Every name below `dir` (one folder deep), sorted, as ExpectWrittenIn compares them.
inline QStringList NamesIn(const QDir &dir) {
  QStringList names;
  const auto flags = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
  for (const QString &name : dir.entryList(flags)) {
    names << name;
    if (QFileInfo(dir.filePath(name)).isDir() && !QFileInfo(dir.filePath(name)).isSymLink())
      for (const QString &inner : QDir(dir.filePath(name)).entryList(flags)) names << name + '/' + inner;
  }
  names.sort();
  return names;
}

// Checks the place after a write: the new bytes in `written` (judged by `isNew`), its mode
// and owner, the link still a link, and no file but those prepared and `written`.
inline void ExpectWrittenIn(const QDir &dir, const WritePlace &place, const QStringList &before,
                            const std::function<bool(const QByteArray &)> &isNew) {
  QFile file(dir.filePath(place.written));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << place.note;
  EXPECT_TRUE(isNew(file.readAll())) << place.note;
  struct stat info {};
  ASSERT_EQ(::lstat(QFile::encodeName(file.fileName()).constData(), &info), 0) << place.note;
  EXPECT_TRUE(S_ISREG(info.st_mode)) << place.note;
  EXPECT_EQ(info.st_mode & 07777, place.mode) << place.note << std::oct << ": mode 0" << (info.st_mode & 07777);
  EXPECT_EQ(info.st_uid, place.owner) << place.note;
  if (place.link) {
    ASSERT_EQ(::lstat(QFile::encodeName(dir.filePath(place.link)).constData(), &info), 0) << place.note;
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << place.note << ": the link was replaced";
  }
  QStringList expected = before;
  if (!expected.contains(place.written)) expected << place.written;
  expected.sort();
  const QStringList after = NamesIn(dir);
  EXPECT_EQ(after, expected) << place.note << ": no temporary file left";
}

}  // namespace plomix::test
