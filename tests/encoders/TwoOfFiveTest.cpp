// The 2 of 5 family: worked examples, and industrial, IATA and Matrix 2 of 5 compared
// element by element with libzint.
#include <gtest/gtest.h>
#include <zint.h>

#include "Encoders/BarTypes.h"
#include "Encoders/Encoders.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

struct TwoOfFiveCase {
  const char *note;
  TBarTypes type;
  std::string code;
  bool cd;
  std::string symbol;  // empty: cannot be encoded
  int cdn;
  std::size_t patternLength;
};

EncodeFunction EncoderOf(TBarTypes type) {
  switch (type) {
    case cbarITF: return EncodeITF;
    case cbarCTF: return EncodeCTF;
    case cbarIATA: return EncodeIATA;
    case cbarMATRIX: return EncodeMatrix;
    default: return EncodeNEC;
  }
}

void PrintTo(const TwoOfFiveCase &c, std::ostream *os) { *os << c.note; }

class TwoOfFiveCases : public ::testing::TestWithParam<TwoOfFiveCase> {};

TEST_P(TwoOfFiveCases, SymbolCheckDigitAndLength) {
  const TwoOfFiveCase &c = GetParam();
  const EncodeResult r = EncoderOf(c.type)({c.code, c.cd, 'A', 'A'});
  EXPECT_EQ(r.symbol, c.symbol) << c.note;
  EXPECT_EQ(r.cdn, c.cdn) << c.note;
  EXPECT_EQ(r.pattern.size(), c.patternLength) << c.note;
  if (!r.pattern.empty()) {
    EXPECT_EQ(r.pattern.back() % 2, 1) << c.note << ": ends with a bar";
  }
}

// Lengths: ITF 7 + 5n, CTF 11 + 10n, IATA 7 + 10n, MATRIX 11 + 6n, NEC 7 + 6n.
INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, TwoOfFiveCases,
    ::testing::Values(
        TwoOfFiveCase{"ITF odd without check: leading zero", cbarITF, "12345", false, "012345", -1, 37},
        TwoOfFiveCase{"ITF 5 + check is even: no zero", cbarITF, "12345", true, "123457", 7, 37},
        TwoOfFiveCase{"ITF 4 + check is odd: zero, then check", cbarITF, "1234", true, "012348", 8, 37},
        TwoOfFiveCase{"ITF even without check", cbarITF, "1234", false, "1234", -1, 27},
        TwoOfFiveCase{"ITF single digit", cbarITF, "7", false, "07", -1, 17},
        TwoOfFiveCase{"ITF single digit with check", cbarITF, "7", true, "79", 9, 17},
        TwoOfFiveCase{"CTF with check", cbarCTF, "1234", true, "12348", 8, 61},
        TwoOfFiveCase{"CTF without check: no leading zero", cbarCTF, "1234", false, "1234", -1, 51},
        TwoOfFiveCase{"CTF single digit", cbarCTF, "5", false, "5", -1, 21},
        TwoOfFiveCase{"IATA ignores CD off", cbarIATA, "1234", false, "12348", 8, 57},
        TwoOfFiveCase{"IATA with CD on", cbarIATA, "1234", true, "12348", 8, 57},
        TwoOfFiveCase{"IATA single digit", cbarIATA, "5", false, "55", 5, 27},
        TwoOfFiveCase{"MATRIX with check", cbarMATRIX, "1234", true, "12348", 8, 41},
        TwoOfFiveCase{"MATRIX odd length as it is", cbarMATRIX, "123", false, "123", -1, 29},
        TwoOfFiveCase{"NEC with check", cbarNEC, "1234", true, "12348", 8, 37},
        TwoOfFiveCase{"NEC single digit", cbarNEC, "0", false, "0", -1, 13},
        TwoOfFiveCase{"ITF letter", cbarITF, "12A4", false, "", -1, 0},
        TwoOfFiveCase{"CTF space", cbarCTF, "12 4", true, "", -1, 0},
        TwoOfFiveCase{"IATA sign", cbarIATA, "-1", false, "", -1, 0},
        TwoOfFiveCase{"MATRIX empty", cbarMATRIX, "", true, "", -1, 0},
        TwoOfFiveCase{"NEC Shift-JIS digit", cbarNEC, "\x82\x4F", false, "", -1, 0}));

TEST(ITF, PairTakesBarsFromTheFirstDigitAndSpacesFromTheSecond) {
  const EncodeResult r = EncodeITF({"12", false, 'A', 'A'});
  EXPECT_EQ(r.pattern, "1010" "3012101032" "301");
}

TEST(NEC, StartRowsAndStop) {
  // NEC 2 of 5 has no peer encoder: its rows are pinned here.
  const EncodeResult r = EncodeNEC({"0123456789", false, 'A', 'A'});
  EXPECT_EQ(r.pattern,
            "3030"
            "321010" "101230" "103030" "103210" "121030"
            "121210" "123010" "301030" "301210" "303010"
            "123");
}

TEST(Matrix, StartRowsAndStop) {
  const EncodeResult r = EncodeMatrix({"09", false, 'A', 'A'});
  EXPECT_EQ(r.pattern, "301010" "103210" "121210" "30101");
}

// Bars and spaces as narrow/wide classes: "1" narrow bar, "3" wide bar, "0" narrow space,
// "2" wide space. Elements must alternate, or zint's runs would merge them.
std::string ElementClasses(const std::string &pattern) {
  std::string classes;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const int d = pattern[i] - '0';
    if (d % 2 != static_cast<int>((i + 1) % 2)) return "not alternating at " + std::to_string(i);
    classes += static_cast<char>('0' + d % 2 + (d >= 2 ? 2 : 0));
  }
  return classes;
}

// zint's run lengths (starting with a bar) in the same classes.
std::string ZintClasses(int symbology, const std::string &data, int option2) {
  const std::string runs = test::ZintModules(symbology, data, option2);
  std::string classes;
  for (std::size_t i = 0; i < runs.size(); ++i)
    classes += static_cast<char>('0' + (i % 2 == 0 ? 1 : 0) + (runs[i] > '1' ? 2 : 0));
  return classes;
}

const std::vector<std::string> kZintInputs = {
    "0",          "1",          "9",           "12",          "90",
    "123",        "5555",       "01234",       "987654",      "1234567",
    "00000000",   "99999999",   "0123456789",  "9876543210",  "13579246801",
    "24680135790", "31415926535", "2718281828459", "1111122222333334444455555",
    "8080808080808080808080808080"};

struct ZintPeer {
  const char *name;
  EncodeFunction encode;
  int symbology;
  bool cd;
  int option2;  // 1: zint appends the check digit
};

class ZintTwoOfFive : public ::testing::TestWithParam<ZintPeer> {};

TEST_P(ZintTwoOfFive, SameElementsAsLibzint) {
  const ZintPeer &peer = GetParam();
  ASSERT_GE(kZintInputs.size(), 20u);
  for (const std::string &data : kZintInputs) {
    const EncodeResult r = peer.encode({data, peer.cd, 'A', 'A'});
    const std::string expected = ZintClasses(peer.symbology, data, peer.option2);
    ASSERT_FALSE(expected.empty()) << peer.name << " zint refused " << data;
    EXPECT_EQ(ElementClasses(r.pattern), expected) << peer.name << " data " << data;
  }
}

INSTANTIATE_TEST_SUITE_P(
    LibzintPattern, ZintTwoOfFive,
    ::testing::Values(ZintPeer{"industrial", EncodeCTF, BARCODE_C25IND, false, 0},
                      ZintPeer{"industrial with check", EncodeCTF, BARCODE_C25IND, true, 1},
                      ZintPeer{"IATA", EncodeIATA, BARCODE_C25IATA, false, 1},
                      ZintPeer{"Matrix", EncodeMatrix, BARCODE_C25STANDARD, false, 0},
                      ZintPeer{"Matrix with check", EncodeMatrix, BARCODE_C25STANDARD, true, 1}),
    [](const auto &info) {
      std::string name = info.param.name;
      for (char &c : name)
        if (c == ' ') c = '_';
      return name;
    });

}  // namespace
}  // namespace plomix
