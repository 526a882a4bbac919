// Each extraction rule on its own, with cases beyond the manual's examples.
#include <gtest/gtest.h>

#include "Address/AddressNumber.h"
#include "Address/AddressText.h"
#include "Address/KanjiNumerals.h"

namespace plomix::address {
namespace {

struct RuleCase {
  const char *addressB;
  const char *number;
  const char *note;
};

void ExpectAll(std::initializer_list<RuleCase> cases) {
  for (const RuleCase &c : cases)
    EXPECT_EQ(ExtractAddressNumber(FromUtf8(c.addressB)), c.number) << c.note << ": " << c.addressB;
}

TEST(ExtractionRules, LowerCaseLettersBecomeCapitals) {
  ExpectAll({{"5-2 b棟", "5-2B", "a lone lower-case letter is kept as a capital"},
             {"12a", "12A", "after a digit"},
             {"ab棟3", "3", "two lower-case letters in a row are a word, not a letter"}});
}

TEST(ExtractionRules, SignsAreRemovedAndTheRestClosesUp) {
  ExpectAll({{"3&4", "34", "ampersand"},
             {"1/2", "12", "slash"},
             {"1・2", "12", "middle dot"},
             {"1.2", "12", "period"},
             {"A.B館7", "7", "letters joined by a period make a run of two"},
             {"A&b7", "7", "the manual's A&b: a run of two letters"}});
}

TEST(ExtractionRules, OtherCharactersBeforeAKeptOneBecomeOneHyphen) {
  ExpectAll({{"1番地2", "1-2", "kanji"},
             {"1のまち2", "1-2", "hiragana"},
             {"1ハイツ2", "1-2", "katakana"},
             {"1 2", "1-2", "blank"},
             {"1　2", "1-2", "ideographic blank"},
             {"1ABC2", "1-2", "a run of three letters"},
             {"1 八幡 2", "1-2", "kanji numerals not before a unit word are kanji"}});
}

TEST(ExtractionRules, HyphenRunsMergeAndLeadingOrTrailingOnesGo) {
  ExpectAll({{"1--2", "1-2", "two hyphens written"},
             {"1丁目-2", "1-2", "unit word then a hyphen"},
             {"-5", "5", "leading hyphen"},
             {"東5", "5", "leading kanji"},
             {"5番地", "5", "trailing unit word"},
             {"5-", "5", "trailing hyphen"},
             {"郵便ビル", "", "no number at all"}});
}

TEST(ExtractionRules, KanjiNumeralsBeforeUnitWordsBecomeDigits) {
  ExpectAll({{"三丁目", "3", "丁目"},
             {"三丁5", "3-5", "丁"},
             {"十二番地", "12", "番地"},
             {"二十番", "20", "番"},
             {"二十三号", "23", "号"},
             {"第三地割", "3", "地割"},
             {"東四線", "4", "線"},
             {"五の二", "5", "の: the 二 after it has no unit word"},
             {"七ノ3", "7-3", "ノ"},
             {"百五番地", "105", "hundreds"},
             {"一〇五番地", "105", "written digit by digit"},
             {"千二百三十四番地", "1234", "thousands"},
             {"四谷5", "5", "no unit word: a kanji"}});
}

TEST(ExtractionRules, KanjiNumberValues) {
  struct Case {
    std::u32string_view run;
    const char *digits;  // nullptr: not a number
  };
  for (const Case c : {Case{U"十", "10"}, Case{U"十一", "11"}, Case{U"九十九", "99"}, Case{U"三百", "300"},
                       Case{U"二〇", "20"}, Case{U"十十", nullptr}, Case{U"一二十", nullptr}, Case{U"", nullptr}}) {
    const auto digits = KanjiNumberDigits(c.run);
    if (c.digits)
      EXPECT_EQ(digits.value_or("(none)"), c.digits) << ToUtf8(c.run);
    else
      EXPECT_FALSE(digits) << ToUtf8(c.run);
  }
}

TEST(ExtractionRules, FloorWrittenFIsNotALetter) {
  ExpectAll({{"ビル2F", "2", "floor at the end"},
             {"3F-301", "3-301", "floor then a room"},
             {"10f", "10", "lower-case f"},
             {"F棟2", "F2", "an F that follows no digit is a letter"}});
}

TEST(ExtractionRules, HyphensNextToALetterGo) {
  ExpectAll({{"1-A-2", "1A2", "both sides"},
             {"22-1郵政団地 A棟308号室", "22-1A308", "separator before and after the letter"},
             {"B-2", "B2", "letter first"}});
}

TEST(ExtractionRules, FullWidthFormsAreTheirHalfWidthOnes) {
  ExpectAll({{"１２３－４５", "123-45", "full-width digits and hyphen"},
             {"１ー２", "1-2", "long-vowel mark after a digit"},
             {"コーポ1", "1", "long-vowel mark in a katakana word"},
             {"２－Ｂ", "2B", "full-width capital"},
             {"3ｰ4", "3-4", "half-width long-vowel mark after a digit"},
             {"5−6", "5-6", "minus sign"}});
}

}  // namespace
}  // namespace plomix::address
