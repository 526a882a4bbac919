// plomix-cli's two ways of drawing: the front without Qt serves bars-only bitmaps, the
// full program everything else. Both must give the same file for every symbology, turn,
// mirror and setting, and the same answer to a bad call.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/cli/CliRun.h"
#include "tests/cli/FrontAlone.h"

namespace plomix {
namespace {

using test::CliRun;
using test::CliSetup;
using test::RunCli;

CliSetup FullProgramForced() {
  CliSetup setup;
  setup.env.insert(QStringLiteral("PLOMIX_CLI_FULL"), QStringLiteral("1"));
  return setup;
}

CliSetup FrontAloneSetup() {
  CliSetup setup;
  setup.program = test::FrontAlone();
  return setup;
}

QByteArray Contents(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One code per symbology (Code 128 in its start set A: capitals), and Code 128 also
// with a space.
struct SymbolCase {
  const char *type, *code;
};
constexpr SymbolCase kSymbols[] = {
    {"jan", "490123456789"}, {"upc", "01234567890"}, {"code39", "ABC-14"}, {"nw7", "1234"},
    {"itf", "1234567"},      {"ctf", "12345"},       {"iata", "12345"},   {"matrix", "12345"},
    {"nec", "12345"},        {"customer", "10000131-3-2-503"},           {"code128", "PLOMIX-128"},
    {"code128", "PLX 0001"},   {"code93", "CODE93"},
};

// Settings that move every part of the layout: scale, colours, each margin, the frame
// (narrowed to fit when too wide), the element ratio, the bar height, the check digit,
// the start and stop characters; the written forms --name=value and -o; BMP and PNG.
struct LookCase {
  QStringList args;
  const char *extension;
};
const LookCase kLooks[] = {
    {{}, "png"},
    {{"--scale", "3", "--bar-color", "#203040", "--back-color", "#F0e0d0", "--space-left", "0", "--space-up", "25"},
     "bmp"},
    {{"--frame", "4", "--ratio", "30", "--height", "40", "--space-right", "1", "--space-down", "0", "--no-cd"},
     "png"},
    {{"--scale=2", "--frame=100", "--picture", "bmp", "--start", "b", "--stop", "D"}, "BMP"},
};

TEST(CliFront, BarsOnlyPicturesAreTheFullProgramsByteForByte) {
  QTemporaryDir tmp;
  const QDir dir(tmp.path());
  int row = 0;
  for (const SymbolCase &symbol : kSymbols)
    for (const LookCase &look : kLooks)
      for (const int angle : {0, 90, 180, 270})
        for (const bool mirror : {false, true}) {
          ++row;
          QStringList args{"--no-text", "--type", symbol.type, "--angle", QString::number(angle)};
          args << look.args;
          if (mirror) args << "--reverse";
          const QString front = dir.filePath(QStringLiteral("front-%1.%2").arg(row).arg(look.extension));
          const QString full = dir.filePath(QStringLiteral("full-%1.%2").arg(row).arg(look.extension));
          const CliRun served = RunCli(args + QStringList{"-o", front, symbol.code}, FrontAloneSetup());
          const CliRun drawn = RunCli(args + QStringList{"-o", full, symbol.code}, FullProgramForced());
          const std::string note = QStringLiteral("row %1: %2").arg(row).arg(args.join(' ')).toStdString();
          ASSERT_EQ(served.status, 0) << note << ": " << served.err.constData();
          ASSERT_EQ(drawn.status, 0) << note << ": " << drawn.err.constData();
          const QByteArray a = Contents(front), b = Contents(full);
          ASSERT_FALSE(b.isEmpty()) << note;
          EXPECT_TRUE(a == b) << note << ": " << a.size() << " bytes against " << b.size();
        }
}

// A bad call gets the same message and exit status from plomix-cli as from the full
// program; the front answers the ones it serves itself (a file it cannot write) and hands
// the rest on. The codes are good ones (Code 39), so that only the fault named is wrong.
struct BadCase {
  const char *note;
  QStringList args;  // "%1" is a folder of the test's own
  int status;
  bool frontAnswers;
};

TEST(CliFront, BadCallsGetTheSameAnswerEitherWay) {
  const BadCase cases[] = {
      {"scale below its range", {"--type", "code39", "--no-text", "--scale", "0", "ABC"}, 2, false},
      {"scale above its range", {"--type", "code39", "--no-text", "--scale=11", "ABC"}, 2, false},
      {"ratio above its range", {"--type", "code39", "--no-text", "--ratio", "31", "ABC"}, 2, false},
      {"a negative margin", {"--type", "code39", "--no-text", "--space-left", "-1", "ABC"}, 2, false},
      {"an angle off the quarter turns", {"--type", "code39", "--no-text", "--angle", "45", "ABC"}, 2, false},
      {"a colour by name", {"--type", "code39", "--no-text", "--bar-color", "red", "ABC"}, 2, false},
      {"a colour of five digits", {"--type", "code39", "--no-text", "--back-color", "#12345", "ABC"}, 2, false},
      {"a start letter past D", {"--no-text", "--type", "nw7", "--start", "E", "123"}, 2, false},
      {"an unknown symbology", {"--no-text", "--type", "qr", "ABC"}, 2, false},
      {"a symbology number past the last", {"--no-text", "--type", "12", "ABC"}, 2, false},
      {"an unknown option", {"--type", "code39", "--no-text", "--colour", "ABC"}, 2, false},
      {"a value missing at the end", {"--type", "code39", "--no-text", "ABC", "--scale"}, 2, false},
      {"a flag given a value", {"--type", "code39", "--no-text=1", "ABC"}, 2, false},
      {"two codes", {"--type", "code39", "--no-text", "ABC", "DEF"}, 2, false},
      {"no code", {"--no-text"}, 2, false},
      {"a picture file kind that does not exist", {"--type", "code39", "--no-text", "-o", "%1/x.gif", "ABC"}, 2, false},
      {"an unknown --picture", {"--type", "code39", "--no-text", "--picture", "gif", "ABC"}, 2, false},
      {"letters in a JAN code", {"--no-text", "--type", "jan", "12A"}, 1, false},
      {"a character Code 128 does not take", {"--no-text", "--type", "code128", "a\\b"}, 1, false},
      {"a wrong JAN check digit", {"--no-text", "--type", "jan", "4901234567891"}, 1, false},
      {"a label number without a sheet", {"--type", "code39", "--no-text", "--start", "3", "ABC"}, 2, false},
      {"a file below a file", {"--no-text", "--type", "code39", "-o", "%1/in.txt/x.png", "ABC"}, 4, true},
      {"a Japanese file name below a file", {"--type", "code39", "--no-text", "-o", "%1/in.txt/記号.png", "ABC"}, 4, true},
      {"a file in a folder that cannot be made", {"--no-text", "--type", "code39", "-o", "%1/in.txt/a/x.bmp", "ABC"},
       4, true},
  };
  QTemporaryDir tmp;
  QFile in(QDir(tmp.path()).filePath("in.txt"));
  ASSERT_TRUE(in.open(QIODevice::WriteOnly));
  in.close();
  for (const BadCase &c : cases) {
    QStringList args;
    for (const QString &arg : c.args) args << QString(arg).replace("%1", tmp.path());
    const CliRun front = RunCli(args);
    const CliRun full = RunCli(args, FullProgramForced());
    const CliRun alone = RunCli(args, FrontAloneSetup());
    EXPECT_EQ(full.status, c.status) << c.note << ": " << full.err.constData();
    EXPECT_EQ(front.status, full.status) << c.note;
    EXPECT_EQ(front.err, full.err) << c.note;
    EXPECT_EQ(front.out, full.out) << c.note;
    if (c.frontAnswers) {
      EXPECT_EQ(alone.status, full.status) << c.note;
      EXPECT_EQ(alone.err, full.err) << c.note;
    } else {
      EXPECT_TRUE(alone.err.startsWith(test::kHandedOn)) << c.note << ": " << alone.err.constData();
    }
  }
}

// Good calls: the front draws a bitmap of bars alone and hands on whatever needs text,
// another file kind, another option or a form of argument it does not read exactly as the
// full program does.
struct WayCase {
  const char *note;
  QStringList args;  // before the code; "%1" is a folder of the test's own
  const char *code;
  bool served;
  int status = 0;  // the full program's answer to a call handed on
};

TEST(CliFront, ServesBarsOnlyBitmapsAndHandsOnTheRest) {
  const WayCase cases[] = {
      {"bars only into a PNG file", {"--no-text", "-o", "%1/a.png"}, "4901234567894", true},
      {"bars only, no file", {"--no-text"}, "4901234567894", true},
      {"an extension in capitals", {"--no-text", "--type=code39", "--output=%1/A.PNG"}, "A", true},
      {"the symbology by number, the picture named in capitals", {"--no-text", "--type", "2", "--picture", "BMP"}, "A",
       true},
      {"an option given twice", {"--no-text", "--scale", "2", "--scale", "1"}, "4901234567894", true},
      {"the symbol text", {"-o", "%1/b.png"}, "4901234567894", false},
      {"a comment", {"--no-text", "--up", "x"}, "4901234567894", false},
      {"a JPEG file", {"--no-text", "-o", "%1/c.jpg"}, "4901234567894", false},
      {"an SVG file", {"--no-text", "-o", "%1/c.svg"}, "4901234567894", false},
      {"a metafile", {"--no-text", "--picture", "emf", "-o", "%1/c.emf"}, "4901234567894", false},
      {"--info", {"--no-text", "--info"}, "4901234567894", false},
      {"--verify", {"--no-text", "--verify"}, "4901234567894", false},
      {"--transparent", {"--no-text", "--transparent"}, "4901234567894", false},
      {"a short option with its value glued on", {"--no-text", "-o%1/d.png"}, "4901234567894", false},
      {"a number with a sign", {"--no-text", "--scale", "+2"}, "4901234567894", false},
      {"a code after --", {"--no-text", "--type", "code39", "--"}, "-A", false},
      {"a code beyond ASCII (which Shift-JIS cannot hold)", {"--no-text", "--type", "code128"}, "é", false, 1},
      {"a file name in Japanese", {"--no-text", "-o", "%1/記号.png"}, "4901234567894", true},
      {"an extension in full-width letters", {"--no-text", "-o", "%1/記号.ＰＮＧ"}, "4901234567894", false, 2},
      {"an extension on the folder only", {"--no-text", "-o", "%1/x.png/y"}, "4901234567894", false, 2},
  };
  QTemporaryDir tmp;
  for (const WayCase &c : cases) {
    QStringList args;
    for (const QString &arg : c.args) args << QString(arg).replace("%1", tmp.path());
    args << QString::fromUtf8(c.code);
    const CliRun alone = RunCli(args, FrontAloneSetup());
    if (c.served) {
      EXPECT_EQ(alone.status, 0) << c.note << ": " << alone.err.constData();
    } else {
      EXPECT_TRUE(alone.err.startsWith(test::kHandedOn)) << c.note << ": " << alone.err.constData();
      // ... and the whole program draws it.
      const CliRun run = RunCli(args);
      EXPECT_EQ(run.status, c.status) << c.note << ": " << run.err.constData();
    }
  }
}

}  // namespace
}  // namespace plomix
