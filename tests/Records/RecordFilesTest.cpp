// The record list on disk: round trip, the start-up fall-backs, bad input, and the
// data folder rule, on real files in a temporary folder.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>

#include "Common/FileBackup.h"
#include "Common/ProgramDir.h"
#include "Common/ShiftJis.h"
#include "Records/RecordFiles.h"

namespace plomix {
namespace {

using Lines = std::vector<std::string>;

std::string Sjis(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

class RecordFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString Path(const QString &name) const { return dir_.filePath(name); }
  void Write(const char *name, const std::string &bytes) { Write(QString::fromLatin1(name), bytes); }
  void Write(const QString &name, const std::string &bytes) {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  std::optional<std::string> Read(const QString &name) const {
    QFile file(Path(name));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll().toStdString();
  }
  bool Save(const RecordFileContents &c, QString *error = nullptr) {
    return SaveRecordFiles(dir_.path(), c.Codes, c.CommentsUp, c.CommentsDown, error);
  }

  QTemporaryDir dir_;
};

TEST_F(RecordFilesTest, SavedListsLoadBackUnchanged) {
  const Lines codes = {"4901234567894", Sjis("<FNC1>01234"), "", "A123B"};
  const Lines ups = {Sjis("上のコメント"), "", "x", ""};
  const Lines downs = {"", Sjis("下"), "", Sjis("～表示")};
  ASSERT_TRUE(SaveRecordFiles(dir_.path(), codes, ups, downs));
  EXPECT_EQ(Read("Plomix.txt"), "4901234567894\r\n" + Sjis("<FNC1>01234") + "\r\n\r\nA123B\r\n");
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  EXPECT_EQ(loaded.Codes, codes);
  EXPECT_EQ(loaded.CommentsUp, ups);
  EXPECT_EQ(loaded.CommentsDown, downs);
  EXPECT_TRUE(loaded.Notices.isEmpty());
}

TEST_F(RecordFilesTest, EmptyListsGiveEmptyFilesAndNoRecords) {
  ASSERT_TRUE(SaveRecordFiles(dir_.path(), {}, {}, {}));
  for (const char *name : {"Plomix.txt", "PlomixUp.txt", "PlomixDn.txt"}) EXPECT_EQ(Read(name), "") << name;
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  EXPECT_TRUE(loaded.Codes.empty() && loaded.CommentsUp.empty() && loaded.CommentsDown.empty());
}

TEST_F(RecordFilesTest, CommentFilesFallBackToEmptyComments) {
  struct Row {
    const char *note;
    std::optional<std::string> codes, ups, downs;  // nullopt: file missing
    Lines wantCodes, wantUps, wantDowns;
    int notices;  // a notice (and a backup) only when text is set aside
  } rows[] = {
      {"no files: first run", {}, {}, {}, {}, {}, {}, 0},
      {"codes only", "a\r\nb\r\n", {}, {}, {"a", "b"}, {"", ""}, {"", ""}, 0},
      {"5 codes, 4 upper comments: all upper comments empty, lower ones load",
       "1\r\n2\r\n3\r\n4\r\n5\r\n", "u1\r\nu2\r\nu3\r\nu4\r\n", "d1\r\nd2\r\nd3\r\nd4\r\nd5\r\n",
       {"1", "2", "3", "4", "5"}, {"", "", "", "", ""}, {"d1", "d2", "d3", "d4", "d5"}, 1},
      {"empty comment file for two codes", "a\r\nb\r\n", "", "", {"a", "b"}, {"", ""}, {"", ""}, 0},
      {"comments without codes", {}, "u\r\n", "d\r\n", {}, {}, {}, 2},
      {"empty code file", "", "u\r\n", {}, {}, {}, {}, 1},
      {"last line without line end counts", "a\r\nb", "u\r\nv", "\r\n", {"a", "b"}, {"u", "v"}, {"", ""}, 1},
  };
  for (const Row &row : rows) {
    QTemporaryDir dir;
    const auto put = [&](const char *name, const std::optional<std::string> &bytes) {
      if (!bytes) return;
      QFile file(dir.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(bytes->data(), static_cast<qint64>(bytes->size()));
    };
    put("Plomix.txt", row.codes);
    put("PlomixUp.txt", row.ups);
    put("PlomixDn.txt", row.downs);
    const RecordFileContents loaded = LoadRecordFiles(dir.path());
    EXPECT_EQ(loaded.Codes, row.wantCodes) << row.note;
    EXPECT_EQ(loaded.CommentsUp, row.wantUps) << row.note;
    EXPECT_EQ(loaded.CommentsDown, row.wantDowns) << row.note;
    EXPECT_EQ(loaded.Notices.size(), row.notices) << row.note << "\n" << loaded.Notices.join("\n").toStdString();
  }
}

TEST_F(RecordFilesTest, SetAsideCommentFileIsKeptAsBackup) {
  const std::string ups = Sjis("上1\r\n上2\r\n");
  Write("Plomix.txt", "1\r\n2\r\n3\r\n");
  Write("PlomixUp.txt", ups);
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  ASSERT_EQ(loaded.Notices.size(), 1);
  EXPECT_TRUE(loaded.Notices[0].contains("PlomixUp.txt.bak")) << loaded.Notices[0].toStdString();
  ASSERT_TRUE(Save(loaded));
  EXPECT_EQ(Read("PlomixUp.txt"), "\r\n\r\n\r\n") << "the close writes the empty comments";
  EXPECT_EQ(Read("PlomixUp.txt.bak"), ups) << "and the user's comments are still there";
}

TEST_F(RecordFilesTest, OlderDifferentBackupIsNotReplaced) {
  Write("Plomix.txt", "1\r\n");
  Write("PlomixDn.txt", "first\r\nsecond\r\n");
  Write("PlomixDn.txt.bak", "older backup\r\n");
  LoadRecordFiles(dir_.path());
  EXPECT_EQ(Read("PlomixDn.txt.bak"), "older backup\r\n");
  EXPECT_EQ(Read("PlomixDn.txt.bak.2"), "first\r\nsecond\r\n");
  LoadRecordFiles(dir_.path());
  EXPECT_FALSE(Read("PlomixDn.txt.bak.3")) << "the same original is kept once";
}

TEST_F(RecordFilesTest, BadInputLoadsWithoutLossAndSavesSoundFiles) {
  const std::string invalidSjis = "\x81\x20\xFF\xA0" "abc\x82";  // lone lead bytes, unused bytes
  const std::string longLine(10 * 1024 * 1024, '7');
  struct Row {
    const char *note;
    std::string codes;
    Lines wantCodes;
    bool backup;
  } rows[] = {
      {"NUL ends the text; the rest is kept in the backup", std::string("A\r\nB\0C\r\nD\r\n", 11), {"A", "B"}, true},
      {"trailing NUL padding loses nothing", std::string("A\r\nB\r\n\0\0\0", 9), {"A", "B"}, false},
      {"lone CR ends a line", "A\rB\rC", {"A", "B", "C"}, false},
      {"invalid Shift-JIS is kept byte for byte", invalidSjis + "\r\n", {invalidSjis}, false},
      {"a 10 MB line", longLine + "\r\nX\r\n", {longLine, "X"}, false},
  };
  for (const Row &row : rows) {
    QTemporaryDir dir;
    QFile file(dir.filePath("Plomix.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(row.codes.data(), static_cast<qint64>(row.codes.size()));
    file.close();
    const RecordFileContents loaded = LoadRecordFiles(dir.path());
    EXPECT_EQ(loaded.Codes, row.wantCodes) << row.note;
    EXPECT_EQ(loaded.CommentsUp.size(), row.wantCodes.size()) << row.note;
    EXPECT_EQ(QFile::exists(dir.filePath("Plomix.txt.bak")), row.backup) << row.note;
    ASSERT_TRUE(SaveRecordFiles(dir.path(), loaded.Codes, loaded.CommentsUp, loaded.CommentsDown)) << row.note;
    const RecordFileContents again = LoadRecordFiles(dir.path());
    EXPECT_EQ(again.Codes, row.wantCodes) << row.note << ": the saved file is sound";
    EXPECT_TRUE(again.Notices.isEmpty()) << row.note;
  }
}

TEST_F(RecordFilesTest, LineBreakInsideAFieldKeepsTheFilesAligned) {
  const Lines codes = {"12\n34", "5"};
  const Lines ups = {"a\r\nb", std::string("c\0d", 3)};
  ASSERT_TRUE(SaveRecordFiles(dir_.path(), codes, ups, {"", "e\rf"}));
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  EXPECT_EQ(loaded.Codes, (Lines{"12 34", "5"}));
  EXPECT_EQ(loaded.CommentsUp, (Lines{"a  b", "c d"}));
  EXPECT_EQ(loaded.CommentsDown, (Lines{"", "e f"}));
}

TEST_F(RecordFilesTest, UnreadableFileIsMovedAsideSoTheNextSaveWorks) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Plomix.txt/inside"));  // not a file
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  EXPECT_TRUE(loaded.Codes.empty());
  ASSERT_EQ(loaded.Notices.size(), 1);
  EXPECT_TRUE(QDir(Path("Plomix.txt.bak/inside")).exists());
  EXPECT_TRUE(Save({{"1"}, {""}, {""}, {}, {}}));
}

TEST_F(RecordFilesTest, FailedSaveStopsAndKeepsWhatWasThere) {
  Write("Plomix.txt", "old\r\n");
  Write("PlomixDn.txt", "old down\r\n");
  ASSERT_TRUE(QDir(dir_.path()).mkpath("PlomixUp.txt"));  // cannot be replaced by a file
  QString error;
  EXPECT_FALSE(Save({{"new"}, {"up"}, {"down"}, {}, {}}, &error));
  EXPECT_TRUE(error.contains("PlomixUp.txt")) << error.toStdString();
  EXPECT_EQ(Read("Plomix.txt"), "new\r\n") << "written before the failing file";
  EXPECT_EQ(Read("PlomixDn.txt"), "old down\r\n") << "not reached";
}

// A backup that cannot be made stops the overwrite: without it the text after the NUL
// (the user's comments) would be gone after the next close.
TEST_F(RecordFilesTest, ABackupThatCannotBeMadeLeavesTheFileAsItIs) {
  const std::string ups = std::string("u1\r\n\0", 5) + Sjis("大事なコメント") + "\r\n";
  Write("Plomix.txt", "1\r\n");
  Write("PlomixUp.txt", ups);
  for (int n = 1; n <= kMaxBackups; ++n)
    Write(n == 1 ? "PlomixUp.txt.bak" : QStringLiteral("PlomixUp.txt.bak.%1").arg(n), "older " + std::to_string(n));
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  EXPECT_EQ(loaded.CommentsUp, Lines{"u1"});
  ASSERT_EQ(loaded.Notices.size(), 1);
  EXPECT_TRUE(loaded.Notices[0].contains(QString::fromUtf8("書き換えません"))) << loaded.Notices[0].toStdString();
  EXPECT_EQ(loaded.Untouchable, QStringList{"PlomixUp.txt"});
  ASSERT_TRUE(SaveRecordFiles(dir_.path(), {"1", "2"}, {"u1", "u2"}, {"", ""}, nullptr, loaded.Untouchable));
  EXPECT_EQ(Read("PlomixUp.txt"), ups) << "the comments after the NUL are still on disk";
  EXPECT_EQ(Read("Plomix.txt"), "1\r\n2\r\n");
  // With the code file left as it is, none is written: the three stay together.
  EXPECT_TRUE(SaveRecordFiles(dir_.path(), {"3"}, {""}, {""}, nullptr, {"Plomix.txt"}));
  EXPECT_EQ(Read("Plomix.txt"), "1\r\n2\r\n");
  EXPECT_EQ(Read("PlomixUp.txt"), ups);
}

// A file-size limit (the disk "full" for this process) makes the backup fail; the
// original must stay, or the codes after the NUL would be lost at the next close.
TEST_F(RecordFilesTest, ABackupFailingForTheFileSizeLimitKeepsTheOriginal) {
  const std::string codes = "A\r\n" + std::string(1, '\0') + std::string(8192, 'B') + "\r\n";
  Write("Plomix.txt", codes);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  QString error;
  const bool saved = SaveRecordFiles(dir_.path(), {"A", "C"}, {"", ""}, {"", ""}, &error, loaded.Untouchable);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  ASSERT_EQ(loaded.Notices.size(), 1);
  EXPECT_TRUE(loaded.Notices[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG)))) << loaded.Notices[0].toStdString();
  EXPECT_TRUE(saved);
  EXPECT_EQ(Read("Plomix.txt"), codes);
  EXPECT_FALSE(Read("Plomix.txt.bak"));
}

// A file an editor saved as UTF-8 is read as UTF-8 (not as mojibake), the original kept.
TEST_F(RecordFilesTest, AUtf8DataFileIsReadAsUtf8AndKept) {
  struct Row {
    const char *note;
    std::string bytes;
    Lines codes;
    bool utf8;
  } rows[] = {
      {"Japanese in UTF-8", "\xE3\x81\x82\xE3\x81\x84\r\n\xE2\x82\xAC" "1\r\n", {Sjis("あい"), "?1"}, true},
      {"with a byte-order mark", "\xEF\xBB\xBF" "A\xC3\xA9\r\n", {"A?"}, true},
      {"Shift-JIS stays Shift-JIS", Sjis("あい") + "\r\n", {Sjis("あい")}, false},
      {"half-width katakana that happen to be valid UTF-8", "\xC3\xBD\r\n", {"\xC3\xBD"}, false},
      {"plain ASCII", "4901234567894\r\n", {"4901234567894"}, false},
  };
  for (const Row &row : rows) {
    QTemporaryDir dir;
    QFile file(dir.filePath("Plomix.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(row.bytes.data(), static_cast<qint64>(row.bytes.size()));
    file.close();
    const RecordFileContents loaded = LoadRecordFiles(dir.path());
    EXPECT_EQ(loaded.Codes, row.codes) << row.note;
    EXPECT_EQ(loaded.Notices.size(), row.utf8 ? 1 : 0) << row.note;
    if (row.utf8) {
      EXPECT_TRUE(loaded.Notices.join("").contains("UTF-8")) << row.note;
    }
    QFile backup(dir.filePath("Plomix.txt.bak"));
    EXPECT_EQ(backup.open(QIODevice::ReadOnly) ? backup.readAll().toStdString() : "", row.utf8 ? row.bytes : "")
        << row.note;
  }
}

// A FIFO in place of a data file is not read (start-up would wait forever) but moved
// aside, so the next save writes a sound file.
TEST_F(RecordFilesTest, AFifoIsNotReadButMovedAside) {
  ASSERT_EQ(mkfifo(Path("PlomixDn.txt").toLocal8Bit().constData(), 0600), 0);
  Write("Plomix.txt", "1\r\n");
  const RecordFileContents loaded = LoadRecordFiles(dir_.path());
  EXPECT_EQ(loaded.CommentsDown, Lines{""});
  ASSERT_EQ(loaded.Notices.size(), 1);
  EXPECT_TRUE(loaded.Notices[0].contains("PlomixDn.txt")) << loaded.Notices[0].toStdString();
  EXPECT_TRUE(QFileInfo(Path("PlomixDn.txt.bak")).exists());
  EXPECT_TRUE(Save(loaded));
  EXPECT_EQ(Read("PlomixDn.txt"), "\r\n");
}

TEST(DataDirectory, ProgramFolderWhenWritableElsePerUserFolder) {
  QStandardPaths::setTestModeEnabled(true);
  const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QTemporaryDir writable;
  QTemporaryDir prefix;  // an installed tree, writable as a root install is
  QDir(prefix.path()).mkpath("bin");
  QDir(prefix.path()).mkpath("share/plomix");
  struct Row {
    const char *note;
    QString programDir, expected;
  } rows[] = {
      {"writable program folder", writable.path(), writable.path()},
      {"installed bin folder, even when writable", prefix.filePath("bin"), perUser},
      {"a folder nobody can create files in, even root", "/proc", perUser},
      {"a folder that does not exist", writable.filePath("gone"), perUser},
  };
  for (const Row &row : rows) EXPECT_EQ(DataDirectoryFor(row.programDir), row.expected) << row.note;
  EXPECT_TRUE(QDir(perUser).exists());
  QStandardPaths::setTestModeEnabled(false);
}

TEST(ReadmePath, BesideTheProgramElseInTheInstalledTree) {
  QTemporaryDir prefix;
  const QDir root(prefix.path());
  root.mkpath("bin");
  root.mkpath("share/plomix");
  root.mkpath("build");
  auto touch = [&](const QString &path) { QFile f(root.filePath(path)); return f.open(QIODevice::WriteOnly); };
  const QString bin = root.filePath("bin"), build = root.filePath("build");
  EXPECT_EQ(ReadmePathFor(bin), QString()) << "installed tree without Readme.txt: no file";
  ASSERT_TRUE(touch("share/plomix/Readme.txt"));
  EXPECT_EQ(ReadmePathFor(bin), root.filePath("share/plomix/Readme.txt"));
  EXPECT_EQ(ReadmePathFor(build), QString()) << "a build folder does not look into ../share";
  ASSERT_TRUE(touch("bin/Readme.txt"));
  EXPECT_EQ(ReadmePathFor(bin), root.filePath("bin/Readme.txt")) << "beside the program first";
}

}  // namespace
}  // namespace plomix
