#pragma once
// Sorting the record list by one of its fields: keys in the user's locale order without
// regard to letter case, ascending (+1) or descending (-1). The main window and the data
// list window both sort through SortRecords, each with its own records.
#include <QCollator>
#include <functional>
#include <string_view>
#include <vector>

namespace plomix {

// The comparison of two key texts (Shift-JIS bytes): an empty text comes before any
// other; the rest compare as the text they stand for, by the locale's collation with
// letter case ignored. SortRecords compares byte keys that give this same order
// (Sort/CollationKey.h); this is the comparison made from the texts themselves.
class TRecordCollation {
 public:
  TRecordCollation();
  // -1, 0 or +1.
  int CompareTexts(std::string_view a, std::string_view b) const;

 private:
  QCollator FCollator;
};

using TKeyAccessor = std::function<std::string_view(int index)>;
using TExchange = std::function<void(int first, int second)>;

// The order in which the record quicksort leaves records L..R (inclusive): order[k] is
// the record that ends at position L + k. CompareRecords(I, J) is the key comparison
// times `direction`; key(i) is the key text of record i, read once per record, possibly
// from a second thread at the same time (it must not change anything).
std::vector<int> SortedOrder(int L, int R, int direction, const TKeyAccessor &key);

// Sorts records L..R (inclusive, R > L) into SortedOrder's order: key(i) is the key text
// of record i (as for SortedOrder), exchange swaps two whole records, called on this
// thread only. Each record's key is read before the first exchange.
void SortRecords(int L, int R, int direction, const TKeyAccessor &key, const TExchange &exchange);

}  // namespace plomix
