// --verify for the customer barcode: its bars are read back as shapes (long, ascender,
// descender, timing) on their pitch, whatever the angle, mirror and file format.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "Symbol/PictureTransform.h"
#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"
#include "ReadBack/ReadBack.h"
#include "tests/cli/CliRun.h"

namespace plomix {
namespace {

constexpr int kScale = 2;

QImage DrawCustomer(TBarImage &bar, const std::string &code, int angle, bool reverse) {
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(cbarCUSTOMER);
  bar.SetScale(kScale);
  bar.SetAngle(angle);
  bar.SetReverse(reverse);
  bar.SetCode(code);
  bar.SetBarEnabled(true);
  return bar.Picture().Bitmap();
}

bool Dark(const QImage &image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// Paper over rows [from, to) of the bars' height in pattern column `column` of an upright
// picture whose first dark row is the bars' top.
void Erase(QImage &upright, const std::string &pattern, std::size_t column, int from, int to) {
  int top = 0;
  for (bool found = false; !found; found || ++top)
    for (int x = 0; x < upright.width() && !found; ++x) found = Dark(upright, x, top);
  int left = 0;
  while (!Dark(upright, left, top + 2 * kScale)) ++left;  // every bar inks the middle third
  const int x = left + static_cast<int>(column - pattern.find_first_not_of('0')) * kScale;
  for (int y = top + from; y < top + to; ++y)
    for (int dx = 0; dx < kScale; ++dx) upright.setPixel(x + dx, y, qRgb(255, 255, 255));
}

struct Damage {
  const char *note;
  int from, to;  // rows of the bar erased, from its top
};

TEST(VerifyCustomer, GoodSymbolsPassAndADamagedBarIsCaughtAtEveryAngle) {
  const Damage damages[] = {
      {"long bar shortened to a descender", 0, 2 * kScale},
      {"long bar one row short", 0, 1},
      {"bar removed", 0, 6 * kScale},
  };
  for (const std::string code : {"1234567-8", "1A", "TOKYO-3-2-1"}) {
    TBarImage upright;
    const QImage picture = DrawCustomer(upright, code, 0, false);
    const std::string &pattern = upright.Pattern();
    const std::size_t longBar = pattern.find('7', pattern.size() / 2);
    ASSERT_NE(longBar, std::string::npos);
    for (int angle : {0, 90, 180, 270}) {
      for (bool reverse : {false, true}) {
        const std::string where = code + " at " + std::to_string(angle) + (reverse ? " mirrored" : "");
        TBarImage bar;
        const QImage turned = DrawCustomer(bar, code, angle, reverse);
        const auto turn = [&](const QImage &image) {
          const QImage rotated = RotateBitmap(image, angle);
          return reverse ? MirrorBitmap(rotated) : rotated;
        };
        ASSERT_EQ(turn(picture), turned) << where << ": the damage below is turned as the drawing turns";
        const readback::ReadBackResult good = readback::ReadBackSymbol(turned, true, bar);
        EXPECT_TRUE(good.ok) << where << ": " << good.problem.toStdString();
        EXPECT_EQ(good.method, readback::ReadBackMethod::Elements) << where;
        for (const Damage &damage : damages) {
          QImage damaged = picture;
          Erase(damaged, pattern, longBar, damage.from, damage.to);
          const readback::ReadBackResult bad = readback::ReadBackSymbol(turn(damaged), true, bar);
          EXPECT_FALSE(bad.ok) << where << ", " << damage.note;
          EXPECT_FALSE(bad.problem.isEmpty()) << where << ", " << damage.note;
        }
      }
    }
  }
}

TEST(VerifyCustomer, EveryFileFormatReadsBack) {
  struct Case {
    const char *file;
    QStringList args;
  };
  const Case cases[] = {
      {"{n}.png", {"--angle", "90", "--reverse"}},
      {"{n}.jpg", {"--angle", "270", "--scale", "1"}},
      {"{n}.bmp", {"--angle", "180", "--reverse", "--scale", "3"}},
      {"{n}.svg", {}},
      {"{n}.emf", {"--picture", "emf"}},
      {"{n}.wmf", {"--picture", "wmf", "--bar-color", "#0000c0", "--back-color", "#ffffe0"}},
  };
  test::CliSetup setup;
  setup.input = "1234567-8\n1A\nabc\n100-0005 CHIYODA 1-1-1 KASUMIGASEKI\n";
  for (const Case &c : cases) {
    QTemporaryDir dir;
    const test::CliRun run = test::RunCli(
        QStringList{"--batch", "-", "--type", "customer", "--verify", "--info", "-o", dir.filePath(c.file)} + c.args,
        setup);
    EXPECT_EQ(run.status, 0) << c.file << ": " << run.err.constData();
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    EXPECT_EQ(lines.size(), 4) << c.file;
    for (const QByteArray &line : lines)
      EXPECT_EQ(QJsonDocument::fromJson(line).object().value("verified").toString(), "elements") << c.file;
  }
}

}  // namespace
}  // namespace plomix
