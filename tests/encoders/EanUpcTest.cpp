// JAN/EAN and UPC encoders, the UPC-A <-> UPC-E conversions and TBarImage's conversion
// operations.
#include <gtest/gtest.h>

#include "BarImage/TBarImage.h"
#include "Encoders/Encoders.h"

namespace plomix {
namespace {

struct RetailCase {
  const char *note;
  TBarTypes type;
  std::string code;
  std::string symbol;  // empty: cannot be encoded
  int cdn;
  std::size_t patternLength;
};

void PrintTo(const RetailCase &c, std::ostream *os) { *os << c.note; }

class RetailCases : public ::testing::TestWithParam<RetailCase> {};

TEST_P(RetailCases, SymbolCheckDigitAndLength) {
  const RetailCase &c = GetParam();
  const EncodeResult r = (c.type == cbarJAN ? EncodeJAN : EncodeUPC)({c.code, false, 'A', 'A'});
  EXPECT_EQ(r.symbol, c.symbol) << c.note;
  EXPECT_EQ(r.cdn, c.cdn) << c.note;
  EXPECT_EQ(r.pattern.size(), c.patternLength) << c.note;
  // Every element of these symbologies is one module: only "0" and "1" occur.
  EXPECT_EQ(r.pattern.find_first_not_of("01"), std::string::npos) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, RetailCases,
    ::testing::Values(
        RetailCase{"EAN-13 worked example", cbarJAN, "490123456789", "4901234567894", 4, 96},
        RetailCase{"EAN-8 worked example", cbarJAN, "9638507", "96385074", 4, 68},
        RetailCase{"13 digits refused (check digit given)", cbarJAN, "4901234567894", "", -1, 0},
        RetailCase{"8 digits refused", cbarJAN, "96385074", "", -1, 0},
        RetailCase{"JAN 11 digits refused", cbarJAN, "03600029145", "", -1, 0},
        RetailCase{"JAN letter refused", cbarJAN, "49012345678A", "", -1, 0},
        RetailCase{"JAN space refused", cbarJAN, "963850 ", "", -1, 0},
        RetailCase{"EAN-13 sum multiple of 10: check 0", cbarJAN, "000000000000", "0000000000000", 0, 96},
        RetailCase{"UPC-A worked example", cbarUPC, "03600029145", "036000291452", 2, 96},
        RetailCase{"UPC-E worked example (rule 4)", cbarUPC, "0425261", "04252614", 4, 52},
        RetailCase{"UPC-E rule 1: 01234500005", cbarUPC, "0123455", "01234558", 8, 52},
        RetailCase{"UPC-E rule 3: 01230000045", cbarUPC, "0123453", "01234531", 1, 52},
        RetailCase{"UPC-E rule 2: 01234000005", cbarUPC, "0123454", "01234543", 3, 52},
        RetailCase{"UPC-E number system 1 refused", cbarUPC, "1425261", "", -1, 0},
        RetailCase{"UPC-E 5 after a 0 has no expansion", cbarUPC, "0123405", "", -1, 0},
        RetailCase{"UPC-E 4 after a 0 has no expansion", cbarUPC, "0123004", "", -1, 0},
        RetailCase{"UPC-E 3 after a 2 has no expansion", cbarUPC, "0122003", "", -1, 0},
        RetailCase{"UPC 12 digits refused", cbarUPC, "036000291452", "", -1, 0},
        RetailCase{"UPC 8 digits refused", cbarUPC, "04252614", "", -1, 0},
        RetailCase{"UPC letter refused", cbarUPC, "0360002914X", "", -1, 0},
        RetailCase{"empty", cbarUPC, "", "", -1, 0}));

TEST(JAN, Ean13LeftHalfTakesTheParityOfTheLeadingDigit) {
  // Leading 4: row 101100, sets A B A A B B for 9 0 1 2 3 4; the right half is set C.
  const EncodeResult r = EncodeJAN({"490123456789", false, 'A', 'A'});
  EXPECT_EQ(r.pattern,
            "101"
            "0001011" "0100111" "0011001" "0010011" "0100001" "0011101"
            "01010"
            "1001110" "1010000" "1000100" "1001000" "1110100" "1011100"
            "1010");
}

TEST(JAN, Ean8IsAllSetAThenSetC) {
  const EncodeResult r = EncodeJAN({"9638507", false, 'A', 'A'});
  EXPECT_EQ(r.pattern,
            "101" "0001011" "0101111" "0111101" "0110111"
            "01010" "1001110" "1110010" "1000100" "1011100" "1010");
}

TEST(UPC, UpcEDigitsTakeTheParityOfTheCheckDigit) {
  // Check digit 4: parity 010011, sets B A B B A A for 4 2 5 2 6 1.
  const EncodeResult r = EncodeUPC({"0425261", false, 'A', 'A'});
  EXPECT_EQ(r.pattern,
            "101" "0011101" "0010011" "0111001" "0011011" "0101111" "0011001" "0101010");
}

struct ConversionCase {
  const char *note;
  std::string upca;  // 11 digits
  std::string upce;  // 7 digits; empty: no zero-suppressed form
};

class UpcConversions : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(UpcConversions, CompressAndExpand) {
  const ConversionCase &c = GetParam();
  EXPECT_EQ(UPCAToUPCE(c.upca), c.upce) << c.note;
  if (!c.upce.empty()) {
    EXPECT_EQ(UPCEToUPCA(c.upce), c.upca) << c.note;
  }
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, UpcConversions,
    ::testing::Values(
        ConversionCase{"rule 4", "04210000526", "0425261"},
        ConversionCase{"rule 1", "01234500005", "0123455"},
        ConversionCase{"rule 3", "01230000045", "0123453"},
        ConversionCase{"rule 2, since d6 is 0", "01234000005", "0123454"},
        ConversionCase{"rule 1 with 9", "09876500009", "0987659"},
        ConversionCase{"rule 4 with d4 = 0", "01200000789", "0127890"},
        ConversionCase{"rule 4 with d4 = 2", "01220000345", "0123452"},
        ConversionCase{"rule 3 with d4 = 9", "04590000012", "0459123"},
        ConversionCase{"number system 1", "11234500005", ""},
        ConversionCase{"no run of zeros", "03600029145", ""},
        ConversionCase{"rule 1 wants d11 >= 5", "01234500004", ""},
        ConversionCase{"10 digits", "0123450000", ""},
        ConversionCase{"12 digits", "012345000050", ""}));

TEST(UpcConversions, ExpansionRefusals) {
  EXPECT_EQ(UPCEToUPCA("1425261"), "") << "number system 1";
  EXPECT_EQ(UPCEToUPCA("0123405"), "") << "5 after a 0";
  EXPECT_EQ(UPCEToUPCA("0123004"), "") << "4 after a 0";
  EXPECT_EQ(UPCEToUPCA("0122003"), "") << "3 after a 2";
  EXPECT_EQ(UPCEToUPCA("042526"), "") << "6 characters";
  EXPECT_EQ(UPCEToUPCA(""), "") << "empty";
}

// A UPC symbol drawn from `code`, with the code-change events counted.
struct ShownUpc {
  TBarImage bar;
  int codeEvents = 0;
  explicit ShownUpc(TBarTypes type, const std::string &code) {
    bar.SetMatch(true);
    bar.SetBarType(type);
    bar.SetCode(code);
    bar.OnChangeCode = [this](TBarImage *, bool) { ++codeEvents; };
    bar.OnChangedCode = [this](TBarImage *, bool) { ++codeEvents; };
  }
};

TEST(ConvertUpc, AToEStoresTheShortFormAndRedrawsWithoutCodeEvents) {
  ShownUpc shown(cbarUPC, "04210000526");
  ASSERT_TRUE(shown.bar.BarDisped());
  shown.bar.ConvertUPCAToE();
  EXPECT_TRUE(shown.bar.BarDisped());
  EXPECT_EQ(shown.bar.Code(), "0425261");
  EXPECT_EQ(shown.bar.Symbol(), "04252614");
  EXPECT_EQ(shown.codeEvents, 0);
}

TEST(ConvertUpc, EToAStoresTheLongForm) {
  ShownUpc shown(cbarUPC, "0123455");
  shown.bar.ConvertUPCEToA();
  EXPECT_TRUE(shown.bar.BarDisped());
  EXPECT_EQ(shown.bar.Code(), "01234500005");
  EXPECT_EQ(shown.bar.Symbol(), "012345000058");
  EXPECT_EQ(shown.codeEvents, 0);
}

struct RefusedConversion {
  const char *note;
  TBarTypes type;
  std::string code;
  bool toE;
};

class ConvertUpcRefusals : public ::testing::TestWithParam<RefusedConversion> {};

TEST_P(ConvertUpcRefusals, ReportFalseAndKeepTheCode) {
  const RefusedConversion &c = GetParam();
  ShownUpc shown(c.type, c.code);
  if (c.toE) shown.bar.ConvertUPCAToE(); else shown.bar.ConvertUPCEToA();
  EXPECT_FALSE(shown.bar.BarDisped()) << c.note;
  EXPECT_EQ(shown.bar.Code(), c.code) << c.note;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ConvertUpcRefusals,
    ::testing::Values(
        RefusedConversion{"bar type JAN", cbarJAN, "04210000526", true},
        RefusedConversion{"invalid code not shown", cbarUPC, "0421000052X", true},
        RefusedConversion{"no zero-suppressed form", cbarUPC, "03600029145", true},
        RefusedConversion{"A to E wants 11 characters", cbarUPC, "0425261", true},
        RefusedConversion{"E to A wants 7 characters", cbarUPC, "04210000526", false},
        RefusedConversion{"E to A with bar type JAN", cbarJAN, "9638507", false}));

}  // namespace
}  // namespace plomix
