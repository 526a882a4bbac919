// --transparent draws the symbol's ink over the background of a first, opaque drawing:
// at every quarter turn, mirrored or not, the picture must be the opaque one.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "tests/cli/CliRun.h"

namespace plomix {
namespace {

using test::CliRun;
using test::RunCli;

struct TurnCase {
  const char *angle;
  bool reverse;
};

class TransparentTurn : public ::testing::TestWithParam<TurnCase> {};

QImage DrawnPicture(const QString &file, const QStringList &args) {
  const CliRun run = RunCli(args + QStringList{"-o", file, "--", "CODE93"});
  EXPECT_EQ(run.status, 0) << run.err.constData();
  return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// The opaque picture of the same options is the expectation: it has one text and whole
// bars, and is read back by zxing-cpp in the other CLI tests.
TEST_P(TransparentTurn, IsTheOpaquePicture) {
  const TurnCase &c = GetParam();
  QTemporaryDir dir;
  QStringList args{"--type", "code93", "--angle", c.angle, "--up", "UP", "--bar-color", "#102030",
                   "--back-color", "#f0e0d0"};
  if (c.reverse) args << "--reverse";
  const QImage opaque = DrawnPicture(dir.filePath("opaque.png"), args);
  const QImage transparent = DrawnPicture(dir.filePath("transparent.png"), args + QStringList{"--transparent"});
  ASSERT_FALSE(opaque.isNull());
  ASSERT_EQ(transparent.size(), opaque.size()) << c.angle << (c.reverse ? " mirrored" : "");
  int differing = 0;
  for (int y = 0; y < opaque.height(); ++y)
    for (int x = 0; x < opaque.width(); ++x) differing += opaque.pixel(x, y) != transparent.pixel(x, y);
  EXPECT_EQ(differing, 0) << c.angle << (c.reverse ? " mirrored" : "") << ": pixels unlike the opaque picture";
}

// Every angle with and without the mirror: a turned picture that is mirrored must be
// unturned as the inverse of turn-then-mirror before the second drawing.
INSTANTIATE_TEST_SUITE_P(Cases, TransparentTurn,
                         ::testing::Values(TurnCase{"0", false}, TurnCase{"0", true}, TurnCase{"90", false},
                                           TurnCase{"90", true}, TurnCase{"180", false}, TurnCase{"180", true},
                                           TurnCase{"270", false}, TurnCase{"270", true}));

}  // namespace
}  // namespace plomix
