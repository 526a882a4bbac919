// Code 93: shift characters in angle brackets, the two modulo-47 check characters.
#include <gtest/gtest.h>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

struct Code93Case {
  const char *note;
  std::string code;
  std::string symbol;  // empty: cannot be encoded
  int cdn;             // C + 100 × K
};

void PrintTo(const Code93Case &c, std::ostream *os) { *os << c.note; }

class Code93Cases : public ::testing::TestWithParam<Code93Case> {};

TEST_P(Code93Cases, SymbolAndCheckValues) {
  const Code93Case &c = GetParam();
  const EncodeResult r = EncodeCode93({c.code, false, 'A', 'A'});
  EXPECT_EQ(r.symbol, c.symbol) << c.note;
  EXPECT_EQ(r.cdn, c.cdn) << c.note;
  if (c.symbol.empty()) {
    EXPECT_TRUE(r.pattern.empty()) << c.note;
  } else {
    // Start, one row per value (data, C, K), stop.
    const auto values = ParseCode93(c.code);
    ASSERT_TRUE(values.has_value()) << c.note;
    EXPECT_EQ(r.pattern.size(), 6 * (values->size() + 3) + 7) << c.note;
  }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Code93Cases,
    ::testing::Values(
        Code93Case{"TEST93: C 41 (+), K 6", "TEST93", "(TEST93+6)", 641},
        Code93Case{"ABC: C 17 (H), K 20 (K)", "ABC", "(ABCHK)", 2017},
        Code93Case{"shift (%) then A", "<%>A", "(<%>A4F)", 1504},
        Code93Case{"check value 43 shows as <$>", "AN", "(AN<$>P)", 2543},
        Code93Case{"C weights restart after 20", "1" + std::string(20, '0'),
                   "(1" + std::string(20, '0') + "18)", 801},
        Code93Case{"K weights restart after 15", "1" + std::string(14, '0'),
                   "(1" + std::string(14, '0') + "FG)", 1615},
        Code93Case{"space, $, /, +, % are data", " $/+%", "( $/+%QH)", 1726},
        Code93Case{"lower case refused", "a", "", -1},
        Code93Case{"unclosed shift at the end", "A<$", "", -1},
        Code93Case{"letter is no shift name", "<A>", "", -1},
        Code93Case{"shift not closed", "<$$>", "", -1},
        Code93Case{"placeholder ! cannot be typed", "!", "", -1},
        Code93Case{"placeholder @ cannot be typed", "A@", "", -1},
        Code93Case{"lone >", "A>", "", -1},
        Code93Case{"lone <", "<", "", -1},
        Code93Case{"empty", "", "", -1}));

TEST(Code93, PatternIsStartValuesChecksStop) {
  const EncodeResult r = EncodeCode93({"ABC", false, 'A', 'A'});
  EXPECT_EQ(r.pattern,
            "101070"     // start
            "301014"     // A
            "301212"     // B
            "301410"     // C
            "103212"     // check C = 17 (H)
            "143010"     // check K = 20 (K)
            "1010701");  // stop with its termination bar
}

TEST(Code93, ShiftNamesBecomeValues43To46) {
  const auto values = ParseCode93("<$><%></><+>Z");
  ASSERT_TRUE(values.has_value());
  EXPECT_EQ(*values, (std::vector<int>{43, 44, 45, 46, 35}));
}

}  // namespace
}  // namespace plomix
