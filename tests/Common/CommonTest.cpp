// The shared helpers: Shift-JIS conversion, colour values, atomic files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPalette>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

#include "Common/AtomicFile.h"
#include "Common/Colors.h"
#include "Common/ShiftJis.h"

namespace plomix {
namespace {

struct SjisCase {
  const char *note;
  std::string sjis;
  QString unicode;
};

class SjisRoundTrip : public ::testing::TestWithParam<SjisCase> {};

TEST_P(SjisRoundTrip, ConvertsBothWays) {
  const SjisCase &c = GetParam();
  EXPECT_EQ(SjisToUnicode(c.sjis), c.unicode) << c.note;
  EXPECT_EQ(UnicodeToSjis(c.unicode), c.sjis) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Cp932, SjisRoundTrip,
    ::testing::Values(SjisCase{"ASCII", "ABC-123", QStringLiteral("ABC-123")},
                      SjisCase{"hiragana", "\x82\xA0\x82\xA2", QStringLiteral("あい")},
                      SjisCase{"half-width katakana", "\xB1\xB2", QStringLiteral("ｱｲ")},
                      SjisCase{"kanji", "\x8A\xBF\x8E\x9A", QStringLiteral("漢字")},
                      SjisCase{"CP932 extension: circled 1", "\x87\x40", QStringLiteral("①")},
                      SjisCase{"wave dash as Windows maps it", "\x81\x60", QStringLiteral("～")},
                      SjisCase{"yen sign byte is a backslash", "\\", QStringLiteral("\\")},
                      SjisCase{"empty", "", QString()}));

TEST(Sjis, CharactersShiftJisCannotHoldBecomeQuestionMarks) {
  EXPECT_EQ(UnicodeToSjis(QStringLiteral("A\u00E9B\U0001F600C")), "A?B?C");
  EXPECT_EQ(UnicodeToSjis(QStringLiteral("한")), "?");
}

TEST(Sjis, InvalidBytesDecodeWithoutLosingTheRest) {
  // A lone lead byte at the end and an invalid trail byte.
  EXPECT_EQ(SjisToUnicode("AB\x82"), QStringLiteral("AB\uFFFD"));
  EXPECT_EQ(SjisToUnicode("\x82\x20Z"), QStringLiteral("\uFFFD Z"));
  const std::string large(1 << 20, 'x');
  EXPECT_EQ(SjisToUnicode(large).size(), large.size());
}

struct PrefixCase {
  const char *note;
  std::string text;
  std::size_t max;
  std::string prefix;
};

class SjisPrefixes : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(SjisPrefixes, NeverSplitADoubleByteCharacter) {
  const PrefixCase &c = GetParam();
  EXPECT_EQ(std::string(SjisPrefix(c.text, c.max)), c.prefix) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, SjisPrefixes,
    ::testing::Values(PrefixCase{"short enough", "ABC", 5, "ABC"},
                      PrefixCase{"ASCII cut", "ABCDEF", 4, "ABCD"},
                      PrefixCase{"cut before a split kanji", "A\x8A\xBF\x8E\x9A", 4, "A\x8A\xBF"},
                      PrefixCase{"cut on a boundary", "A\x8A\xBF\x8E\x9A", 5, "A\x8A\xBF\x8E\x9A"},
                      PrefixCase{"half-width kana is one byte", "\xB1\xB2\xB3", 2, "\xB1\xB2"},
                      PrefixCase{"lone lead byte at the end", "AB\x82", 3, "AB\x82"},
                      PrefixCase{"zero", "\x82\xA0", 1, ""}));

struct ColorCase {
  const char *note;
  TColor value;
  QColor color;
};

class ColorValues : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorValues, AreBlueGreenRedFromTheTop) {
  const ColorCase &c = GetParam();
  EXPECT_EQ(ColorToQColor(c.value), c.color) << c.note;
  EXPECT_EQ(QColorToColor(c.color), c.value) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ColorValues,
    ::testing::Values(ColorCase{"black", 0, QColor(0, 0, 0)},
                      ColorCase{"white", 0xFFFFFF, QColor(255, 255, 255)},
                      ColorCase{"red is the low byte", 0x0000FF, QColor(255, 0, 0)},
                      ColorCase{"blue is the third byte", 0xFF0000, QColor(0, 0, 255)},
                      ColorCase{"mixed", 0x123456, QColor(0x56, 0x34, 0x12)}));

TEST(ColorValues, SystemColoursComeFromThePalette) {
  EXPECT_EQ(clWindowText, -2147483640);
  EXPECT_EQ(ColorToQColor(clWindowText), QGuiApplication::palette().color(QPalette::Text));
  EXPECT_EQ(ColorToQColor(clWindow), QGuiApplication::palette().color(QPalette::Base));
}

TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("data.txt"));
  ASSERT_TRUE(WriteFileAtomically(path, "old contents"));
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("new"));
  file.close();

  QString error;
  EXPECT_FALSE(WriteFileAtomically(dir.filePath(QStringLiteral("no/such/dir/x")), "x", &error));
  EXPECT_FALSE(error.isEmpty());

  // A read-only folder keeps the earlier file as it was.
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
  const bool denied = !WriteFileAtomically(path, "lost?", &error);
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  if (denied) {  // root may write anyway
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("new"));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"data.txt"});
}

}  // namespace
}  // namespace plomix

namespace plomix {
namespace {

// Atomic writes report the system's own reason, write into a device rather than
// replacing it, and never leave a temporary file behind.
TEST(AtomicFile, FailuresNameTheSystemsReasonAndDevicesStayDevices) {
  QTemporaryDir dir;
  QString error;
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteFileAtomically(dir.filePath("big"), std::string(4096, 'x'), &error);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  // The system's words for EFBIG in the running locale ("File too large" in C).
  EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no temporary file left";
  EXPECT_TRUE(WriteFileAtomically("/dev/null", "abc", &error)) << error.toStdString();
  EXPECT_TRUE(QFileInfo("/dev/null").exists() && !QFileInfo("/dev/null").isFile());
}

}  // namespace
}  // namespace plomix
