// plomix-cli never reports success for data it changed or a file it did not write: text
// Shift-JIS cannot hold, broken UTF-8, full disks, file-size limits, pictures too large
// for memory or their format, a runtime folder that is not private.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <filesystem>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/CliRun.h"

namespace plomix {
namespace {

using test::CliRun;
using test::CliSetup;
using test::RunCli;
using test::RunCliInShell;

// AddressSanitizer reserves terabytes of address space for its shadow memory: a program
// built with it cannot start under a cap on the address space.
#ifdef PLOMIX_SANITIZE
constexpr bool kAddressSpaceCapWorks = false;
#else
constexpr bool kAddressSpaceCapWorks = true;
#endif
#define SKIP_WITHOUT_ADDRESS_SPACE_CAP() \
  if (!kAddressSpaceCapWorks) GTEST_SKIP() << "a sanitizer build cannot run under RLIMIT_AS"

QString Symbol(const CliRun &run) { return QJsonDocument::fromJson(run.out).object().value("symbol").toString(); }

TEST(CliText, UnmappableCharactersAreRefusedUnlessReplacementIsAsked) {
  const CliRun euro = RunCli({"--type", "code128", "--info", "A€1"});
  EXPECT_EQ(euro.status, 1);
  EXPECT_TRUE(euro.err.contains("character 2 (\"€\", U+20AC) cannot be written in Shift-JIS")) << euro.err.constData();
  EXPECT_FALSE(Symbol(euro).contains('?')) << "nothing drawn from a changed code";

  const CliRun comment = RunCli({"--type", "code39", "--down", "ok €", "A"});
  EXPECT_EQ(comment.status, 1);
  EXPECT_TRUE(comment.err.contains("lower comment")) << comment.err.constData();

  const CliRun replaced = RunCli({"--type", "code128", "--replace-unmappable", "--info", "A€1"});
  EXPECT_EQ(replaced.status, 0) << replaced.err.constData();
  EXPECT_TRUE(Symbol(replaced).startsWith("AA?1")) << "start A, then the code";

  EXPECT_EQ(RunCli({"--type", "code39", "--up", "日本語のコメント", "A"}).status, 0) << "Shift-JIS holds it";
}

TEST(CliText, InvalidUtf8IsRefusedWithItsPosition) {
  const CliRun run = RunCliInShell(R"sh("$CLI" --type code128 "$(printf 'AB\377C')")sh");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("byte 3 is not valid UTF-8")) << run.err.constData();
}

TEST(CliFiles, TheOutputNameIsTakenAsTheBytesGiven) {
  QTemporaryDir dir;
  const CliRun run = RunCliInShell(
      QStringLiteral(R"sh(cd '%1' && "$CLI" --type code39 -o "$(printf '\377\376.png')" A)sh").arg(dir.path()));
  ASSERT_EQ(run.status, 0) << run.err.constData();
  const std::string expected = dir.path().toStdString() + "/\xff\xfe.png";
  EXPECT_TRUE(std::filesystem::exists(expected));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(CliFiles, AFileSizeLimitIsAPlainError) {
  QTemporaryDir dir;
  const QString file = dir.filePath("big.bmp");
  CliSetup setup;
  setup.inChild = [] {
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
  };
  const CliRun run = RunCli({"--type", "code39", "--height", "200", "-o", file, "ABCDEF"}, setup);
  EXPECT_EQ(run.status, 4) << "not killed by SIGXFSZ";
  EXPECT_TRUE(run.err.contains("cannot write") && run.err.contains("File too large")) << run.err.constData();
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no partial file";
}

TEST(CliFiles, AFullDiskNamesItsReason) {
  QTemporaryDir dir;
  if (mount("tmpfs", dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0)
    GTEST_SKIP() << "cannot mount a small file system here";
  const CliRun run = RunCli({"--type", "code39", "--height", "200", "-o", dir.filePath("big.bmp"), "ABCDEF"});
  const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  umount(dir.path().toLocal8Bit().constData());
  EXPECT_EQ(run.status, 4);
  EXPECT_TRUE(run.err.contains("No space left on device")) << run.err.constData();
  EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
}

struct TooLargeCase {
  const char *note;
  QStringList args;
  int status;
  const char *message;
};

TEST(CliLimits, PicturesTooLargeAreRefusedBeforeDrawing) {
  QTemporaryDir dir;
  const QString thousand(1000, QLatin1Char('A'));
  const TooLargeCase cases[] = {
      {"BMP over 4 GiB", {"--scale", "10", "--height", "10000", "-o", dir.filePath("x.bmp"), "--", thousand}, 4,
       "a BMP file holds at most 4 GiB"},
      {"JPEG over 65,535 pixels", {"--scale", "10", "--height", "10", "-o", dir.filePath("x.jpg"), "--", thousand}, 4,
       "65,535 pixels a side"},
      {"WMF over 32,767", {"--picture", "wmf", "--scale", "4", "-o", dir.filePath("x.wmf"), "--", thousand}, 4,
       "32,767 pixels a side"},
      {"bitmap over the memory limit", {"--scale", "10", "--height", "10000", "--info", "--", thousand}, 1,
       "more than the limit of 1024 MiB"},
  };
  for (const TooLargeCase &c : cases) {
    CliSetup setup;
    // A tenth of the memory these pictures would need: a refusal cannot come from an
    // allocation that was tried (a sanitizer build runs without the cap).
    if (kAddressSpaceCapWorks) setup.inChild = [] {
      const rlimit limit{600ull << 20, 600ull << 20};
      setrlimit(RLIMIT_AS, &limit);
    };
    const CliRun run = RunCli(QStringList{"--type", "code128"} + c.args, setup);
    EXPECT_EQ(run.status, c.status) << c.note;
    EXPECT_TRUE(run.err.contains(c.message)) << c.note << ": " << run.err.constData();
  }
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

  CliSetup small;
  small.env.insert("PLOMIX_PICTURE_MEMORY_LIMIT", "30000");
  EXPECT_EQ(RunCli({"--type", "code39", "A"}, small).status, 1) << "72 × 120 × 4 bytes is over 30,000";
  EXPECT_EQ(RunCli({"--type", "code39", "--space-right", "0", "--space-left", "0", "A"}, small).status, 0);
}

// Memory running out anywhere (the picture, the recorded drawing, a batch's worker) is an
// error message and status 1, never an abort. Which of them runs out first depends on
// the limit, so several limits are tried, in single and batch mode.
TEST(CliLimits, RunningOutOfMemoryIsAnErrorNotAnAbort) {
  SKIP_WITHOUT_ADDRESS_SPACE_CAP();
  QTemporaryDir dir;
  const QString code(100000, QLatin1Char('A'));
  QFile input(dir.filePath("long.txt"));
  ASSERT_TRUE(input.open(QIODevice::WriteOnly));
  input.write(code.toLatin1() + "\nSHORT\n");
  input.close();
  // About 730 MB draws the picture whole (the PNG of 100,000 characters), so all stay below.
  for (unsigned long long megabytes : {500ULL, 600ULL, 680ULL}) {
    CliSetup setup;
    setup.inChild = [megabytes] {
      const rlimit limit{megabytes << 20, megabytes << 20};
      setrlimit(RLIMIT_AS, &limit);
    };
    for (const QStringList &args : {QStringList{"-o", dir.filePath("one.png"), "--", code},
                                    QStringList{"--batch", input.fileName(), "-o", dir.filePath("{n}.png")}}) {
      const CliRun run = RunCli(QStringList{"--type", "code128"} + args, setup);
      EXPECT_EQ(run.status, 1) << megabytes << " MB: " << run.err.constData();
      EXPECT_TRUE(run.err.contains("out of memory") || run.err.contains("could not be allocated"))
          << megabytes << " MB: " << run.err.constData();
    }
  }
}

TEST(CliLimits, APictureThatCannotBeAllocatedIsNotDrawn) {
  SKIP_WITHOUT_ADDRESS_SPACE_CAP();
  CliSetup setup;
  setup.env.insert("PLOMIX_PICTURE_MEMORY_LIMIT", QString::number(8ll << 30));
  setup.inChild = [] {
    const rlimit limit{1200ull << 20, 1200ull << 20};
    setrlimit(RLIMIT_AS, &limit);
  };
  const CliRun run = RunCli({"--type", "code128", "--scale", "10", "--height", "10000", "--info", "--",
                             QString(400, QLatin1Char('A'))},
                            setup);
  EXPECT_EQ(run.status, 1) << run.err.constData();
  EXPECT_FALSE(QJsonDocument::fromJson(run.out).object().value("displayed").toBool(true));
  EXPECT_TRUE(run.err.contains("could not be allocated")) << run.err.constData();
}

TEST(CliRuntimeDir, AFolderThatIsNotPrivateIsLeftAlone) {
  const QString owned = "plomix-runtime-" + QString::number(getuid());
  for (const char *kind : {"someone else's", "open to all", "a link"}) {
    QTemporaryDir tmp;
    const QByteArray path = QFile::encodeName(tmp.filePath(owned));
    const QByteArray target = QFile::encodeName(tmp.filePath("elsewhere"));
    if (std::string_view(kind) == "a link") {
      mkdir(target.constData(), 0700);
      ASSERT_EQ(symlink(target.constData(), path.constData()), 0);
    } else {
      mkdir(path.constData(), 0700);
      chmod(path.constData(), 0777);
      if (std::string_view(kind) == "someone else's") {
        ASSERT_EQ(chown(path.constData(), 65534, 65534), 0);
      }
    }
    struct stat before {};
    lstat(path.constData(), &before);
    CliSetup setup;
    setup.env.remove("XDG_RUNTIME_DIR");
    setup.env.insert("TMPDIR", tmp.path());
    const CliRun run = RunCli({"--type", "code39", "A"}, setup);
    EXPECT_EQ(run.status, 0) << kind;
    EXPECT_TRUE(run.err.isEmpty()) << kind << ": " << run.err.constData();
    struct stat after {};
    lstat(path.constData(), &after);
    EXPECT_EQ(after.st_mode, before.st_mode) << kind;
    EXPECT_EQ(after.st_uid, before.st_uid) << kind;
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
              std::string_view(kind) == "a link" ? 2 : 1)
        << kind << ": the fresh private folder is removed at exit";
  }
}

TEST(CliRuntimeDir, AFreshFolderIsPrivate) {
  QTemporaryDir tmp;
  CliSetup setup;
  setup.env.remove("XDG_RUNTIME_DIR");
  setup.env.insert("TMPDIR", tmp.path());
  ASSERT_EQ(RunCli({"--type", "code39", "A"}, setup).status, 0);
  struct stat info {};
  ASSERT_EQ(lstat(QFile::encodeName(tmp.filePath("plomix-runtime-" + QString::number(getuid()))).constData(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  EXPECT_EQ(info.st_uid, getuid());
}

}  // namespace
}  // namespace plomix
