// Code 128: the angle-bracket notation, set switching, checksums and check texts.
#include <gtest/gtest.h>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

struct Code128Case {
  const char *note;
  char start;
  std::string code;
  std::string symbol;  // empty: cannot be encoded
  int cdn;
};

void PrintTo(const Code128Case &c, std::ostream *os) { *os << c.note; }

class Code128Cases : public ::testing::TestWithParam<Code128Case> {};

TEST_P(Code128Cases, SymbolAndCheckValue) {
  const Code128Case &c = GetParam();
  const EncodeResult r = EncodeCode128({c.code, false, c.start, 'A'});
  EXPECT_EQ(r.symbol, c.symbol) << c.note;
  EXPECT_EQ(r.cdn, c.cdn) << c.note;
  EXPECT_EQ(r.pattern.empty(), c.symbol.empty()) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, Code128Cases,
    ::testing::Values(
        Code128Case{"B ABC: 310 mod 103 = 1", 'B', "ABC", "BABC!", 1},
        Code128Case{"C pairs: 185 mod 103 = 82", 'C', "<12><34>", "C<12><34><82>", 82},
        Code128Case{"C plain digits refused", 'C', "1234", "", -1},
        Code128Case{"A, CODEB, b: check text from set B", 'A', "A<CODEB>b", "AA<CODEB>b3", 19},
        Code128Case{"A SHIFT a: back to set A", 'A', "<SHIFT>a", "A<SHIFT>a6", 22},
        Code128Case{"B SHIFT A: back to set B", 'B', "<SHIFT>A", "B<SHIFT>A^", 62},
        Code128Case{"A lower case refused", 'A', "Ab", "", -1},
        Code128Case{"names are upper-cased", 'A', "<fnc1>", "A<fnc1><FNC1>", 102},
        Code128Case{"<< is the character <", 'B', "<<", "B<<=", 29},
        Code128Case{">> is the character >", 'B', ">>", "B>>?", 31},
        Code128Case{"> takes the next character literally", 'B', ">A", "B>AB", 34},
        Code128Case{"check text < doubled", 'B', ";", "B;<<", 28},
        Code128Case{"CODEA in set A refused", 'A', "<CODEA>", "", -1},
        Code128Case{"CODEB in set B refused", 'B', "<CODEB>", "", -1},
        Code128Case{"CODEC in set C refused", 'C', "<CODEC>", "", -1},
        Code128Case{"FNC4 in set C refused", 'C', "<FNC4>", "", -1},
        Code128Case{"> at the end refused", 'B', "AB>", "", -1},
        Code128Case{"< at the end refused", 'B', "AB<", "", -1},
        Code128Case{"DEL is set B only", 'A', "<DEL>", "", -1},
        Code128Case{"byte above 126 refused", 'B', "A\x7F", "", -1},
        Code128Case{"Shift-JIS refused", 'B', "\x82\xA0", "", -1},
        Code128Case{"control names in set A", 'A', "<cr><LF><ENO>", "A<cr><LF><ENO>4", 20},
        Code128Case{"ENQ is spelled ENO", 'A', "<ENQ>", "", -1},
        Code128Case{"C to B and back", 'C', "<12><CODEB>X<CODEC><34>", "C<12><CODEB>X<CODEC><34><21>", 21},
        Code128Case{"name without closing bracket", 'A', "<CR", "A<CR" "<CR>", 77},
        Code128Case{"StartChar D starts in set A", 'D', "A", "AAA", 33},
        Code128Case{"empty", 'B', "", "", -1}));

TEST(Code128, StartCharOtherThanABCIsCorrectedEvenWhenEncodingFails) {
  EXPECT_EQ(EncodeCode128({"a", false, 'D', 'A'}).startChar, 'A');
  EXPECT_TRUE(EncodeCode128({"a", false, 'D', 'A'}).pattern.empty());
  EXPECT_EQ(EncodeCode128({"A", false, 'B', 'A'}).startChar, 0) << "B is kept";
}

TEST(Code128, PatternIsStartValuesCheckStop) {
  const EncodeResult r = EncodeCode128({"ABC", false, 'B', 'A'});
  EXPECT_EQ(r.pattern,
            "301216"     // start B
            "101434"     // A (33)
            "141034"     // B (34)
            "141430"     // C (35)
            "323032"     // check 1
            "3450103");  // stop
}

struct TokenCase {
  const char *note;
  std::string text;
  std::vector<std::string> tokens;
};

class Code128Tokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(Code128Tokens, ReadFromLeftToRight) {
  const TokenCase &c = GetParam();
  std::vector<std::string> tokens;
  for (std::size_t pos = 0; pos < c.text.size();) tokens.push_back(ReadCode128Token(c.text, pos));
  EXPECT_EQ(tokens, c.tokens) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Notation, Code128Tokens,
    ::testing::Values(
        TokenCase{"plain characters unchanged", "aB1", {"a", "B", "1"}},
        TokenCase{"name upper-cased", "<nul>x", {"NUL", "x"}},
        TokenCase{"double <", "<<a", {"<", "a"}},
        TokenCase{"> takes the next character", ">>><", {">", "<"}},
        TokenCase{"first character after < belongs to the name", "<>>", {">"}},
        TokenCase{"unclosed name runs to the end", "<ab", {"AB"}},
        TokenCase{"lone > at the end gives nothing", "a>", {"a", ""}},
        TokenCase{"lone < at the end gives nothing", "a<", {"a", ""}}));

}  // namespace
}  // namespace plomix
