// Sorting a long list: the keys made on two threads are the keys made on one, and the
// data list's grid ends in the literal quicksort's order, undoes to the rows it had and
// redoes to the sorted rows.
#include <gtest/gtest.h>

#include <QLocale>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "Common/ShiftJis.h"
#include "DataList/DataGridModel.h"
#include "Sort/SortKeyBuilder.h"
#include "tests/Sort/LiteralSort.h"

namespace plomix {
namespace {

struct LocaleScope {
  QLocale saved;
  explicit LocaleScope(const char *name) { QLocale::setDefault(QLocale(QString::fromLatin1(name))); }
  ~LocaleScope() { QLocale::setDefault(saved); }
};

// Keys from a small alphabet, so that equal keys, keys equal but for case and empty keys
// are frequent; long shared starts put the difference past the slots' eight-byte heads.
std::vector<std::string> RandomKeys(int count, unsigned seed) {
  const auto S = [](const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); };
  const std::vector<std::string> pieces = {"a", "A", "b", "1", "-", " ", S("あ"), S("ア"), S("亜"),
                                           S("ｱ"), S("ａ"), S("Σ"), S("σ"), "\\", "a-long-shared-start-"};
  std::mt19937 random(seed);
  std::vector<std::string> keys;
  for (int i = 0; i < count; ++i) {
    std::string key;
    for (int length = static_cast<int>(random() % 5); length > 0; --length) key += pieces[random() % pieces.size()];
    keys.push_back(key);
  }
  return keys;
}

TEST(SortKeyBuilder, TwoThreadsMakeTheKeysOfOne) {
  struct Row { const char *locale; int first, count; const char *note; };
  const Row rows[] = {
      {"ja_JP", 0, 1, "one record: the first half empty"},
      {"ja_JP", 3, 2, "two records from an offset"},
      {"C", 0, 3, "case folding, an odd count"},
      {"en_US", 7, 9001, "a long run from an offset, halves of different sizes"},
      {"ja_JP", 0, 20000, "a long run in the Japanese collation"},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.note);
    const LocaleScope scope(row.locale);
    const std::vector<std::string> texts = RandomKeys(row.first + row.count, 7);
    const TKeyText key = [&texts](int i) -> std::string_view { return texts[static_cast<std::size_t>(i)]; };
    const int last = row.first + row.count - 1;
    const TSortKeyBlock one = BuildKeyBlock(row.first, last, key, 1);
    const TSortKeyBlock two = BuildKeyBlock(row.first, last, key, 2);
    ASSERT_EQ(one.Count(), static_cast<std::size_t>(row.count));
    ASSERT_EQ(two.Count(), one.Count());
    for (std::size_t i = 0; i < one.Count(); ++i) ASSERT_EQ(two.Key(i), one.Key(i)) << "record " << i;
  }
}

using Fields = std::vector<std::array<std::string, 3>>;

Fields FieldsOf(const std::vector<TDataRecord> &records) {
  Fields fields;
  for (const TDataRecord &r : records) fields.push_back({r.Code, r.CommentUp, r.CommentDown});
  return fields;
}

// Grid rows 1..n, the entry row left out.
Fields GridRecords(const TDataGridModel &grid) { return FieldsOf(grid.Records()); }

TEST(GridSort, LiteralOrderUndoAndRedo) {
  struct Row { int column, direction, count; const char *note; };
  const Row rows[] = {
      {1, 1, 300, "by the code, ascending"},
      {2, -1, 300, "by the upper comment, descending"},
      {3, 1, 300, "by the lower comment, ascending"},
      {2, 1, 9000, "long enough for keys on two threads"},
  };
  const LocaleScope scope("ja_JP");
  const TRecordCollation collation;
  for (const Row &row : rows) {
    SCOPED_TRACE(row.note);
    // Each field random; the column sorted by carries the record's other two fields along.
    const auto codes = RandomKeys(row.count, 1), ups = RandomKeys(row.count, 2), downs = RandomKeys(row.count, 3);
    std::vector<TDataRecord> original;
    for (int i = 0; i < row.count; ++i) original.push_back({codes[i], ups[i], downs[i]});
    const std::vector<std::string> &column = row.column == 1 ? codes : row.column == 2 ? ups : downs;

    std::vector<test::Record> literal;
    for (int i = 0; i < row.count; ++i) literal.push_back({column[static_cast<std::size_t>(i)], i});
    test::LiteralSort{literal, collation, row.direction}.QuickSortRecords(0, row.count - 1);
    std::vector<TDataRecord> sorted;
    for (const test::Record &r : literal) sorted.push_back(original[static_cast<std::size_t>(r.id)]);
    const Fields expected = FieldsOf(sorted), before = FieldsOf(original);

    TDataGridModel grid;
    grid.Load(original);
    grid.SetCell(grid.RowCount() - 1, 1, "entry");  // the entry row is not sorted
    grid.SortRecords(row.column, row.direction);
    ASSERT_EQ(GridRecords(grid), expected);
    EXPECT_EQ(grid.Cell(grid.RowCount() - 1, 1), "entry");
    grid.SetCell(1, 2, "typed after the sort");
    EXPECT_EQ(grid.Undo(), 1);  // the typing
    EXPECT_EQ(GridRecords(grid), expected);
    EXPECT_EQ(grid.Undo(), 1);  // the sort
    EXPECT_EQ(GridRecords(grid), before);
    EXPECT_EQ(grid.Cell(grid.RowCount() - 1, 1), "entry");
    EXPECT_EQ(grid.Redo(), 1);
    EXPECT_EQ(GridRecords(grid), expected);
  }
}

}  // namespace
}  // namespace plomix
