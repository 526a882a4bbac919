// The data list's conversion: the chosen rows' upper comments as addresses, the
// barcode strings replaced by their data; rows without an address left as they were.
#include "AddressForm/PostalFileChoice.h"
#include "tests/DataList/DataListFixture.h"

namespace plomix {
namespace {

using test::S;

TEST(DataListAddresses, ChosenRowsTakeTheirDataFromTheUpperComment) {
  QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
  SetChosenPostalFile(QStringLiteral(PLOMIX_TEST_DATA "/ken_all_excerpt_sjis.csv"));
  test::ListFixture f;
  f.Open({{S("a"), S("〒104-0032 東京都中央区八丁堀三丁目2番1号"), {}},
          {S("b"), S("山田太郎"), {}},
          {S("c"), S("〒100-0013 東京都千代田区霞が関1丁目3番2号"), {}},
          {S("d"), S("〒317-0055 茨城県日立市宮田町6丁目7-14"), {}}});
  f.ClickCell(1, 1);
  f.Key(Qt::Key_Down, Qt::ShiftModifier);
  f.Key(Qt::Key_Down, Qt::ShiftModifier);  // rows 1 to 3 chosen, row 4 not
  f.ExpectMessage();
  f.Key(Qt::Key_J, Qt::ControlModifier);
  // The town from the postal-code file: 八丁堀's 八 is no number.
  EXPECT_EQ(f.Codes(), (std::vector<std::string>{"10400323-2-1", "b", "10000131-3-2", "d"}));
  ASSERT_EQ(f.messages.size(), 1);
  EXPECT_TRUE(f.messages[0].contains(QString::fromUtf8("2 行を変換しました"))) << f.messages[0].toStdString();
  EXPECT_TRUE(f.messages[0].contains(QString::fromUtf8("行 2:"))) << f.messages[0].toStdString();
  SetChosenPostalFile({});
}

}  // namespace
}  // namespace plomix
