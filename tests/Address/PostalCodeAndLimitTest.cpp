// The postal code at the start of a line, the codes that get no barcode or a barcode of
// their own, and the symbol's 20 positions.
#include <gtest/gtest.h>

#include "Address/AddressText.h"
#include "Address/CustomerData.h"
#include "Address/PostalCode.h"

namespace plomix::address {
namespace {

TEST(PostalCodes, WrittenFormsAtTheStart) {
  struct Case {
    const char *text;
    const char *code;  // nullptr: none
    const char *note;
  };
  for (const Case c : {Case{"1000013 霞が関", "1000013", "seven digits"},
                       Case{"100-0013 霞が関", "1000013", "with a hyphen"},
                       Case{"〒100-0013霞が関", "1000013", "postal mark, no blank after"},
                       Case{"〒 100-0013 霞が関", "1000013", "blank after the mark"},
                       Case{"１００－００１３　霞が関", "1000013", "full width"},
                       Case{"〒１００ー００１３ 霞が関", "1000013", "long-vowel mark as the hyphen"},
                       Case{"100-001 霞が関", nullptr, "three digits after the hyphen"},
                       Case{"10000134 霞が関", nullptr, "eight digits"},
                       Case{"1000-013 霞が関", nullptr, "hyphen in the wrong place"},
                       Case{"霞が関 100-0013", nullptr, "not at the start"}}) {
    const auto found = ReadLeadingPostalCode(FoldWidth(FromUtf8(c.text)));
    if (c.code)
      EXPECT_EQ(found ? found->code : "(none)", c.code) << c.note;
    else
      EXPECT_FALSE(found) << c.note;
  }
}

TEST(PostalCodes, ProblemsAndKinds) {
  struct Case {
    const char *line;
    AddressProblem problem;
    PostalCodeKind kind;
    const char *code;
    const char *note;
  };
  for (const Case c : {
           Case{"東京都千代田区霞が関1-3-2", AddressProblem::NoPostalCode, {}, "", "no code"},
           Case{"〒100-0000 東京都千代田区霞が関1-3-2", AddressProblem::RepresentativeCode, {}, "",
                "last two digits 00 (manual: no barcode)"},
           Case{"〒150-0000 渋谷区", AddressProblem::RepresentativeCode, {}, "", "another city's"},
           Case{"〒100-8798 東京都千代田区大手町2-3-1 ビル5F", AddressProblem::None, PostalCodeKind::Individual,
                "1008798", "large office: the code alone, its address ignored"},
           Case{"〒980-8691 私書箱 12", AddressProblem::None, PostalCodeKind::PostOfficeBox, "980869112",
                "box number after a blank"},
           Case{"〒530-8691 大阪市北区 私書箱1234号", AddressProblem::None, PostalCodeKind::PostOfficeBox,
                "53086911234", "four-digit box"},
           Case{"〒263-0023 緑町3-30-8", AddressProblem::None, PostalCodeKind::Town, "26300233-30-8",
                "town code"},
       }) {
    const CustomerData data = DeriveCustomerDataFromLine(c.line, nullptr);
    EXPECT_EQ(data.problem, c.problem) << c.note;
    if (c.problem != AddressProblem::None) {
      EXPECT_FALSE(ProblemText(c.problem).empty());
      continue;
    }
    EXPECT_EQ(data.kind, c.kind) << c.note;
    EXPECT_EQ(data.code, c.code) << c.note;
  }
}

TEST(PostalCodes, SeparatePostalCodeBox) {
  // The dialog's two boxes: the code on its own, the address with or without it again.
  EXPECT_EQ(DeriveCustomerData("100-0013", "東京都千代田区霞が関1丁目3番2号", nullptr).code, "10000131-3-2");
  EXPECT_EQ(DeriveCustomerData("１００００１３", "〒100-0013 霞が関1-3-2", nullptr).code, "10000131-3-2");
  EXPECT_EQ(DeriveCustomerData("100-001", "霞が関1-3-2", nullptr).problem, AddressProblem::NoPostalCode);
}

TEST(SymbolPositions, TwentyPositionsLettersCountTwo) {
  struct Case {
    const char *data;
    const char *limited;
    const char *note;
  };
  for (const Case c : {Case{"10000131-3-2-503", "10000131-3-2-503", "sixteen: unchanged"},
                       Case{"12345678901234567890", "12345678901234567890", "exactly twenty"},
                       Case{"123456789012345678901", "12345678901234567890", "twenty-one: the last goes"},
                       Case{"064080429-1524-23-2-501", "064080429-1524-23-2-", "manual: cut after a hyphen"},
                       Case{"91000673-80-25J1-2B", "91000673-80-25J1-2B", "manual: letter at 20-21 stays"},
                       Case{"91000673-80-25J1-2BC", "91000673-80-25J1-2B", "after the letter at 20, nothing"},
                       Case{"1234567890123456789AB", "1234567890123456789A", "letter at 20, a second one dropped"},
                       Case{"123456789012345678A9", "123456789012345678A", "letter at 19-20, the digit dropped"}}) {
    EXPECT_EQ(LimitToSymbolPositions(c.data), c.limited) << c.note;
  }
}

}  // namespace
}  // namespace plomix::address
