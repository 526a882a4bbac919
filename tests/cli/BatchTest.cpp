// plomix-cli --batch as a script uses it: many lines in one run, CSV, both encodings,
// file-name templates, JSON Lines, SVG files, --verify.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <sys/mount.h>

#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"
#include "Common/ShiftJis.h"
#include "ReadBack/ReadBack.h"
#include "tests/cli/CliRun.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

using test::CliRun;
using test::CliSetup;
using test::RunCli;

QString Write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
  QFile file(dir.filePath(name));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  return file.fileName();
}

QStringList Files(const QTemporaryDir &dir, const QString &filter) {
  return QDir(dir.path()).entryList({filter}, QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(Batch, ManyLinesEveryFileReadsBackAndBadLinesAreNamed) {
  QTemporaryDir dir;
  QByteArray input;
  QMap<QString, std::string> expected;  // file name -> what a reader reads
  QList<int> badLines;
  for (int line = 1; line <= 300; ++line) {
    if (line % 37 == 0) {
      input += "bad" + QByteArray::number(line) + "\r\n";  // lower case: not Code 39
      badLines << line;
    } else {
      const QString code = QStringLiteral("P%1-X").arg(line);
      input += code.toLatin1() + "\r\n";
      expected.insert(QStringLiteral("%1.png").arg(line, 3, 10, QLatin1Char('0')), code.toStdString());
    }
  }
  const QString in = Write(dir, "codes.txt", input);
  const CliRun run = RunCli({"--batch", in, "--type", "code39", "--no-cd", "--scale", "2", "-o", dir.filePath("{n}.png")});
  EXPECT_EQ(run.status, 1) << "some lines failed";
  for (int line : badLines)
    EXPECT_TRUE(run.err.contains(QStringLiteral("line %1: the code \"bad%1\"").arg(line).toUtf8())) << line;
  EXPECT_EQ(run.err.count('\n'), badLines.size()) << run.err.constData();
  ASSERT_EQ(Files(dir, "*.png"), QStringList(expected.keys()));
  for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
    const QImage image(dir.filePath(it.key()));
    EXPECT_EQ(test::ReadWithZXing(image, test::Format::Code39), it.value()) << it.key().toStdString();
    EXPECT_EQ(test::ReadWithZbar(image, test::Format::Code39), it.value()) << it.key().toStdString();
  }
}

TEST(Batch, CsvInShiftJisAndUtf8GivesTheSameFiles) {
  // Quotes, commas and a CR LF inside quotes; Japanese comments; the record list's own
  // CR LF line ends.
  const QString csv = QStringLiteral(
      "\"A,B\",上のコメント,下\r\n"
      "\"say \"\"hi\"\"\",\"two\r\nlines\",\r\n"
      "plain\r\n");
  QTemporaryDir dir;
  const QByteArray utf8 = csv.toUtf8();
  const std::string sjis = UnicodeToSjis(csv);
  for (const auto &[name, bytes] : {std::pair{QStringLiteral("u"), utf8},
                                    std::pair{QStringLiteral("s"), QByteArray::fromStdString(sjis)}}) {
    const QString in = Write(dir, name + ".csv", bytes);
    const CliRun run = RunCli({"--batch", in, "--csv", "--type", "code128", "--start", "B", "--verify", "--info",
                               "-o", dir.filePath(name + "-{n}-{code}.png")});
    ASSERT_EQ(run.status, 0) << name.toStdString() << ": " << run.err.constData();
    // JSON Lines: one object per line, each read back by zxing-cpp.
    const QList<QByteArray> objects = run.out.trimmed().split('\n');
    ASSERT_EQ(objects.size(), 3);
    QList<int> lines;
    for (const QByteArray &object : objects) {
      const QJsonObject info = QJsonDocument::fromJson(object).object();
      lines << info.value("line").toInt();
      EXPECT_EQ(info.value("verified").toString(), "zxing") << object.constData();
    }
    EXPECT_EQ(lines, (QList<int>{1, 2, 4})) << "the second record spans lines 2 and 3";
  }
  const QStringList u = Files(dir, "u-*.png"), s = Files(dir, "s-*.png");
  ASSERT_EQ(u, (QStringList{"u-1-A,B.png", "u-2-say _hi_.png", "u-4-plain.png"}));
  for (int i = 0; i < u.size(); ++i) {
    QFile a(dir.filePath(u[i])), b(dir.filePath(s[i]));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll()) << u[i].toStdString();
  }
  EXPECT_EQ(test::ReadWithZXing(QImage(dir.filePath(u[1])), test::Format::Code128), "say \"hi\"");
  EXPECT_NE(QImage(dir.filePath(u[0])), QImage(dir.filePath("u-4-plain.png")));
}

struct BadInputCase {
  const char *note;
  QByteArray input;
  QStringList args;
  int status;
  const char *message;
  int files;  // files written
};

TEST(Batch, BadInputIsReportedAndNothingIsHalfWritten) {
  const BadInputCase cases[] = {
      {"unterminated quote", "A\n\"B,\nC\n", {"--csv"}, 1, "line 2: a quoted field is not closed", 1},
      {"invalid UTF-8 named", "A\nB\xff\n", {"--input-encoding", "utf8"}, 1, "line 2: the code cannot be used: byte 2 is not valid UTF-8", 1},
      {"invalid Shift-JIS named", "A\nB\x81\n", {}, 1, "line 2: the code cannot be used: byte 2 is not valid Shift-JIS", 1},
      {"invalid in both encodings", "A\nB\xff\xfe\nC\n", {}, 1, "line 2: the code cannot be used: byte 2 is not valid Shift-JIS", 2},
      {"a line of a megabyte", "A\n" + QByteArray(1 << 20, 'B') + "\nC\n", {}, 1,
       "line 2: 1048576 bytes in one field; a code or comment holds at most 131072 bytes", 2},
      {"a comment of a megabyte", "A,\"" + QByteArray(1 << 20, 'x') + "\"\r\nC\r\n", {"--csv"}, 1,
       "line 1: 1048576 bytes in one field", 1},
      {"empty file", "", {}, 1, "holds no codes", 0},
      {"two lines one file", "A\nB\nA\n", {"-o", "{code}.png"}, 2, "lines 1 and 3 would both write", 0},
      {"stop on error", "A\nb\nC\n", {"--stop-on-error"}, 1, "stopped after line 2; 1 lines were not drawn", 1},
      {"a file for a folder", "A\nB\n", {"-o", "in.txt/{n}.png"}, 4, "Not a directory", 0},
      {"a folder that cannot be made", "A\nB\n", {"-o", "in.txt/sub/{n}.png"}, 4,
       "in.txt/sub\" cannot be made: Not a directory", 0},
      {"a code with --batch", "A\n", {"X"}, 2, "cannot go with --batch", 0},
  };
  for (const BadInputCase &c : cases) {
    QTemporaryDir dir;
    const QString in = Write(dir, "in.txt", c.input);
    QStringList args = {"--batch", in, "--type", "code39", "-o", dir.filePath("{n}.png")};
    for (int i = 0; i < c.args.size(); ++i)
      args << (c.args[i].contains('{') ? dir.filePath(c.args[i]) : c.args[i]);
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, c.status) << c.note << ": " << run.err.constData();
    EXPECT_TRUE(run.err.contains(c.message)) << c.note << ": " << run.err.constData();
    EXPECT_EQ(Files(dir, "*.png").size(), c.files) << c.note;
  }
  EXPECT_EQ(RunCli({"--batch", "/nonexistent/in.txt", "A"}).status, 2);
  for (const char *unreadable : {"/nonexistent/in.txt", "/"}) {
    const CliRun run = RunCli({"--batch", unreadable});
    EXPECT_EQ(run.status, 1) << unreadable;
    EXPECT_TRUE(run.err.contains("cannot read")) << run.err.constData();
  }
}

TEST(Batch, StandardInputAndAFullDiskMidway) {
  QTemporaryDir dir;
  if (mount("tmpfs", dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "cannot mount a small file system here";
  CliSetup setup;
  for (int i = 0; i < 100; ++i) setup.input += "ABCDEFGH" + QByteArray::number(i) + "\n";
  const CliRun run = RunCli({"--batch", "-", "--type", "code39", "--height", "50", "-o", dir.filePath("{n}.bmp")}, setup);
  QList<QImage> written;
  for (const QString &name : Files(dir, "*")) written << QImage(dir.filePath(name));
  umount(dir.path().toLocal8Bit().constData());
  EXPECT_EQ(run.status, 4);
  EXPECT_TRUE(run.err.contains("No space left on device")) << run.err.constData();
  ASSERT_FALSE(written.isEmpty());
  EXPECT_LT(written.size(), 100);
  for (const QImage &image : written) EXPECT_FALSE(image.isNull()) << "every file left is whole";
}

// Lines are drawn side by side on several threads: the answers still come in line order,
// and no line takes anything from the line a thread drew before it.
TEST(Batch, AnswersComeInLineOrderAndNoLineInheritsFromAnother) {
  QTemporaryDir dir;
  QByteArray input;
  for (int line = 1; line <= 400; ++line) {
    if (line % 7 == 0) input += "bad" + QByteArray::number(line) + ",,\n";
    else if (line % 3 == 0) input += "L" + QByteArray::number(line) + ",\"a longer upper comment, line " + QByteArray::number(line) + "\",\n";
    else input += "L" + QByteArray::number(line) + ",,down\n";
  }
  const QString in = Write(dir, "lines.csv", input);
  const QStringList look{"--type", "code39", "--no-cd", "--csv"};
  const CliRun run = RunCli(QStringList{"--batch", in, "--info", "-o", dir.filePath("{n}.bmp")} + look);
  EXPECT_EQ(run.status, 1);

  const QList<QByteArray> infos = run.out.trimmed().split('\n');
  ASSERT_EQ(infos.size(), 400);
  for (int i = 0; i < infos.size(); ++i) {
    const QJsonObject info = QJsonDocument::fromJson(infos[i]).object();
    const int line = i + 1;
    EXPECT_EQ(info["line"].toInt(), line);
    EXPECT_EQ(info["displayed"].toBool(), line % 7 != 0) << line;
    if (line % 7 == 0) {
      EXPECT_EQ(info["width"].toInt(), 0) << "a line not drawn has no picture: " << line;
    }
  }
  QList<int> named;
  for (const QByteArray &message : run.err.trimmed().split('\n')) named << message.split(' ').value(2).chopped(1).toInt();
  EXPECT_TRUE(std::is_sorted(named.begin(), named.end())) << run.err.constData();
  EXPECT_EQ(named.size(), 400 / 7);

  // A few lines alone, each in a run of its own, give the same files as in the batch.
  for (int line : {1, 3, 4, 6, 8, 397, 398}) {
    QTemporaryDir alone;
    const QString one = Write(alone, "one.csv", input.split('\n').value(line - 1) + "\n");
    const CliRun single = RunCli(QStringList{"--batch", one, "-o", alone.filePath("x.bmp")} + look);
    ASSERT_EQ(single.status, 0) << single.err.constData();
    QFile batchFile(dir.filePath(QStringLiteral("%1.bmp").arg(line, 3, 10, QLatin1Char('0'))));
    QFile aloneFile(alone.filePath("x.bmp"));
    ASSERT_TRUE(batchFile.open(QIODevice::ReadOnly) && aloneFile.open(QIODevice::ReadOnly)) << line;
    EXPECT_EQ(batchFile.readAll(), aloneFile.readAll()) << line;
  }
}

TEST(Svg, WellFormedAndEqualToTheBitmap) {
  QTemporaryDir dir;
  for (const QStringList &symbol : {QStringList{"--type", "code39", "A-1"}, QStringList{"--type", "jan", "490123456789"},
                                    QStringList{"--type", "matrix", "1234"}}) {
    const QString svg = dir.filePath("s.svg"), png = dir.filePath("s.png"), rendered = dir.filePath("r.png");
    ASSERT_EQ(RunCli(QStringList{"--no-text", "--scale", "2", "-o", svg} + symbol).status, 0);
    ASSERT_EQ(RunCli(QStringList{"--no-text", "--scale", "2", "-o", png} + symbol).status, 0);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    const QImage bitmap = QImage(png).convertToFormat(QImage::Format_RGB32);
    QProcess rsvg;
    rsvg.start("rsvg-convert", {svg, "-o", rendered});
    ASSERT_TRUE(rsvg.waitForFinished(30000));
    EXPECT_EQ(QImage(rendered).convertToFormat(QImage::Format_RGB32), bitmap) << symbol.join(' ').toStdString();
    QSvgRenderer renderer(svg);
    QImage qt(renderer.defaultSize(), QImage::Format_RGB32);
    qt.fill(Qt::white);
    QPainter painter(&qt);
    renderer.render(&painter);
    painter.end();
    EXPECT_EQ(qt, bitmap) << symbol.join(' ').toStdString();
  }
  const QString text = dir.filePath("t.svg");
  ASSERT_EQ(RunCli({"--type", "code39", "--up", "上<&>", "-o", text, "AB"}).status, 0);
  QSvgRenderer renderer(text);
  QImage image(renderer.defaultSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  EXPECT_EQ(test::ReadWithZXing(image, test::Format::Code39), "ABL");

  // The text names a face installed here, not only the Windows one, so that other
  // programs draw it with the face it was measured in.
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QStringList families;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
      families << xml.attributes().value("font-family").toString();
  ASSERT_EQ(families.size(), 2);
  const QStringList installed = QFontDatabase::families();
  for (const QString &list : families) {
    bool found = false;
    for (const QString &name : list.split(',')) found |= installed.contains(name.trimmed().remove('\''), Qt::CaseInsensitive);
    EXPECT_TRUE(found) << list.toStdString();
  }
}

// A drawn symbol with one bar painted over in the background colour.
struct Damaged {
  TBarImage bar;
  QImage picture;
};

void Draw(TBarImage &bar, TBarTypes type, const std::string &code) {
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(type);
  bar.SetCode(code);
  bar.SetBarEnabled(true);
}

TEST(Verify, CatchesAMissingBar) {
  for (const auto &[type, code, method] : {std::tuple{cbarCODE39, std::string("AB12"), readback::ReadBackMethod::Zxing},
                                           std::tuple{cbarMATRIX, std::string("1234"), readback::ReadBackMethod::Elements},
                                           std::tuple{cbarNEC, std::string("1234"), readback::ReadBackMethod::Elements}}) {
    TBarImage bar;
    Draw(bar, type, code);
    ASSERT_TRUE(bar.BarDisped());
    QImage picture = bar.Picture().Bitmap();
    const readback::ReadBackResult whole = readback::ReadBackSymbol(picture, true, bar);
    EXPECT_TRUE(whole.ok) << code << ": " << whole.problem.toStdString();
    EXPECT_EQ(whole.method, method) << code;
    // Paint over the bar in the middle of the symbol: a column that is dark in the bars' row.
    const int row = picture.height() / 2;
    int x = picture.width() / 2;
    while (x < picture.width() && qGray(picture.pixel(x, row)) > 128) ++x;
    ASSERT_LT(x, picture.width());
    while (x < picture.width() && qGray(picture.pixel(x, row)) < 128) {
      for (int y = 0; y < picture.height(); ++y) picture.setPixel(x, y, qRgb(255, 255, 255));
      ++x;
    }
    const readback::ReadBackResult damaged = readback::ReadBackSymbol(picture, true, bar);
    EXPECT_FALSE(damaged.ok) << code;
    EXPECT_FALSE(damaged.problem.isEmpty());
  }
}

}  // namespace
}  // namespace plomix
