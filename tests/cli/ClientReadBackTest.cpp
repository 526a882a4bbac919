// Every file format a batch writes, opened by the programs that open it for real
// (rsvg-convert and Inkscape for SVG, libemf2svg and libwmf for the metafiles) and read
// back by both zxing-cpp and zbar.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>

#include "tests/cli/CliRun.h"
#include "tests/support/MetafileReaders.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

const QStringList kCodes = {"PLX-0001", "Zz 42", "A"};

std::string FileBytes(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// The picture a program writes as PNG from `svg`, flattened onto white.
QImage Converted(const QString &program, const QStringList &args, const QString &png) {
  QProcess process;
  process.start(program, args);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return {};
  QImage image(png);
  if (image.isNull()) return {};
  QImage flat(image.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter(&flat).drawImage(0, 0, image);
  return flat;
}

QImage ByRsvg(const QString &svg) {
  const QString png = svg + ".rsvg.png";
  return Converted("rsvg-convert", {svg, "-o", png}, png);
}

QImage ByInkscape(const QString &svg) {
  const QString png = svg + ".inkscape.png";
  return Converted("inkscape", {"--export-type=png", "--export-filename=" + png, svg}, png);
}

struct Client {
  const char *file;  // the -o template
  QStringList args;
  std::function<QImage(const QString &)> open;
};

TEST(ClientReadBack, EveryFormatReadsBackInZxingAndZbar) {
  const auto image = [](const QString &path) { return QImage(path); };
  const Client clients[] = {
      {"{n}.png", {}, image},
      {"{n}.jpg", {}, image},
      {"{n}.bmp", {}, image},
      {"{n}.svg", {}, ByRsvg},
      // The metafile converters' pictures smooth every bar edge into a grey pixel each
      // side, which closes narrow spaces for zxing-cpp: four pixels a module.
      {"{n}.emf", {"--picture", "emf", "--scale", "4"}, [](const QString &p) { return test::RenderSvg(test::EmfToSvg(FileBytes(p))); }},
      {"{n}.wmf", {"--picture", "wmf", "--scale", "4"}, [](const QString &p) { return test::RenderSvg(test::WmfToSvg(FileBytes(p))); }},
  };
  test::CliSetup setup;
  setup.input = kCodes.join('\n').toUtf8() + "\n";
  for (const Client &c : clients) {
    QTemporaryDir dir;
    const test::CliRun run = test::RunCli(QStringList{"--batch", "-", "--type", "code128", "--start", "B", "--scale",
                                                      "2", "--up", "上", "-o", dir.filePath(c.file)} + c.args,
                                          setup);
    ASSERT_EQ(run.status, 0) << c.file << ": " << run.err.constData();
    for (int line = 1; line <= kCodes.size(); ++line) {
      const QString path = dir.filePath(QString(c.file).replace("{n}", QString::number(line)));
      const QImage picture = c.open(path);
      ASSERT_FALSE(picture.isNull()) << path.toStdString();
      const std::string expected = kCodes[line - 1].toStdString();
      EXPECT_EQ(test::ReadWithZXing(picture, test::Format::Code128), expected) << path.toStdString();
      EXPECT_EQ(test::ReadWithZbar(picture, test::Format::Code128), expected) << path.toStdString();
    }
  }
}

TEST(ClientReadBack, InkscapeOpensTheSvgAsTheBitmapShowsIt) {
  if (QStandardPaths::findExecutable("inkscape").isEmpty()) GTEST_SKIP() << "inkscape is not installed";
  QTemporaryDir dir;
  const QString svg = dir.filePath("s.svg"), png = dir.filePath("s.png");
  for (const QStringList &symbol : {QStringList{"--type", "code39", "A-1"}, QStringList{"--type", "nw7", "123"},
                                    QStringList{"--type", "customer", "1A"}, QStringList{"--type", "itf", "--frame", "4", "1234"}}) {
    ASSERT_EQ(test::RunCli(QStringList{"--no-text", "--scale", "2", "-o", svg} + symbol).status, 0);
    ASSERT_EQ(test::RunCli(QStringList{"--no-text", "--scale", "2", "-o", png} + symbol).status, 0);
    EXPECT_EQ(ByInkscape(svg), QImage(png).convertToFormat(QImage::Format_RGB32)) << symbol.join(' ').toStdString();
  }
  ASSERT_EQ(test::RunCli({"--type", "code39", "--up", "上<&>", "--down", "下", "-o", svg, "AB-12"}).status, 0);
  const QImage withText = ByInkscape(svg);
  EXPECT_EQ(test::ReadWithZXing(withText, test::Format::Code39), "AB-12H");
  EXPECT_EQ(test::ReadWithZbar(withText, test::Format::Code39), "AB-12H");
}

}  // namespace
}  // namespace plomix
