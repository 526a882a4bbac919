#pragma once
// Sorting the record list by one of its fields: keys in the user's locale order without
// regard to letter case, ascending (+1) or descending (-1). The main window and the data
// list window both sort through SortRecords, each with its own records.
#include <QCollator>
#include <QCollatorSortKey>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace plomix {

// The comparison of two key texts (Shift-JIS bytes): an empty text comes before any
// other; the rest compare as the text they stand for, by the locale's collation with
// letter case ignored. Keys are computed once per record and compared many times.
class TRecordCollation {
 public:
  TRecordCollation();

  struct Key {
    bool Empty = true;
    std::optional<QCollatorSortKey> Collated;  // from the locale's collator
    QString Text;  // the C locale has no collation keys: its texts are compared
  };
  Key MakeKey(std::string_view sjis) const;
  // -1, 0 or +1.
  int Compare(const Key &a, const Key &b) const;

  // The same comparison straight from the texts, without keys.
  int CompareTexts(std::string_view a, std::string_view b) const;

 private:
  QCollator FCollator;
  bool FPlainLocale;
};

using TKeyAccessor = std::function<std::string_view(int index)>;
using TExchange = std::function<void(int first, int second)>;

// Sorts records L..R (inclusive, R > L): key(i) is the key text of record i, exchange
// swaps two whole records. CompareRecords(I, J) is the key comparison times `direction`.
void SortRecords(int L, int R, int direction, const TKeyAccessor &key, const TExchange &exchange);

}  // namespace plomix
