// plomix-cli --from-address: addresses drawn as their customer barcode, alone and in a
// batch, with and without the postal-code file; the pictures read back bar by bar.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/cli/CliRun.h"

namespace plomix {
namespace {

QString Data(const char *name) { return QStringLiteral(PLOMIX_TEST_DATA "/") + QLatin1String(name); }

QByteArray ReadAll(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// No postal-code file from the per-user data folder unless a test puts one there.
test::CliSetup EmptyDataHome(const QTemporaryDir &dir) {
  test::CliSetup setup;
  setup.env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
  return setup;
}

TEST(FromAddress, DrawsTheSamePictureAsItsData) {
  QTemporaryDir dir;
  const auto setup = EmptyDataHome(dir);
  const QString fromAddress = dir.filePath(QStringLiteral("a.png")), fromData = dir.filePath(QStringLiteral("d.png"));
  const test::CliRun run = test::RunCli({"--type", "customer", "--from-address",
                                         "〒100-0013 東京都千代田区霞が関1丁目3番2号 郵便プラザ503室", "--info",
                                         "--verify", "-o", fromAddress},
                                        setup);
  ASSERT_EQ(run.status, 0) << run.err.constData();
  EXPECT_TRUE(run.out.contains("\"code\":\"10000131-3-2-503\"")) << run.out.constData();
  EXPECT_TRUE(run.out.contains("\"address_number\":\"1-3-2-503\"")) << run.out.constData();
  EXPECT_TRUE(run.out.contains("\"verified\":\"elements\"")) << run.out.constData();  // the bar-by-bar check
  ASSERT_EQ(test::RunCli({"--type", "customer", "-o", fromData, "--", "10000131-3-2-503"}, setup).status, 0);
  EXPECT_EQ(ReadAll(fromAddress), ReadAll(fromData));
}

TEST(FromAddress, BatchLinesFailAloneAndTheFileDecidesTheSplit) {
  QTemporaryDir dir;
  const auto setup = EmptyDataHome(dir);
  QFile list(dir.filePath(QStringLiteral("list.csv")));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  // Names as lower comments: an upper comment at the default margins overlaps the bars.
  list.write("\"〒104-0032 東京都中央区八丁堀三丁目2番1号\",,山田様\n"
             "\"東京都千代田区霞が関1-3-2\",,番号なし\n"
             "\"〒100-0000 東京都千代田区1-1\",,代表番号\n"
             "\"〒910-0067 福井県福井市新田塚3丁目80-25 J1ビル2-B\",\n");
  list.close();
  struct Case {
    const char *dictionary;  // nullptr: none
    const char *line1Code;
  };
  for (const Case c : {Case{nullptr, "10400328-3-2-1"}, Case{"ken_all_excerpt_sjis.csv", "10400323-2-1"},
                       Case{"ken_all_excerpt_utf8.csv", "10400323-2-1"}}) {
    QStringList args = {"--type", "customer", "--from-address", "--batch", list.fileName(), "--csv",
                        "--info", "--verify", "-o", dir.filePath(QStringLiteral("{n}.png"))};
    if (c.dictionary) args << "--postal-dictionary" << Data(c.dictionary);
    const test::CliRun run = test::RunCli(args, setup);
    EXPECT_EQ(run.status, 1) << "two lines cannot be converted";
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4) << run.out.constData();
    auto object = [&](int i) { return QJsonDocument::fromJson(lines[i]).object(); };
    EXPECT_EQ(object(0).value("code").toString(), QLatin1String(c.line1Code));
    EXPECT_EQ(object(0).value("verified").toString(), QLatin1String("elements"));
    EXPECT_FALSE(object(1).value("displayed").toBool());
    EXPECT_FALSE(object(2).value("displayed").toBool());
    EXPECT_EQ(object(3).value("code").toString(), QLatin1String("91000673-80-25J1-2B"));
    EXPECT_TRUE(run.err.contains("line 2: the address cannot be converted: no seven-digit postal code"))
        << run.err.constData();
    EXPECT_TRUE(run.err.contains("line 3: the address cannot be converted: a representative postal code"))
        << run.err.constData();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("1.png"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("2.png"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("4.png"))));
  }
}

TEST(FromAddress, FileInTheDataFolderAndItsWarnings) {
  QTemporaryDir dir;
  auto setup = EmptyDataHome(dir);
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Plomix")));
  ASSERT_TRUE(QFile::copy(Data("ken_all_excerpt_sjis.csv"), dir.filePath(QStringLiteral("Plomix/KEN_ALL.CSV"))));
  const test::CliRun run =
      test::RunCli({"--type", "customer", "--from-address", "--info", "〒100-0013 東京都中央区八丁堀3-2-1"}, setup);
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.err.contains("warning:")) << "code and town disagree: " << run.err.constData();
  EXPECT_TRUE(run.err.contains("霞が関")) << run.err.constData();
}

TEST(FromAddress, UsageErrors) {
  QTemporaryDir dir;
  const auto setup = EmptyDataHome(dir);
  struct Case {
    QStringList args;
    int status;
    const char *message;
  };
  for (const Case &c : {Case{{"--from-address", "〒100-0013 霞が関1"}, 2, "add --type customer"},
                        Case{{"--type", "customer", "--postal-dictionary", Data("ken_all_excerpt_sjis.csv"), "1"}, 2,
                             "needs --from-address"},
                        Case{{"--type", "customer", "--from-address", "--postal-dictionary", "/nonexistent.csv",
                              "〒100-0013 霞が関1"},
                             1, "/nonexistent.csv"}}) {
    const test::CliRun run = test::RunCli(c.args, setup);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_TRUE(run.err.contains(c.message)) << run.err.constData();
  }
}

}  // namespace
}  // namespace plomix
