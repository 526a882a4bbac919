// Code 39 and NW-7 encoders: worked examples, check characters, character sets.
#include <gtest/gtest.h>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

struct EncoderCase {
  const char *note;
  std::string code;
  bool cd;
  char start, stop;
  std::string symbol;  // empty: cannot be encoded
  int cdn;
};

class Code39Cases : public ::testing::TestWithParam<EncoderCase> {};

TEST_P(Code39Cases, SymbolAndCheckValue) {
  const EncoderCase &c = GetParam();
  const EncodeResult r = EncodeCode39({c.code, c.cd, 'A', 'A'});
  EXPECT_EQ(r.symbol, c.symbol) << c.note;
  EXPECT_EQ(r.cdn, c.cdn) << c.note;
  if (c.symbol.empty()) {
    EXPECT_TRUE(r.pattern.empty()) << c.note;
  } else {
    // One 10-digit row per character of the symbol, the start and stop "*" included.
    EXPECT_EQ(r.pattern.size(), 10 * c.symbol.size()) << c.note;
  }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Code39Cases,
    ::testing::Values(
        EncoderCase{"ABC without check", "ABC", false, 'A', 'A', "*ABC*", -1},
        EncoderCase{"ABC: 10+11+12 = 33 = X", "ABC", true, 'A', 'A', "*ABCX*", 33},
        EncoderCase{"% alone: check 42 is %", "%", true, 'A', 'A', "*%%*", 42},
        EncoderCase{"space is value 38", "A B", true, 'A', 'A', "*A B" + std::string(1, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%"[(10 + 38 + 11) % 43]) + "*", (10 + 38 + 11) % 43},
        EncoderCase{"$/+% are data", "$/+%", false, 'A', 'A', "*$/+%*", -1},
        EncoderCase{"sum 43 wraps to 0", "Z8", true, 'A', 'A', "*Z80*", 0},
        EncoderCase{"lower case refused", "abc", true, 'A', 'A', "", -1},
        EncoderCase{"star inside refused", "A*B", false, 'A', 'A', "", -1},
        EncoderCase{"empty code", "", true, 'A', 'A', "", -1},
        EncoderCase{"NUL byte refused", std::string("A\0B", 3), false, 'A', 'A', "", -1},
        EncoderCase{"Shift-JIS byte refused", "\x82\xA0", false, 'A', 'A', "", -1}));

TEST(Code39, PatternIsStartRowsStop) {
  const EncodeResult r = EncodeCode39({"ABC", false, 'A', 'A'});
  EXPECT_EQ(r.pattern,
            "1210303010"    // *
            "3010121030"    // A
            "1030121030"    // B
            "3030121010"    // C
            "1210303010");  // *
}

class NW7Cases : public ::testing::TestWithParam<EncoderCase> {};

TEST_P(NW7Cases, SymbolAndCheckValue) {
  const EncoderCase &c = GetParam();
  const EncodeResult r = EncodeNW7({c.code, c.cd, c.start, c.stop});
  EXPECT_EQ(r.symbol, c.symbol) << c.note;
  EXPECT_EQ(r.cdn, c.cdn) << c.note;
  if (c.symbol.empty())
    EXPECT_TRUE(r.pattern.empty()) << c.note;
  else
    EXPECT_EQ(r.pattern.size(), 8 * c.symbol.size()) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, NW7Cases,
    ::testing::Values(
        EncoderCase{"123 A..B: 39 mod 16 = 7, check 9", "123", true, 'A', 'B', "A1239B", 9},
        EncoderCase{"without check", "123", false, 'C', 'D', "C123D", -1},
        EncoderCase{"16 + 15 + 17 = 48: check 0", "+", true, 'A', 'B', "A+0B", 0},
        EncoderCase{"16 + 1 + 16 = 33: check 15 is +", "1", true, 'A', 'A', "A1+A", 15},
        EncoderCase{"letters inside the data", "1B2", true, 'D', 'D',
                    std::string("D1B2") + "0123456789-$:/.+"[(16 - (19 + 1 + 17 + 2 + 19) % 16) % 16] + "D",
                    (16 - (19 + 1 + 17 + 2 + 19) % 16) % 16},
        EncoderCase{"letter E refused", "12E", true, 'A', 'A', "", -1},
        EncoderCase{"lower case refused", "a1", false, 'A', 'A', "", -1},
        EncoderCase{"empty code", "", true, 'A', 'A', "", -1}));

TEST(NW7, CheckCharacterCoversEveryValue) {
  // Data "0".."9" and punctuation make every remainder; the check character is always
  // a data character (never a letter) and the sum with it is a multiple of 16.
  const std::string charset = "0123456789-$:/.+ABCD";
  for (int value = 0; value < 16; ++value) {
    const std::string code(1, charset[value]);
    const EncodeResult r = EncodeNW7({code, true, 'A', 'A'});
    ASSERT_GE(r.cdn, 0);
    ASSERT_LT(r.cdn, 16);
    EXPECT_EQ((16 + value + 16 + r.cdn) % 16, 0) << code;
    EXPECT_EQ(r.symbol[2], charset[r.cdn]) << code;
  }
}

TEST(NW7, StartAndStopRows) {
  const EncodeResult r = EncodeNW7({"1", false, 'B', 'C'});
  EXPECT_EQ(r.pattern, "12121030" "10103210" "10121230");
}

}  // namespace
}  // namespace plomix
