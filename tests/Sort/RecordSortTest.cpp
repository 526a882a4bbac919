// The record sort: locale order without regard to case, empty texts first, the order of
// equal keys exactly as the Hoare partition leaves it, whole records moved together.
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "Common/ShiftJis.h"
#include "Sort/QuickSort.h"
#include "Sort/RecordSort.h"
#include "Sort/TSortForm.h"
#include "tests/Sort/LiteralSort.h"
#include "tests/support/ModalDialog.h"

namespace plomix {
namespace {

using test::LiteralSort;
using test::Record;

std::string S(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

// Sorted through SortRecords, which exchanges whole records; SortedOrder, which only
// says where each record goes, must give the same arrangement.
std::vector<Record> Sorted(std::vector<Record> records, int direction) {
  const int last = static_cast<int>(records.size()) - 1;
  const auto key = [&records](int i) -> std::string_view { return records[i].key; };
  const std::vector<int> order = SortedOrder(0, last, direction, key);
  std::vector<Record> ordered;
  for (int i : order) ordered.push_back(records[static_cast<std::size_t>(i)]);
  SortRecords(0, last, direction, key, [&records](int i, int j) { std::swap(records[i], records[j]); });
  EXPECT_EQ(ordered, records);
  return records;
}

std::vector<std::string> Keys(const std::vector<Record> &records) {
  std::vector<std::string> keys;
  for (const Record &r : records) keys.push_back(r.key);
  return keys;
}

std::vector<Record> FromKeys(const std::vector<std::string> &keys) {
  std::vector<Record> records;
  for (const std::string &key : keys) records.push_back({key, static_cast<int>(records.size())});
  return records;
}

TEST(RecordSort, CaseIgnoredEmptyFirst) {
  const auto records = FromKeys({"b", "A", "a", ""});
  const auto up = Keys(Sorted(records, 1));
  EXPECT_EQ(up[0], "");
  const std::vector<std::string> middle(up.begin() + 1, up.begin() + 3);
  EXPECT_TRUE((middle == std::vector<std::string>{"A", "a"}) || (middle == std::vector<std::string>{"a", "A"}));
  EXPECT_EQ(up[3], "b");
  const auto down = Keys(Sorted(records, -1));
  EXPECT_EQ(down.front(), "b");
  EXPECT_EQ(down.back(), "");
}

TEST(RecordSort, ShiftJisKeysCollateAsText) {
  // Byte order would put the katakana (0x83..) before the hiragana (0x82..) only by
  // accident of the code page; the collation orders Latin, then kana, then kanji.
  const auto keys = Keys(Sorted(FromKeys({S("漢字"), S("いろは"), "zeta", S("アイウ"), "Alpha"}), 1));
  EXPECT_EQ(keys[0], "Alpha");
  EXPECT_EQ(keys[1], "zeta");
  EXPECT_EQ(keys[4], S("漢字"));
}

TEST(RecordSort, SortedAndAllEqualInputs) {
  for (int n : {2, 3, 10, 257}) {
    std::vector<std::string> sorted, equal;
    for (int i = 0; i < n; ++i) {
      sorted.push_back(std::to_string(100000 + i));
      equal.push_back(i % 2 ? "same" : "SAME");
    }
    EXPECT_EQ(Keys(Sorted(FromKeys(sorted), 1)), sorted) << n;
    auto reversed = sorted;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(Keys(Sorted(FromKeys(sorted), -1)), reversed) << n;
    // Equal keys: the order is whatever the partitioning leaves, the same as the oracle's.
    for (int direction : {1, -1}) {
      auto expected = FromKeys(equal);
      TRecordCollation collation;
      LiteralSort{expected, collation, direction}.QuickSortRecords(0, n - 1);
      EXPECT_EQ(Sorted(FromKeys(equal), direction), expected) << n;
    }
  }
}

// Random lists drawn from a small alphabet so that equal keys, keys equal but for case,
// empty keys and keys of ignorable characters only are frequent.
// Sets the program's locale for one test.
struct LocaleScope {
  QLocale saved;
  explicit LocaleScope(const QLocale &locale) { QLocale::setDefault(locale); }
  ~LocaleScope() { QLocale::setDefault(saved); }
};

TEST(RecordSort, SameOrderAsTheLiteralQuicksort) {
  for (const char *name : {"ja_JP", "C", "en_US"}) {
  LocaleScope scope{QLocale(QString::fromLatin1(name))};
  SCOPED_TRACE(name);
  const std::vector<std::string> pieces = {"a",  "A",  "b",      "B",       "1",        "-",
                                           " ", "\x01", S("あ"), S("ア"),   S("亜"),     S("ｱ"),
                                           "\x83", S("ａ"), "\xFF\xFF", S("Σ"),  S("σ"),  S("Ⅰ"),
                                           S("ⅰ"), "\\", "keys-sharing-a-long-start-"};
  std::mt19937 random(12);
  const TRecordCollation collation;
  for (int list = 0; list < 200; ++list) {
    const int n = 2 + static_cast<int>(random() % (list < 150 ? 40 : 600));
    std::vector<std::string> keys;
    for (int i = 0; i < n; ++i) {
      std::string key;
      for (int length = static_cast<int>(random() % 4); length > 0; --length) key += pieces[random() % pieces.size()];
      keys.push_back(key);
    }
    const int direction = list % 2 ? -1 : 1;
    auto expected = FromKeys(keys);
    LiteralSort{expected, collation, direction}.QuickSortRecords(0, n - 1);
    ASSERT_EQ(Sorted(FromKeys(keys), direction), expected) << "list " << list;
    for (int i = 1; i < n; ++i)
      ASSERT_LE(collation.CompareTexts(expected[i - 1].key, expected[i].key) * direction, 0) << "list " << list;
  }
  }
}

TEST(RecordSort, SubrangeOnlyIsSorted) {
  auto records = FromKeys({"z", "c", "b", "a", "y"});
  SortRecords(
      1, 3, 1, [&records](int i) -> std::string_view { return records[i].key; },
      [&records](int i, int j) { std::swap(records[i], records[j]); });
  EXPECT_EQ(Keys(records), (std::vector<std::string>{"z", "a", "b", "c", "y"}));
}

// ---------------------------------------------------------------- the dialog

TEST(SortForm, ShowsAndWritesTheSettings) {
  struct Row { TSortKey key; int direction; int item1; int item2; TSortKey chosenKey; int chosenItem2; };
  const Row rows[] = {
      {skCode, 1, 0, 0, skCommentDown, 1},
      {skCommentUp, -1, 1, 1, skCode, 0},
      {skCommentDown, 1, 2, 0, skCommentUp, 1},
      {static_cast<TSortKey>(3), 0, 0, 0, skCommentDown, 0},  // anything else: items 0 (3: the enumeration's range ends there)
  };
  for (const Row &row : rows) {
    TSortKey key = row.key;
    int direction = row.direction;
    TSortForm form(key, direction);
    EXPECT_EQ(form.windowTitle(), QString::fromUtf8("ソート"));
    form.show();
    EXPECT_EQ(form.RadioGroup1ItemIndex(), row.item1);
    EXPECT_EQ(form.RadioGroup2ItemIndex(), row.item2);
    // The user picks the other settings with the mouse and presses "ソート".
    QRadioButton *keyItem = form.findChild<QRadioButton *>(QStringLiteral("RadioGroup1Item%1").arg(row.chosenKey));
    QRadioButton *directionItem = form.findChild<QRadioButton *>(QStringLiteral("RadioGroup2Item%1").arg(row.chosenItem2));
    QTest::mouseClick(keyItem, Qt::LeftButton);
    QTest::mouseClick(directionItem, Qt::LeftButton);
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(key, row.chosenKey);
    EXPECT_EQ(direction, row.chosenItem2 == 1 ? -1 : 1);
  }
}

TEST(SortForm, CancelChangesNothing) {
  TSortKey key = skCommentUp;
  int direction = -1;
  TSortForm form(key, direction);
  test::AnswerNextModal([](QWidget *modal) {
    auto *dialog = static_cast<TSortForm *>(modal);
    QTest::mouseClick(dialog->RadioGroup1Item0, Qt::LeftButton);
    QTest::mouseClick(dialog->RadioGroup2Item0, Qt::LeftButton);
    QTest::mouseClick(dialog->Button2, Qt::LeftButton);
  });
  EXPECT_EQ(form.exec(), 2);
  EXPECT_EQ(key, skCommentUp);
  EXPECT_EQ(direction, -1);
  EXPECT_EQ(form.size(), QSize(185, 167));
}

}  // namespace
}  // namespace plomix
