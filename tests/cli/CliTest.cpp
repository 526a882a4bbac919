// plomix-cli as a script would use it: exit statuses, messages, --info, output files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/cli/CliRun.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

using test::CliRun;
using test::RunCli;

TEST(Cli, InfoDescribesTheSymbol) {
  const CliRun run = RunCli({"--type", "code39", "--info", "ABC"});
  ASSERT_EQ(run.status, 0) << run.err.constData();
  EXPECT_TRUE(run.err.isEmpty()) << run.err.constData();
  ASSERT_TRUE(run.out.endsWith('\n'));
  EXPECT_EQ(run.out.count('\n'), 1) << "one JSON object on one line";
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.constData();
  const QJsonObject expected{
      {"displayed", true}, {"symbol", "*ABCX*"}, {"cdn", 33}, {"cdc", "X"},
      {"pattern", "1210303010" "3010121030" "1030121030" "3030121010" "1210301030" "1210303010"},
      {"bar_width", 78}, {"bar_height", 100}, {"width", 98}, {"height", 120}};
  EXPECT_EQ(doc.object(), expected) << run.out.constData();
}

struct StatusCase {
  const char *note;
  QStringList args;
  int status;
  const char *message;  // part of the one line on stderr; empty: stderr stays empty
};

class ExitStatus : public ::testing::TestWithParam<StatusCase> {};

TEST_P(ExitStatus, SaysWhatWentWrong) {
  const StatusCase &c = GetParam();
  const CliRun run = RunCli(c.args);
  EXPECT_EQ(run.status, c.status) << c.note;
  if (*c.message)
    EXPECT_TRUE(run.err.contains(c.message)) << c.note << ": " << run.err.constData();
  else
    EXPECT_TRUE(run.err.isEmpty()) << c.note << ": " << run.err.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExitStatus,
    ::testing::Values(
        StatusCase{"drawn", {"--type", "nw7", "123"}, 0, ""},
        StatusCase{"type by ordinal", {"--type", "2", "ABC"}, 0, ""},
        StatusCase{"code after --", {"--type", "code39", "--", "-1-"}, 0, ""},
        StatusCase{"value after =", {"--type=code39", "-o", "/dev/null/x.gif", "--", "A"}, 2, "cannot write"},
        StatusCase{"unknown single-dash word", {"-colour", "A"}, 2, "unknown option -colour"},
        StatusCase{"later option wins", {"--scale", "11", "--scale", "2", "A"}, 2, "not \"11\""},
        StatusCase{"lower case for Code 39", {"--type", "code39", "abc"}, 1,
                   "cannot be encoded as this symbology: a character is not allowed"},
        StatusCase{"empty code", {"--type", "code39", ""}, 1, "cannot be encoded as this symbology: the code is empty"},
        StatusCase{"JAN of 11 digits", {"--type", "jan", "12345678901"}, 1, ": the length is wrong"},
        StatusCase{"letter in JAN", {"--type", "jan", "12345678901A"}, 1, ": a character is not allowed"},
        StatusCase{"UPC-E outside number system 0", {"--type", "upc", "1234567"}, 1, ": the notation is wrong"},
        StatusCase{"JAN printed with its check digit", {"--type", "jan", "4901234567894"}, 0, ""},
        StatusCase{"JAN with a wrong check digit", {"--type", "jan", "4901234567890"}, 1,
                   ": the check digit is wrong, it should be 4"},
        StatusCase{"UPC-E with a wrong check digit", {"--type", "upc", "04252610"}, 1,
                   ": the check digit is wrong, it should be 4"},
        StatusCase{"Code 93 shift not closed", {"--type", "code93", "A<$"}, 1, ": the notation is wrong"},
        StatusCase{"Code 128 unknown name", {"--type", "code128", "<NOPE>"}, 1, ": the notation is wrong"},
        StatusCase{"digits only for ITF", {"--type", "itf", "12A4"}, 1, ": a character is not allowed"},
        StatusCase{"unknown option", {"--colour", "red", "A"}, 2, "unknown option --colour"},
        StatusCase{"scale out of range", {"--scale", "11", "A"}, 2, "--scale takes a whole number from 1 to 10"},
        StatusCase{"ratio out of range", {"--ratio", "19", "A"}, 2, "from 20 to 30"},
        StatusCase{"angle 45", {"--angle", "45", "A"}, 2, "0, 90, 180 or 270"},
        StatusCase{"bad start", {"--start", "E", "A"}, 2, "one of A, B, C, D"},
        StatusCase{"bad colour", {"--bar-color", "red", "A"}, 2, "#RRGGBB"},
        StatusCase{"unknown type", {"--type", "qr", "A"}, 2, "unknown symbology"},
        StatusCase{"type 12", {"--type", "12", "A"}, 2, "unknown symbology"},
        StatusCase{"missing value", {"A", "--height"}, 2, "needs a value"},
        StatusCase{"no code", {"--type", "code39"}, 2, "no code given"},
        StatusCase{"two codes", {"A", "B"}, 2, "only one code"},
        StatusCase{"unknown extension", {"-o", "x.gif", "A"}, 2, "cannot write"}));

TEST(Cli, WritesAReadableFileAndNothingOnFailure) {
  QTemporaryDir dir;
  const QString png = dir.filePath(QStringLiteral("symbol.png"));
  const CliRun ok = RunCli({"--type", "code39", "--scale", "2", "-o", png, "PLOMIX-1"});
  ASSERT_EQ(ok.status, 0) << ok.err.constData();
  EXPECT_EQ(test::ReadWithZXing(QImage(png), test::Format::Code39), "PLOMIX-18") << "check value 180 mod 43 = 8";

  const QString bad = dir.filePath(QStringLiteral("bad.png"));
  EXPECT_EQ(RunCli({"--type", "code39", "-o", bad, "lower"}).status, 1);
  EXPECT_FALSE(QFile::exists(bad)) << "no file for a code that cannot be encoded";

  // A folder cannot be made below a file (missing folders are made otherwise).
  const QString unwritable = dir.filePath(QStringLiteral("symbol.png/dir/x.png"));
  const CliRun denied = RunCli({"--type", "code39", "-o", unwritable, "A"});
  EXPECT_EQ(denied.status, 4) << "a file that cannot be written is not a usage error";
  EXPECT_TRUE(denied.err.contains("cannot write")) << denied.err.constData();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("symbol.png")})
      << "no partial or temporary file is left behind";
}

TEST(Cli, CommentsAndJsonAreUtf8) {
  const CliRun run = RunCli({"--type", "nw7", "--up", "上のコメント", "--down", "下", "--info", "A1"});
  ASSERT_EQ(run.status, 0) << run.err.constData();
  const QJsonObject info = QJsonDocument::fromJson(run.out).object();
  EXPECT_EQ(info.value("symbol").toString(), QStringLiteral("AA1+A"));
  EXPECT_TRUE(info.value("displayed").toBool());
  EXPECT_EQ(info.value("height").toInt(), 120) << "the comments use the margins; nothing grows";
}

TEST(Cli, TheLastOfTwoContraryOptionsWins) {
  for (const auto &[args, cdn] : {std::pair{QStringList{"--cd", "--no-cd"}, -1}, std::pair{QStringList{"--no-cd", "--cd"}, 10}}) {
    const CliRun run = RunCli(args + QStringList{"--type", "code39", "--info", "A"});
    EXPECT_EQ(QJsonDocument::fromJson(run.out).object().value("cdn").toInt(), cdn) << args.join(' ').toStdString();
  }
}

TEST(Cli, OptionsReachTheSymbol) {
  const CliRun run = RunCli({"--type", "code39", "--no-cd", "--no-text", "--height", "50",
                             "--space-left", "0", "--space-right", "0", "--space-up", "0",
                             "--space-down", "0", "--angle", "90", "--info", "A"});
  ASSERT_EQ(run.status, 0) << run.err.constData();
  const QJsonObject info = QJsonDocument::fromJson(run.out).object();
  EXPECT_EQ(info.value("symbol").toString(), QStringLiteral("*A*"));
  EXPECT_EQ(info.value("cdn").toInt(), -1);
  EXPECT_EQ(info.value("bar_width").toInt(), 39);
  EXPECT_EQ(info.value("bar_height").toInt(), 50);
  EXPECT_EQ(info.value("width").toInt(), 50) << "turned a quarter: width and height swap";
  EXPECT_EQ(info.value("height").toInt(), 39);
}

}  // namespace
}  // namespace plomix
