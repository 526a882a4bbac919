#include "Sort/RecordSort.h"

#include <QLocale>
#include <utility>

#include "Common/ShiftJis.h"
#include "Sort/QuickSort.h"

namespace plomix {

TRecordCollation::TRecordCollation()
    : FCollator(QLocale()), FPlainLocale(QLocale().language() == QLocale::C) {
  FCollator.setCaseSensitivity(Qt::CaseInsensitive);
}

TRecordCollation::Key TRecordCollation::MakeKey(std::string_view sjis) const {
  Key key;
  key.Empty = sjis.empty();
  if (key.Empty) return key;
  QString text = SjisToUnicode(sjis);
  // Qt's keys for the C locale would keep letter case apart: compare the texts instead.
  if (FPlainLocale) key.Text = std::move(text);
  else key.Collated = FCollator.sortKey(text);
  return key;
}

int TRecordCollation::Compare(const Key &a, const Key &b) const {
  // A text of only ignorable characters collates like the empty text; the empty text
  // itself still comes first.
  if (a.Empty || b.Empty) return b.Empty - a.Empty;
  const int order = FPlainLocale ? FCollator.compare(a.Text, b.Text) : a.Collated->compare(*b.Collated);
  return (order > 0) - (order < 0);
}

int TRecordCollation::CompareTexts(std::string_view a, std::string_view b) const {
  if (a.empty() || b.empty()) return b.empty() - a.empty();
  const int order = FCollator.compare(SjisToUnicode(a), SjisToUnicode(b));
  return (order > 0) - (order < 0);
}

void SortRecords(int L, int R, int direction, const TKeyAccessor &key, const TExchange &exchange) {
  if (R <= L) return;
  const TRecordCollation collation;
  std::vector<TRecordCollation::Key> keys;  // keys[i - L] belongs to the record at i
  keys.reserve(static_cast<std::size_t>(R - L + 1));
  for (int i = L; i <= R; ++i) keys.push_back(collation.MakeKey(key(i)));

  auto CompareRecords = [&collation, &keys, L, direction](int i, int j) {
    return collation.Compare(keys[i - L], keys[j - L]) * direction;
  };
  auto ExchangeRecords = [&keys, L, &exchange](int i, int j) {
    std::swap(keys[i - L], keys[j - L]);
    exchange(i, j);
  };
  QuickSortRecords(L, R, CompareRecords, ExchangeRecords);
}

}  // namespace plomix
