#include "Sort/RecordSort.h"

#include <QLocale>

#include "Common/ShiftJis.h"
#include "Sort/CollationKey.h"
#include "Sort/QuickSort.h"
#include "Sort/SortKeyBlock.h"

namespace plomix {

TRecordCollation::TRecordCollation() : FCollator(QLocale()) { FCollator.setCaseSensitivity(Qt::CaseInsensitive); }

int TRecordCollation::CompareTexts(std::string_view a, std::string_view b) const {
  if (a.empty() || b.empty()) return b.empty() - a.empty();
  const int order = FCollator.compare(SjisToUnicode(a), SjisToUnicode(b));
  return (order > 0) - (order < 0);
}

void SortRecords(int L, int R, int direction, const TKeyAccessor &key, const TExchange &exchange) {
  if (R <= L) return;
  // The keys once per sort, in one block: keys.Key(i - L) belongs to the record at i.
  TCollationKeyMaker maker;
  TSortKeyBlock keys;
  keys.Reserve(static_cast<std::size_t>(R - L + 1), 32);
  for (int i = L; i <= R; ++i) keys.Add([&](std::string &block) { maker.AppendKey(key(i), block); });

  auto CompareRecords = [&keys, L, direction](int i, int j) {
    return keys.Compare(static_cast<std::size_t>(i - L), static_cast<std::size_t>(j - L)) * direction;
  };
  auto ExchangeRecords = [&keys, L, &exchange](int i, int j) {
    keys.Exchange(static_cast<std::size_t>(i - L), static_cast<std::size_t>(j - L));
    exchange(i, j);
  };
  QuickSortRecords(L, R, CompareRecords, ExchangeRecords);
}

}  // namespace plomix
