// plomix-cli's files: written through links, keeping an existing file's mode and owner,
// new files and folders with the umask's modes, missing folders made (single files and
// batches), and a limit that cuts a write short leaving the old file whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <span>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "tests/cli/CliRun.h"
#include "tests/cli/FrontAlone.h"
#include "tests/support/WritePlaces.h"

namespace plomix {
namespace {

using test::CliRun;
using test::CliSetup;
using test::RunCli;

CliSetup UnderTestUmask() {
  CliSetup setup;
  setup.inChild = [] { ::umask(test::kTestUmask); };
  return setup;
}

bool IsPng(const QByteArray &bytes) { return bytes.startsWith("\x89PNG\r\n\x1a\n"); }

// The ways a single file is written: by the full program (a symbol with text), by the
// front alone (bars only; without the full program beside it, so that nothing else can
// write the file) and by the full program forced to draw bars only. A batch always runs
// in the full program.
struct Way {
  const char *note;
  bool barsOnly;
  bool frontAlone;
  bool fullForced;
};
constexpr Way kWays[] = {
    {"with text", false, false, false},
    {"bars only, front", true, true, false},
    {"bars only, full program", true, false, true},
};
constexpr Way kBatchWay = kWays[0];

void TakeWay(const Way &way, QStringList &args, CliSetup &setup) {
  if (way.barsOnly) args.prepend("--no-text");
  if (way.frontAlone) setup.program = test::FrontAlone();
  if (way.fullForced) setup.env.insert("PLOMIX_CLI_FULL", "1");
}

TEST(CliFileWrite, EveryPlaceIsWrittenAsTheWindowWritesIt) {
  for (const test::WritePlace &place : test::WritePlaces()) {
    for (const bool batch : {false, true})
    for (const Way &way : batch ? std::span<const Way>(&kBatchWay, 1) : std::span<const Way>(kWays)) {
      QTemporaryDir tmp;
      const QDir dir(tmp.path());
      const QString name = place.prepare(dir);
      if (name.isEmpty()) continue;
      const QStringList before = test::NamesIn(dir);
      CliSetup setup = UnderTestUmask();
      QStringList args{"--type", "code39", "-o", dir.filePath(name)};
      if (batch) {
        setup.input = "A\n";
        args << "--batch" << "-";
      } else {
        args << "A";
      }
      TakeWay(way, args, setup);
      const CliRun run = RunCli(args, setup);
      EXPECT_EQ(run.status, 0) << place.note << (batch ? " (batch): " : ", ") << way.note << ": " << run.err.constData();
      test::ExpectWrittenIn(dir, place, before, IsPng);
    }
  }
}

struct FolderCase {
  const char *note;
  QByteArray batch;      // the batch's lines; empty: one code given on the command line
  const char *output;    // the -o name below a fresh folder
  int status;
  QStringList files;     // the files there afterwards
  const char *message;   // a part of the error message, or nullptr
};

TEST(CliFileWrite, MissingFoldersOfTheOutputAreMade) {
  const FolderCase cases[] = {
      {"one file, two folders deep", "", "out/sub/x.png", 0, {"out/sub/x.png"}, nullptr},
      {"the read-me's batch example", "A\nB\n", "out/{n}-{code}.png", 0, {"out/1-A.png", "out/2-B.png"}, nullptr},
      {"a folder per code", "A\nB\n", "{code}/x.png", 0, {"A/x.png", "B/x.png"}, nullptr},
      {"a file in the way, one file", "", "in.txt/sub/x.png", 4, {}, "in.txt/sub\" cannot be made: Not a directory"},
      {"a file in the way, a batch", "A\n", "in.txt/sub/{n}.png", 4, {}, "in.txt/sub\" cannot be made: Not a directory"},
  };
  for (const FolderCase &c : cases)
  for (const Way &way : c.batch.isEmpty() ? std::span<const Way>(kWays) : std::span<const Way>(&kBatchWay, 1)) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    test::MakeFile(dir, "in.txt", 0644);
    CliSetup setup = UnderTestUmask();
    QStringList args{"--type", "code39", "-o", dir.filePath(c.output)};
    if (c.batch.isEmpty()) {
      args << "A";
    } else {
      setup.input = c.batch;
      args << "--batch" << "-";
    }
    TakeWay(way, args, setup);
    const CliRun run = RunCli(args, setup);
    EXPECT_EQ(run.status, c.status) << c.note << ", " << way.note << ": " << run.err.constData();
    if (c.message) {
      EXPECT_TRUE(run.err.contains(c.message)) << c.note << ", " << way.note << ": " << run.err.constData();
    }
    for (const QString &file : c.files) {
      QFile written(dir.filePath(file));
      ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << c.note << ": " << file.toStdString();
      EXPECT_TRUE(IsPng(written.readAll())) << c.note;
      struct stat info {};
      ASSERT_EQ(::stat(QFile::encodeName(QFileInfo(written).absolutePath()).constData(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, test::kNewFolderMode) << c.note << ": the folder's mode";
    }
    QStringList left = test::NamesIn(dir);
    left.removeAll("in.txt");
    for (const QString &file : c.files) left.removeAll(file.section('/', 0, 0));
    EXPECT_TRUE(left.filter(QRegularExpression("^[^/]*$")).isEmpty()) << c.note << ": " << left.join(' ').toStdString();
  }
}

enum class Limit { FileSize, FullDisk };

struct CutShortCase {
  const char *note;
  Limit limit;
  bool batch;
  const char *reason;
};

// Replacing an existing file: the old file stays whole and nothing else is left.
TEST(CliFileWrite, AWriteCutShortKeepsTheOldFile) {
  const CutShortCase cases[] = {
      {"file-size limit", Limit::FileSize, false, "File too large"},
      {"file-size limit, batch", Limit::FileSize, true, "File too large"},
      {"full disk", Limit::FullDisk, false, "No space left on device"},
      {"full disk, batch", Limit::FullDisk, true, "No space left on device"},
  };
  for (const CutShortCase &c : cases)
  for (const Way &way : c.batch ? std::span<const Way>(&kBatchWay, 1) : std::span<const Way>(kWays)) {
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (c.limit == Limit::FullDisk && ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0) {
      std::cout << "skipped " << c.note << ": cannot mount a small file system here\n";
      continue;
    }
    test::MakeFile(dir, "big.bmp", 0600);
    CliSetup setup;
    if (c.limit == Limit::FileSize)
      setup.inChild = [] {
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
      };
    QStringList args{"--type", "code39", "--height", "200", "-o", dir.filePath("big.bmp")};
    if (c.batch) {
      setup.input = "ABCDEF\n";
      args << "--batch" << "-";
    } else {
      args << "ABCDEF";
    }
    TakeWay(way, args, setup);
    const CliRun run = RunCli(args, setup);
    const QStringList left = test::NamesIn(dir);
    QByteArray contents;
    if (QFile file(dir.filePath("big.bmp")); file.open(QIODevice::ReadOnly)) contents = file.readAll();
    if (c.limit == Limit::FullDisk) ::umount(mountPoint.constData());
    EXPECT_EQ(run.status, 4) << c.note << ", " << way.note << ": " << run.err.constData();
    EXPECT_TRUE(run.err.contains(c.reason)) << c.note << ", " << way.note << ": " << run.err.constData();
    EXPECT_EQ(left, QStringList{"big.bmp"}) << c.note << ", " << way.note << ": no temporary file left";
    EXPECT_EQ(contents, "old contents") << c.note << ", " << way.note;
  }
}

}  // namespace
}  // namespace plomix
