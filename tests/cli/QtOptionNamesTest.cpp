// Arguments that look like the toolkit's own options reach plomix-cli unchanged: as the
// code, as a comment and as plomix-cli's own --reverse.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "tests/cli/CliRun.h"

namespace plomix {
namespace {

using test::CliRun;
using test::RunCli;

// Every option QCoreApplication, QGuiApplication, QApplication and the X11 platform take
// from the command line.
const QStringList kQtOptionNames = {
    "reverse", "style", "stylesheet", "platform", "platformpluginpath", "platformtheme",
    "plugin", "display", "geometry", "session", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "title", "name", "widgetcount", "qmljsdebugger", "nograb", "dograb",
    "sync", "visual", "ncols", "cmap", "im", "inputstyle", "fn", "font", "bg", "background",
    "fg", "foreground", "btn", "button", "testability"};

TEST(QtOptionNames, AreCodes) {
  for (const QString &name : kQtOptionNames) {
    for (const QString &code : {"-" + name, "--" + name}) {
      const CliRun run = RunCli({"--type", "code128", "--start", "B", "--info", "--", code});
      ASSERT_EQ(run.status, 0) << code.toStdString() << ": " << run.err.constData();
      EXPECT_TRUE(QJsonDocument::fromJson(run.out).object().value("symbol").toString().startsWith("B" + code))
          << code.toStdString() << ": " << run.out.constData();
    }
  }
}

TEST(QtOptionNames, AreCommentsAndValues) {
  QTemporaryDir dir;
  const QString plain = dir.filePath("plain.png");
  ASSERT_EQ(RunCli({"--type", "code39", "-o", plain, "A"}).status, 0);
  for (const QString &name : kQtOptionNames) {
    // Taken as the values of --up and --down, and the code after them is still the code.
    const QString file = dir.filePath(name + ".png");
    const CliRun run = RunCli({"--type", "code39", "--up", "-" + name, "--down", "--" + name, "-o", file, "A"});
    ASSERT_EQ(run.status, 0) << name.toStdString() << ": " << run.err.constData();
    EXPECT_NE(QImage(file), QImage(plain)) << name.toStdString() << ": the comments are drawn";
  }
}

TEST(QtOptionNames, ReverseMirrorsTheSymbol) {
  QTemporaryDir dir;
  const QString plain = dir.filePath("plain.png"), mirrored = dir.filePath("mirrored.png");
  ASSERT_EQ(RunCli({"--type", "code39", "-o", plain, "AB1"}).status, 0);
  const CliRun run = RunCli({"--reverse", "--type", "code39", "-o", mirrored, "AB1"});
  ASSERT_EQ(run.status, 0) << run.err.constData();
  const QImage image(plain);
  EXPECT_NE(image, image.mirrored(true, false)) << "the symbol is not its own mirror image";
  EXPECT_EQ(QImage(mirrored), image.mirrored(true, false));
  EXPECT_EQ(RunCli({"-reverse", "A"}).status, 2) << "one dash is no plomix-cli option";
}

}  // namespace
}  // namespace plomix
