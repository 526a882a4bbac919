// The main window on a screen scaled 2x: the symbol keeps the pixel sizes of the
// logical resolution (its picture is what files, clipboard and print take), and on
// screen each of its pixels becomes a sharp 2x2 block, with no blending at the bars.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "BarImage/TBarImage.h"
#include "Frame/TFrameForm.h"
#include "tests/Frame/FrameTestSupport.h"

namespace plomix {
namespace {

// Before main() creates the application object, which reads the scale once.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

// The same symbol (Code 39) from plomix-cli at scale 1.
QImage CliSymbol(const QString &dir, const QString &code) {
  const QString path = dir + QStringLiteral("/cli.png");
  QProcess cli;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("QT_SCALE_FACTOR"));
  cli.setProcessEnvironment(env);
  cli.start(QStringLiteral(PLOMIX_CLI), {QStringLiteral("--type"), QStringLiteral("code39"), QStringLiteral("-o"), path, code});
  EXPECT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
  return QImage(path);
}

TEST(HiDpi, TheSymbolKeepsItsLogicalPixelsAndIsDrawnSharp) {
  ASSERT_TRUE(kScaled);
  test::FrameFixture f;
  TFrameForm &form = *f.form;
  ASSERT_DOUBLE_EQ(form.devicePixelRatioF(), 2.0);
  const QString code = QStringLiteral("ABC-123");
  f.SetSymbology(cbarCODE39);
  f.TypeEnter("ComboBox1", code);
  ASSERT_TRUE(form.BarImage1->BarDisped());

  const QImage *picture = form.BarImage1->Picture().BitmapOrNull();
  ASSERT_NE(picture, nullptr);
  const QImage reference = CliSymbol(f.dir.path(), code);
  EXPECT_EQ(picture->size(), reference.size()) << "the picture has the pixels of scale 1";
  EXPECT_EQ(form.BarImage1->size(), picture->size()) << "the control is sized in logical pixels";

  const QImage screen = form.BarImage1->grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(screen.size(), picture->size() * 2);
  const QImage source = picture->convertToFormat(QImage::Format_RGB32);
  int blended = 0;
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) blended += screen.pixel(x, y) != source.pixel(x / 2, y / 2);
  EXPECT_EQ(blended, 0) << "device pixels that differ from their logical pixel";
}

}  // namespace
}  // namespace plomix
