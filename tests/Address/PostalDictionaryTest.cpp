// The postal-code file: both published encodings, notes over several lines, the split it
// decides, and its warnings.
#include <gtest/gtest.h>

#include <fstream>

#include "Address/CustomerData.h"
#include "Address/PostalDictionary.h"

namespace plomix::address {
namespace {

PostalDictionary Load(const char *name) {
  std::string error;
  auto loaded = PostalDictionary::Load(std::string(PLOMIX_TEST_DATA "/") + name, error);
  EXPECT_TRUE(loaded) << error;
  return loaded ? std::move(*loaded) : PostalDictionary();
}

TEST(PostalDictionary, ShiftJisAndUtf8GiveTheSameIndex) {
  const PostalDictionary sjis = Load("ken_all_excerpt_sjis.csv");
  const PostalDictionary utf8 = Load("ken_all_excerpt_utf8.csv");
  EXPECT_EQ(sjis.TownCount(), 15u);  // 16 lines, one town over two of them
  EXPECT_EQ(sjis.CodeCount(), utf8.CodeCount());
  for (const char *code : {"1000013", "0600906", "0580343", "1001701"}) {
    ASSERT_EQ(sjis.Find(code).size(), 1u) << code;
    ASSERT_EQ(utf8.Find(code).size(), 1u) << code;
    EXPECT_EQ(sjis.Find(code)[0].town, utf8.Find(code)[0].town) << code;
    EXPECT_EQ(sjis.Find(code)[0].city, utf8.Find(code)[0].city) << code;
  }
}

TEST(PostalDictionary, TownNamesWithoutTheirNotes) {
  const PostalDictionary d = Load("ken_all_excerpt_sjis.csv");
  struct Case {
    const char *code, *prefecture, *city, *town;
    bool representative;
  };
  for (const Case c : {Case{"1000013", "東京都", "千代田区", "霞が関", false},
                       Case{"0600906", "北海道", "札幌市東区", "北六条東", false},
                       Case{"0580343", "北海道", "幌泉郡えりも町", "東洋", false},  // note over two lines
                       Case{"1001701", "東京都", "青ヶ島村", "", false},          // the whole village
                       Case{"3060433", "茨城県", "猿島郡境町", "", false},        // number after the town
                       Case{"1000000", "東京都", "千代田区", "", true}}) {
    ASSERT_EQ(d.Find(c.code).size(), 1u) << c.code;
    const PostalTown &t = d.Find(c.code)[0];
    EXPECT_EQ(t.prefecture, c.prefecture) << c.code;
    EXPECT_EQ(t.city, c.city) << c.code;
    EXPECT_EQ(t.town, c.town) << c.code;
    EXPECT_EQ(t.representative, c.representative) << c.code;
  }
  EXPECT_TRUE(d.Find("9999999").empty());
  EXPECT_TRUE(d.Find("abc").empty());
}

TEST(PostalDictionary, DecidesTheSplitWhereTheRulesAloneCannot) {
  const PostalDictionary d = Load("ken_all_excerpt_utf8.csv");
  struct Case {
    const char *line;
    const char *withFile, *withoutFile;
    const char *note;
  };
  for (const Case c : {
           Case{"〒104-0032 東京都中央区八丁堀三丁目2番1号", "10400323-2-1", "10400328-3-2-1",
                "a kanji numeral before 丁 in the town name"},
           Case{"〒102-0075 東京都千代田区三番町5", "10200755", "10200753-5", "三番町: a numeral before 番"},
           Case{"〒104-0032 中央区 八丁堀 三丁目2-1", "10400323-2-1", "10400328-3-2-1",
                "blanks between the names"},
           Case{"〒100-0013 東京都千代田区霞ヶ関1-3-2", "10000131-3-2", "10000131-3-2", "ヶ for が"},
           Case{"〒907-1800 沖縄県八重山郡与那国町与那国129", "9071800129", "", "a town's code ending in 00"},
           Case{"〒100-1701 東京都青ヶ島村無番地", "1001701", "1001701", "the whole village, no number"},
       }) {
    const CustomerData with = DeriveCustomerDataFromLine(c.line, &d);
    EXPECT_TRUE(with.ok()) << c.note;
    EXPECT_EQ(with.code, c.withFile) << c.note;
    EXPECT_TRUE(with.warnings.empty()) << c.note;
    const CustomerData without = DeriveCustomerDataFromLine(c.line, nullptr);
    EXPECT_EQ(without.code, c.withoutFile) << c.note << " (without the file)";
  }
}

TEST(PostalDictionary, WarnsWhenCodeAndTownDisagree) {
  const PostalDictionary d = Load("ken_all_excerpt_sjis.csv");
  const CustomerData wrongTown = DeriveCustomerDataFromLine("〒100-0013 東京都中央区八丁堀3-2-1", &d);
  ASSERT_EQ(wrongTown.warnings.size(), 1u);
  EXPECT_NE(wrongTown.warnings[0].find("霞が関"), std::string::npos);
  const CustomerData unknown = DeriveCustomerDataFromLine("〒123-4567 どこか町1-2", &d);
  ASSERT_EQ(unknown.warnings.size(), 1u);
  EXPECT_NE(unknown.warnings[0].find("123-4567"), std::string::npos);
  EXPECT_EQ(unknown.code, "12345671-2");
  // The representative code of the file is refused, as is one ending in 00 it does not hold.
  EXPECT_EQ(DeriveCustomerDataFromLine("〒100-0000 東京都千代田区1-1", &d).problem,
            AddressProblem::RepresentativeCode);
}

TEST(PostalDictionary, RefusesWhatIsNotThePostalFile) {
  std::string error;
  EXPECT_FALSE(PostalDictionary::FromBytes("a,b,c\n1,2,3\n", error));
  EXPECT_NE(error.find("third column"), std::string::npos);
  EXPECT_FALSE(PostalDictionary::Load("/nonexistent/KEN_ALL.CSV", error));
  EXPECT_NE(error.find("/nonexistent/KEN_ALL.CSV"), std::string::npos);
}

}  // namespace
}  // namespace plomix::address
