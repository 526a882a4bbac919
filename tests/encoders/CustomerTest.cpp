// The customer barcode: positions, letters as control-code pairs, CC4 padding, the
// modulo-19 check character; compared with libzint column by column; its drawing.
#include <gtest/gtest.h>
#include <zint.h>

#include <QPainter>

#include "BarLayout/SymbolLayout.h"
#include "BarImage/TBarImage.h"
#include "Encoders/Encoders.h"
#include "tests/support/RenderedSymbol.h"
#include "tests/support/Oracles.h"

namespace plomix {
namespace {

struct CustomerCase {
  const char *note;
  std::string code;
  std::string symbol;
  int cdn;
  std::size_t columns;  // start 6 + 6 per position used + check 6 + stop 6
};

void PrintTo(const CustomerCase &c, std::ostream *os) { *os << c.note; }

class CustomerCases : public ::testing::TestWithParam<CustomerCase> {};

TEST_P(CustomerCases, SymbolAndCheckValue) {
  const CustomerCase &c = GetParam();
  const EncodeResult r = EncodeCustomer({c.code, false, 'A', 'A'});
  EXPECT_EQ(r.symbol, c.symbol) << c.note;
  EXPECT_EQ(r.cdn, c.cdn) << c.note;
  EXPECT_EQ(r.pattern.size(), c.columns) << c.note;
}

std::string Spaces(std::size_t n) { return std::string(n, ' '); }

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, CustomerCases,
    ::testing::Values(
        CustomerCase{"nine positions and eleven CC4: sum 200", "1234567-8",
                     "1234567-8" + Spaces(11) + "9", 9, 138},
        CustomerCase{"sum 225", "12345", "12345" + Spaces(15) + "3", 3, 138},
        CustomerCase{"letter is CC1 and 0; check CC6 shows a space", "1A",
                     "1A" + Spaces(18) + " ", 16, 138},
        CustomerCase{"lower case skipped, seventeen CC4", "abc", "abc" + Spaces(17) + "9", 9, 120},
        CustomerCase{"letter at the twentieth position is CC4", "1234567890123456789A",
                     "1234567890123456789A-", 10, 138},
        CustomerCase{"letter at the nineteenth position still fits", "123456789012345678Z",
                     "123456789012345678Z" + Spaces(1) + " ", 15, 138},
        CustomerCase{"only 20 positions are encoded, Symbol keeps all", "12345678901234567890123",
                     "123456789012345678901235", 5, 138},
        CustomerCase{"double-byte character skipped whole", "\x82\x41",
                     "\x82\x41" + Spaces(18) + " ", 14, 126}));

TEST(Customer, LetterAtTheTwentiethPositionIsDrawnAsCC4) {
  const EncodeResult r = EncodeCustomer({"1234567890123456789A", false, 'A', 'A'});
  // Start (6) + 19 positions: the twentieth character's six columns.
  EXPECT_EQ(r.pattern.substr(6 + 19 * 6, 6), "203060");
}

// Our columns from the first bar to the last against zint's three rows (top, middle and
// bottom third), which start at the first bar.
std::string CompareWithZint(const std::string &data) {
  const std::vector<std::string> rows = test::ZintRows(BARCODE_JAPANPOST, data);
  if (rows.size() != 3) return "zint refused";
  const std::string pattern = EncodeCustomer({data, false, 'A', 'A'}).pattern;
  const std::size_t first = pattern.find_first_not_of('0');
  const std::size_t last = pattern.find_last_not_of('0');
  if (last - first + 1 != rows[0].size())
    return "width " + std::to_string(last - first + 1) + " vs " + std::to_string(rows[0].size());
  for (std::size_t x = 0; x < rows[0].size(); ++x) {
    const int bits = pattern[first + x] - '0';
    for (int third = 0; third < 3; ++third)
      if (((bits >> (2 - third)) & 1) != (rows[third][x] == '1'))
        return "column " + std::to_string(x) + " third " + std::to_string(third);
  }
  return "same";
}

TEST(Customer, SameColumnsAsLibzint) {
  const std::vector<std::string> inputs = {
      "0",           "9",           "-",           "1234567-8",     "2630024",
      "100-0013",    "263-0023",    "1000013-3-2-1", "5300001",     "0600905-1-3-902",
      "A",           "Z",           "1A",          "K-T",           "3-2-1ABC",
      "100-0004-1-B12", "1-2-3-4-5-6-7-8-9-0", "12345678901234567890", "ABCDEFGHIJ",
      "123456789012345678Z", "12345678901234567A9", "UVWXYZ",   "0123456789-JKLM"};
  ASSERT_GE(inputs.size(), 20u);
  // zint refuses a letter that no longer fits (we draw CC4 there): not compared.
  for (const std::string &data : inputs) EXPECT_EQ(CompareWithZint(data), "same") << data;
}

TEST(CustomerDrawing, WidthFromTheOriginToTheLastBar) {
  EXPECT_EQ(CustomerPatternWidth("007030", 1), 4);
  EXPECT_EQ(CustomerPatternWidth("007030", 3), 12);
  EXPECT_EQ(CustomerPatternWidth("000000", 2), 0);
  EXPECT_EQ(CustomerPatternWidth("", 2), 0);
}

// Dark pixels of one column between two rows (bottom excluded).
int DarkRows(const QImage &image, int x, int top, int bottom) {
  int dark = 0;
  for (int y = top; y < bottom; ++y) dark += qGray(image.pixel(x, y)) < 128;
  return dark;
}

TEST(CustomerDrawing, BarShapesOnATwoColumnPitch) {
  // Scale 2, no text: bars 12 rows long; the origin is the 10-pixel left margin.
  TBarImage bar;
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetBarType(cbarCUSTOMER);
  bar.SetScale(2);
  bar.SetSymbolDisp(false);
  bar.SetBarHeight(105);
  bar.SetCode("1");
  bar.SetBarEnabled(true);
  ASSERT_TRUE(bar.BarDisped());
  EXPECT_EQ(bar.BarHeight(), 12) << "bar length 6 × Scale, whatever was set";
  EXPECT_EQ(bar.BarWidth(), 134 * 2);
  const QImage image = bar.Picture().Bitmap();
  // Start code: long bar in column 2 (x 12, 13), descender in column 4 (x 16, 17).
  EXPECT_EQ(DarkRows(image, 11, 0, 12), 0);
  EXPECT_EQ(DarkRows(image, 12, 0, 12), 12);
  EXPECT_EQ(DarkRows(image, 13, 0, 12), 12);
  EXPECT_EQ(DarkRows(image, 14, 0, 12), 0);
  EXPECT_EQ(DarkRows(image, 16, 0, 4), 0);
  EXPECT_EQ(DarkRows(image, 16, 4, 12), 8);
  // "1" is long, long, timing: columns 6, 8, 10 at x 20, 24, 28.
  EXPECT_EQ(DarkRows(image, 20, 0, 12), 12);
  EXPECT_EQ(DarkRows(image, 24, 0, 12), 12);
  EXPECT_EQ(DarkRows(image, 28, 0, 4), 0);
  EXPECT_EQ(DarkRows(image, 28, 4, 8), 4);
  EXPECT_EQ(DarkRows(image, 28, 8, 12), 0);
  EXPECT_EQ(DarkRows(image, 29, 4, 8), 4);
  EXPECT_EQ(DarkRows(image, 30, 0, 12), 0);
}

TEST(CustomerDrawing, MetafileHoldsTheSameBarsAsTheBitmap) {
  const QImage bitmap = test::RenderSymbol({cbarCUSTOMER, "100-0013", false, 'A', 3, false});
  ASSERT_FALSE(bitmap.isNull());
  TBarImage bar;
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetBarPicture(picEMF);
  bar.SetBarType(cbarCUSTOMER);
  bar.SetScale(3);
  bar.SetSymbolDisp(false);
  bar.SetCode("100-0013");
  bar.SetBarEnabled(true);
  ASSERT_TRUE(bar.BarDisped());
  ASSERT_TRUE(bar.Picture().IsMetafile());
  QImage replayed(bitmap.size(), QImage::Format_RGB32);
  replayed.fill(Qt::white);
  {
    QPainter painter(&replayed);
    bar.Picture().Metafile().Replay(painter);
  }
  EXPECT_EQ(replayed.convertToFormat(QImage::Format_RGB32), bitmap.convertToFormat(QImage::Format_RGB32));
}

TEST(CustomerDrawing, BarHeightIsBarLengthPlusTextHeight) {
  const QImage withText = test::RenderSymbol({cbarCUSTOMER, "1234567-8", false, 'A', 2, true});
  const QImage withoutText = test::RenderSymbol({cbarCUSTOMER, "1234567-8", false, 'A', 2, false});
  ASSERT_FALSE(withText.isNull());
  EXPECT_EQ(withoutText.height(), 12);
  EXPECT_GT(withText.height(), 12);
}

}  // namespace
}  // namespace plomix
