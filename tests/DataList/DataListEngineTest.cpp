// The data list's pure parts: validation, search on character boundaries, print text,
// cell input.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "DataList/CheckData.h"
#include "DataList/DataGridModel.h"
#include "DataList/GridSearch.h"
#include "DataList/ListPrintText.h"
#include "Records/RecordList.h"
#include "tests/DataList/DataListFixture.h"

namespace plomix {
namespace {

using test::S;

// The validation as the pairwise comparison is defined: the oracle.
TCheckResult CheckDataPairwise(const std::vector<std::string> &codes) {
  const int n = static_cast<int>(codes.size());
  auto code = [&codes](int row) -> const std::string & { return codes[row - 1]; };
  if (n == 0) return {0, 0};
  if (n == 1) return code(1).empty() ? TCheckResult{1, 1} : TCheckResult{0, 0};
  for (int r = n; r >= 2; --r) {
    if (code(r).empty()) return {r, r};
    for (int k = r - 1; k >= 1; --k) {
      if (code(k).empty()) return {k, k};
      if (code(k) == code(r)) return {k, r};
    }
  }
  return {0, 0};
}

TCheckResult Check(const std::vector<std::string> &codes) {
  return CheckData(static_cast<int>(codes.size()),
                   [&codes](int row) -> std::string_view { return codes[row - 1]; });
}

TEST(CheckData, Cases) {
  struct Row { std::vector<std::string> codes; TCheckResult expected; const char *note; };
  const Row rows[] = {
      {{}, {0, 0}, "no records"},
      {{""}, {1, 1}, "one empty record"},
      {{"A"}, {0, 0}, "one record"},
      {{"A", "B", "A"}, {1, 3}, "duplicate: Second 3, First 1"},
      {{"a", "A"}, {0, 0}, "letter case differs"},
      {{"A", "", "B", "A"}, {2, 2}, "an empty row nearer than the duplicate of the last"},
      {{"A", "B", "", "B", "C"}, {3, 3}, "empty found while checking the last record"},
      {{"A", "B", "A", "B", "C"}, {2, 4}, "the latest repeated row wins"},
      {{"X", "X", "Y", "X"}, {2, 4}, "nearest copy of the last"},
      {{"A", "A", ""}, {3, 3}, "last record empty"},
  };
  for (const Row &row : rows) {
    EXPECT_EQ(Check(row.codes), row.expected) << row.note;
    EXPECT_EQ(CheckDataPairwise(row.codes), row.expected) << row.note;
  }
}

TEST(CheckData, SameFirstFindingAsThePairwiseCheck) {
  std::mt19937 random(7);
  const std::vector<std::string> alphabet = {"", "A", "a", "B", S("ア"), "12", "C", "D", "E", "F"};
  for (int list = 0; list < 5000; ++list) {
    const int n = static_cast<int>(random() % 30);
    const int spread = 2 + static_cast<int>(random() % alphabet.size() - 1);
    std::vector<std::string> codes;
    for (int i = 0; i < n; ++i) {
      // Mostly distinct codes, with some empties and repeats in the mix.
      const bool plain = random() % 4 != 0;
      codes.push_back(plain ? std::to_string(random() % (3 * n + 1)) : alphabet[random() % spread]);
    }
    ASSERT_EQ(Check(codes), CheckDataPairwise(codes)) << "list " << list;
  }
}

TEST(GridSearch, MatchesStartOnCharacterBoundaries) {
  struct Row { std::string text, needle; bool found; const char *note; };
  const Row rows[] = {
      {S("ア"), "A", false, "0x83 0x41: A is the second byte"},
      {S("アA"), "A", true, "the A after it"},
      {S("表"), "\\", false, "0x95 0x5C"},
      {S("ソ表示"), S("表"), true, "a whole character"},
      {"\x83" "AA", "AA", false, "lead byte, then AA: the first A is a trail byte"},
      {"abc", "", true, "empty needle"},
      {"", "a", false, "empty text"},
      {"abcabc", "cab", true, "plain bytes"},
      {"abc\x83", "\x83", true, "lead byte as the very last byte"},
  };
  for (const Row &row : rows) EXPECT_EQ(ContainsOnCharBoundary(row.text, row.needle), row.found) << row.note;
}

TEST(GridSearch, ForwardAndBackwardWithoutWrap) {
  const std::vector<std::string> cells = {"x", "", "b", "ab", "", "", ""};
  auto cell = [&cells](int k) -> std::string_view { return cells[k]; };
  struct Row { int start; bool forward; std::string text; bool exact; int found; };
  const Row rows[] = {
      {0, true, "b", false, 2}, {2, true, "b", false, 3}, {3, true, "b", false, -1},
      {3, false, "b", false, 2}, {2, false, "b", false, -1}, {0, true, "b", true, 2},
      {2, true, "b", true, -1}, {0, true, "", true, 1}, {2, true, "", true, 4},
      {6, true, "", true, -1},  // the last cell is never passed
      {-1, true, "x", false, 0},
  };
  for (const Row &row : rows)
    EXPECT_EQ(FindCellIndex(row.start, 6, row.forward, row.text, row.exact, cell), row.found)
        << row.start << " " << row.text;
}

TEST(ListPrintText, NumberWidthAndLines) {
  struct Row { int rowCount; int width; };
  for (const Row row : {Row{2, 2}, Row{99, 2}, Row{100, 4}, Row{9999, 4}, Row{10000, 6},
                        Row{999999, 6}, Row{1000000, 8}})
    EXPECT_EQ(PrintNumberWidth(row.rowCount), row.width) << row.rowCount;
  EXPECT_EQ(PrintLinePrefix(7, 4), "   7: ");
  EXPECT_EQ(PrintLinePrefix(123456, 2), "123456: ");
  const std::vector<TDataRecord> records = {{"C1", "U1", ""}, {"C2", "", "D2"}, {}};
  EXPECT_EQ(ListPrintText(records, 2), " 1: U1\r\n 1: C1\r\n 1: \r\n 2: \r\n 2: C2\r\n 2: D2\r\n");
}

TEST(CellInput, LineBreaksAndNulBecomeSpaces) {
  EXPECT_EQ(CellTextFromInput(QString::fromUtf8("a\r\nb\0c", 6)), QStringLiteral("a  b c"));
}

}  // namespace
}  // namespace plomix
