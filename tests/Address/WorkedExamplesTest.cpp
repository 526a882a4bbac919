// The worked examples of Japan Post's manual on extracting the barcode's characters from
// an address, with and without the postal-code file.
#include <gtest/gtest.h>

#include <optional>

#include "Address/AddressNumber.h"
#include "Address/AddressText.h"
#include "Address/CustomerData.h"
#include "Address/PostalDictionary.h"

namespace plomix::address {
namespace {

const PostalDictionary &Excerpt() {
  static const PostalDictionary dictionary = [] {
    std::string error;
    auto loaded = PostalDictionary::Load(PLOMIX_TEST_DATA "/ken_all_excerpt_sjis.csv", error);
    if (!loaded) throw std::runtime_error(error);
    return std::move(*loaded);
  }();
  return dictionary;
}

struct Example {
  const char *source;  // the manual's page
  const char *line;    // "〒code address"
  const char *code;    // the data the manual gives
};

// Every example holds with the postal-code file and without it (no town name here has
// digits, or kanji numerals before a unit word).
constexpr Example kExamples[] = {
    {"processing outline: 1-3-2-503", "〒100-0013 東京都千代田区霞が関1丁目3番2号 郵便プラザ503室",
     "10000131-3-2-503"},
    {"split A/B, town code", "〒263-0023 千葉県千葉市稲毛区緑町 3丁目30-8 郵便ビル403号", "26300233-30-8-403"},
    {"split A/B, code by 丁目 (1-7)", "〒060-0906 北海道札幌市東区北六条東 4丁目 郵便センター6号館", "06009064-6"},
    {"split A/B, code by 丁目 (8-20)", "〒065-0006 北海道札幌市東区北六条東 8丁目 郵便センター10号館",
     "06500068-10"},
    {"joined: floor 2F", "〒317-0055 茨城県日立市宮田町 6丁目7-14 ABCビル2F", "31700556-7-14-2"},
    {"20 positions, the 20th a hyphen", "〒064-0804 札幌市中央区南四条西 29丁目1524-23 第2郵便ハウス501",
     "064080429-1524-23-2-"},
    {"20 positions, a letter at 20-21", "〒910-0067 福井県福井市新田塚 3丁目80-25 J1ビル2-B",
     "91000673-80-25J1-2B"},
    {"large office's own code", "〒100-8792 日本郵便株式会社", "1008792"},
    {"post-office box 215", "〒980-8691 仙台市青葉区 私書箱215号", "9808691215"},
    {"residence-indication area", "〒154-0023 世田谷区若林 三丁目16番4号 郵政 マンション205号",
     "15400233-16-4-205"},
};

TEST(WorkedExamples, AddressToData) {
  for (const Example &e : kExamples) {
    for (const PostalDictionary *dictionary : {static_cast<const PostalDictionary *>(nullptr), &Excerpt()}) {
      const CustomerData data = DeriveCustomerDataFromLine(e.line, dictionary);
      EXPECT_TRUE(data.ok()) << e.source;
      EXPECT_EQ(data.code, e.code) << e.source << (dictionary ? " (with the file)" : " (without the file)");
    }
  }
}

// The basic rules' example, step by step in the manual, and the supplementary rule that
// takes the hyphen before the letter away.
TEST(WorkedExamples, BasicRulesExample) {
  EXPECT_EQ(ExtractAddressNumber(FromUtf8("東3丁目-20-5 郵便・A&bコーポB604号")), "3-20-5B604");
}

TEST(WorkedExamples, TownFromTheFileDecidesTheSplit) {
  const CustomerData data =
      DeriveCustomerDataFromLine("〒100-0013 東京都千代田区霞が関1丁目3番2号 郵便プラザ503室", &Excerpt());
  EXPECT_TRUE(data.townFromDictionary);
  EXPECT_EQ(data.addressB, "1丁目3番2号 郵便プラザ503室");
  EXPECT_EQ(data.addressNumber, "1-3-2-503");
  EXPECT_TRUE(data.warnings.empty());
}

}  // namespace
}  // namespace plomix::address
