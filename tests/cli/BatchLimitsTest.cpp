// Batches whose size or surroundings are out of the ordinary: a 100 MB input, a very
// wide symbol before a small one, a folder the user may not write.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/CliRun.h"

namespace plomix {
namespace {

using test::RunCliMeasured;

TEST(BatchLimits, A100MegabyteInputOfLongLinesNamesEachAndDrawsTheRest) {
  QTemporaryDir dir;
  const QString in = dir.filePath("big.txt");
  {
    QFile file(in);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray megabyte(1 << 20, 'X');
    for (int i = 0; i < 100; ++i) file.write("OK" + QByteArray::number(i) + "\n" + megabyte + "\n");
  }
  const qint64 size = QFileInfo(in).size();
  const test::MeasuredRun run = RunCliMeasured({"--batch", in, "--type", "code39", "--info"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.count('\n'), 100) << "every short line drawn";
  EXPECT_EQ(run.err.count("bytes in one field"), 100) << run.err.left(500).constData();
  EXPECT_TRUE(run.err.contains("line 200: 1048576 bytes")) << run.err.right(300).constData();
  EXPECT_LT(run.peakBytes, 5 * size) << "the input and its text, not a picture for each line";
}

TEST(BatchLimits, AWideSymbolCostsTheLinesAfterItNoPixels) {
  QTemporaryDir dir;
  QFile file(dir.filePath("in.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(40000, 'A') + "\n" + QByteArray("B\n").repeated(32));  // lines drawn side by side
  file.close();
  const test::MeasuredRun run = RunCliMeasured({"--batch", file.fileName(), "--type", "code39", "--no-text",
                                                "--picture", "emf", "--info", "-o", dir.filePath("{n}.emf")});
  ASSERT_EQ(run.status, 0) << run.err.constData();
  const QJsonObject wide = QJsonDocument::fromJson(run.out.split('\n').front()).object();
  const long long bitmapBytes = 4ll * wide.value("width").toInt() * wide.value("height").toInt();
#ifdef PLOMIX_SANITIZE
  // AddressSanitizer keeps freed blocks resident (its quarantine), so the peak says nothing.
  GTEST_SKIP() << "peak memory is not the program's own in a sanitizer build";
#endif
  EXPECT_LT(run.peakBytes, bitmapBytes * 3 / 4) << "no bitmap at the wide symbol's size for a metafile";
}

TEST(BatchLimits, AFolderThatCannotBeWrittenStopsTheBatchWithItsReason) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("locked");
  ASSERT_TRUE(QDir().mkdir(folder));
  ASSERT_EQ(chmod(dir.path().toLocal8Bit().constData(), 0755), 0);
  ASSERT_EQ(chmod(folder.toLocal8Bit().constData(), 0555), 0);
  test::CliSetup setup;
  for (int i = 0; i < 500; ++i) setup.input += "A" + QByteArray::number(i) + "\n";
  setup.inChild = [] {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(99);  // root writes everywhere: run as nobody
  };
  const test::CliRun run =
      test::RunCli({"--batch", "-", "--type", "code39", "-o", folder + "/{n}.png"}, setup);
  EXPECT_EQ(run.status, 4) << run.err.constData();
  EXPECT_TRUE(run.err.contains("line 1: cannot write") && run.err.contains("Permission denied")) << run.err.constData();
  // The batch stops: only the lines already drawn ahead of the failure are tried.
  EXPECT_TRUE(run.err.contains("stopped after line ")) << run.err.constData();
  EXPECT_LT(run.err.count("cannot write"), 100) << run.err.constData();
  EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}  // namespace
}  // namespace plomix
