// What plomix-cli starts of the toolkit: a symbol of bars alone in a bitmap file needs no
// GUI layer, and is drawn the same as with it; text and metafiles still start it.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "cli/CliOptions.h"
#include "cli/Render.h"
#include "tests/cli/CliRun.h"

namespace plomix {
namespace {

using test::CliRun;
using test::CliSetup;
using test::RunCli;

// The plugin loader's debug output names the platform plugins' folder when (and only
// when) the GUI layer starts.
bool StartsGuiLayer(const QStringList &args) {
  CliSetup setup;
  setup.env.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
  const CliRun run = RunCli(args, setup);
  EXPECT_NE(run.status, -1) << args.join(' ').toStdString();
  return run.err.contains("plugins/platforms");
}

TEST(CliStartup, GuiLayerOnlyForTextAndMetafiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString png = dir.filePath(QStringLiteral("a.png"));
  struct Row { QStringList args; bool gui; const char *note; };
  const Row rows[] = {
      {{"--no-text", "-o", png, "490123456789"}, false, "bars only, PNG"},
      {{"--no-text", "-o", dir.filePath("a.bmp"), "490123456789"}, false, "bars only, BMP"},
      {{"--no-text", "--verify", "--info", "-o", dir.filePath("a.jpg"), "490123456789"}, false, "JPEG read back"},
      {{"--no-text", "--info", "490123456789"}, false, "no file"},
      {{"--help"}, false, "the usage text"},
      {{"-o", png, "490123456789"}, true, "the code's text below the bars"},
      {{"--no-text", "--up", "A", "-o", png, "490123456789"}, true, "an upper comment"},
      {{"--no-text", "--down", "A", "-o", png, "490123456789"}, true, "a lower comment"},
      {{"--no-text", "--picture", "emf", "-o", dir.filePath("a.emf"), "490123456789"}, true,
       "a metafile names the screen as its reference device"},
      {{"--no-text", "-o", dir.filePath("a.svg"), "490123456789"}, true, "SVG is drawn as a metafile"},
      {{"--no-text", "--batch", "-", "-o", dir.filePath("{n}.png")}, true, "a batch"},
      {{"--no-text", "--type", "customer", "--from-address", "-o", png, "1050011 東京都港区芝公園2-3"}, true,
       "a code made from an address"},
  };
  for (const Row &row : rows) EXPECT_EQ(StartsGuiLayer(row.args), row.gui) << row.note;
}

// The same symbol drawn here, where the test's application has started the GUI layer,
// and by plomix-cli without it: the files' bytes agree.
TEST(CliStartup, BarsWithoutGuiLayerAreTheSameFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  struct Row { QStringList args; const char *code; const char *extension; };
  const Row rows[] = {
      {{"--type", "jan"}, "490123456789", "png"},
      {{"--type", "upc", "--angle", "90"}, "01234567890", "bmp"},
      {{"--type", "code39", "--angle", "180", "--reverse"}, "ABC-123", "jpg"},
      {{"--type", "nw7", "--angle", "270", "--start", "B", "--stop", "C"}, "12345", "png"},
      {{"--type", "itf", "--reverse", "--scale", "3", "--ratio", "25"}, "123456", "bmp"},
      {{"--type", "ctf", "--frame", "4"}, "12345", "png"},
      {{"--type", "iata", "--angle", "90", "--reverse"}, "12345", "png"},
      {{"--type", "matrix", "--bar-color", "#123456", "--back-color", "#FEDCBA"}, "12345", "jpg"},
      {{"--type", "nec", "--space-left", "0", "--space-up", "40"}, "12345", "png"},
      {{"--type", "customer", "--angle", "270"}, "1050011-2-3", "png"},
      {{"--type", "code128", "--transparent"}, "PLX-00001", "png"},
      {{"--type", "code93", "--transparent", "--angle", "90"}, "ABC123", "bmp"},
  };
  int n = 0;
  for (const Row &row : rows) {
    const QString path = dir.filePath(QStringLiteral("%1.%2").arg(++n).arg(QLatin1String(row.extension)));
    QStringList args = row.args;
    args << "--no-text" << "-o" << path << row.code;
    SCOPED_TRACE(args.join(' ').toStdString());

    QString error;
    const auto options = cli::ParseCliOptions(args, error);
    ASSERT_TRUE(options) << error.toStdString();
    cli::Renderer renderer(*options);
    const cli::Drawn here = renderer.Draw(cli::Job{options->code, {}, {}, path.toUtf8()});
    ASSERT_EQ(here.outcome.status, 0) << here.outcome.message.toStdString();

    const CliRun run = RunCli(args);
    ASSERT_EQ(run.status, 0) << run.err.constData();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_FALSE(written.isEmpty());
    EXPECT_TRUE(written == QByteArray::fromStdString(here.bytes));
  }
}

}  // namespace
}  // namespace plomix
