// Symbols drawn by TBarImage and read back by zxing-cpp and zbar.
#include <gtest/gtest.h>

#include "tests/support/RenderedSymbol.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

using test::Format;

struct ReadBackCase {
  const char *note;
  TBarTypes type;
  std::string code;
  bool cd;
  char start;
  Format format;
  std::string text;  // what zxing-cpp and zbar both read
};

void PrintTo(const ReadBackCase &c, std::ostream *os) { *os << c.note << " " << c.code; }

class ReadBack : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBack, BothReadersAgree) {
  const ReadBackCase &c = GetParam();
  const QImage image = test::RenderSymbol({c.type, c.code, c.cd, c.start, 2, true});
  ASSERT_FALSE(image.isNull()) << c.note;
  EXPECT_EQ(test::ReadWithZXing(image, c.format), c.text) << c.note << " (zxing)";
  EXPECT_EQ(test::ReadWithZbar(image, c.format), c.text) << c.note << " (zbar)";
}

// Both readers give the full number with its check digit; UPC-E as its 8 digits.
ReadBackCase Ean13(const std::string &code, const std::string &full) {
  return {"EAN-13", cbarJAN, code, false, 'A', Format::EAN13, full};
}
ReadBackCase Ean8(const std::string &code, const std::string &full) {
  return {"EAN-8", cbarJAN, code, false, 'A', Format::EAN8, full};
}
ReadBackCase UpcA(const std::string &code, const std::string &full) {
  return {"UPC-A", cbarUPC, code, false, 'A', Format::UPCA, full};
}
ReadBackCase UpcE(const char *rule, const std::string &code, const std::string &full) {
  return {rule, cbarUPC, code, false, 'A', Format::UPCE, full};
}
ReadBackCase Itf(const char *note, const std::string &code, bool cd, const std::string &full) {
  return {note, cbarITF, code, cd, 'A', Format::ITF, full};
}
ReadBackCase Code128(const char *note, char start, const std::string &code,
                     const std::string &text) {
  return {note, cbarCODE128, code, false, start, Format::Code128, text};
}
// Both readers decode the shift pairs as full ASCII.
ReadBackCase Code93(const char *note, const std::string &code, const std::string &text) {
  return {note, cbarCODE93, code, false, 'A', Format::Code93, text};
}

INSTANTIATE_TEST_SUITE_P(
    RetailSymbols, ReadBack,
    ::testing::Values(
        Ean13("490123456789", "4901234567894"), Ean13("000000000000", "0000000000000"),
        Ean13("978316148410", "9783161484100"), Ean13("590123412345", "5901234123457"),
        Ean8("9638507", "96385074"), Ean8("4012345", "40123455"), Ean8("1234567", "12345670"),
        UpcA("03600029145", "036000291452"), UpcA("12345678901", "123456789012"),
        UpcA("01234500005", "012345000058"),
        UpcE("rule 1", "0123455", "01234558"), UpcE("rule 1", "0654327", "06543273"),
        UpcE("rule 1", "0120019", "01200195"),
        UpcE("rule 2", "0123454", "01234543"), UpcE("rule 2", "0987654", "09876547"),
        UpcE("rule 2", "0123154", "01231542"),
        UpcE("rule 3", "0123453", "01234531"), UpcE("rule 3", "0789013", "07890137"),
        UpcE("rule 3", "0455563", "04555633"),
        UpcE("rule 4", "0425261", "04252614"), UpcE("rule 4", "0123450", "01234505"),
        UpcE("rule 4", "0987652", "09876523"), UpcE("rule 4", "0345671", "03456712")));

// Numbers given with their check digit draw the symbols of the numbers without it.
INSTANTIATE_TEST_SUITE_P(
    RetailNumbersWithCheckDigit, ReadBack,
    ::testing::Values(Ean13("4901234567894", "4901234567894"), Ean13("9783161484100", "9783161484100"),
                      Ean8("96385074", "96385074"), UpcA("036000291452", "036000291452"),
                      UpcE("rule 4", "04252614", "04252614"), UpcE("rule 1", "01234558", "01234558")));

INSTANTIATE_TEST_SUITE_P(
    Interleaved, ReadBack,
    ::testing::Values(
        Itf("even, no check", "123456", false, "123456"),
        Itf("odd, no check: leading zero", "1234567", false, "01234567"),
        Itf("odd plus check is even", "12345", true, "123457"),
        Itf("even plus check: leading zero", "123456", true, "01234565"),
        Itf("long, no check", "12345678901234", false, "12345678901234"),
        Itf("long odd with check", "9876543210987", true, "98765432109879")));

INSTANTIATE_TEST_SUITE_P(
    Code128Symbols, ReadBack,
    ::testing::Values(
        Code128("start B text", 'B', "ABC123456789DEFGHIJK", "ABC123456789DEFGHIJK"),
        Code128("start B lower case", 'B', "Hello, world!", "Hello, world!"),
        Code128("start A control characters", 'A', "AB<CR><LF>CD<HT>", "AB\r\nCD\t"),
        Code128("start A SHIFT to a lower-case letter", 'A', "AB<SHIFT>cD", "ABcD"),
        Code128("start B SHIFT to a control character", 'B', "ab<SHIFT><ESC>cd", "ab\x1b" "cd"),
        Code128("start C pairs", 'C', "<12><34><56><78>", "12345678"),
        Code128("start C to B and back", 'C', "<12><34><CODEB>xy<CODEC><56><78>", "1234xy5678"),
        Code128("start A to C to A", 'A', "X<CODEC><00><99><CODEA>Y", "X0099Y"),
        Code128("start B to A for a control", 'B', "ok<CODEA><BEL>OK", "ok\aOK"),
        Code128("angle brackets themselves", 'B', "<<a>>", "<a>")));

INSTANTIATE_TEST_SUITE_P(
    Code93Symbols, ReadBack,
    ::testing::Values(
        Code93("plain data", "TEST93", "TEST93"),
        Code93("all signs", "A-B. C$D/E+F%G", "A-B. C$D/E+F%G"),
        Code93("(+)A is a", "<+>A", "a"),
        Code93("lower-case word", "<+>H<+>E<+>L<+>L<+>O", "hello"),
        Code93("(%)A is ESC", "X<%>AY", "X\x1bY"),
        Code93("($)M is CR", "A<$>MB", "A\rB"),
        Code93("(/)A is !", "HI</>A", "HI!")));

}  // namespace
}  // namespace plomix
