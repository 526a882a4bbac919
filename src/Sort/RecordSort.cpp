#include "Sort/RecordSort.h"

#include <QLocale>
#include <numeric>

#include "Common/ShiftJis.h"
#include "Sort/CollationKey.h"
#include "Sort/QuickSort.h"
#include "Sort/SortKeyBlock.h"
#include "Sort/SortKeyBuilder.h"
#include "Sort/TwoThreads.h"

namespace plomix {
namespace {

// Below this many records a second thread for the quicksort costs more than it saves.
constexpr int kRecordsWorthASecondThread = 8192;

}  // namespace

TRecordCollation::TRecordCollation() : FCollator(QLocale()) { FCollator.setCaseSensitivity(Qt::CaseInsensitive); }

int TRecordCollation::CompareTexts(std::string_view a, std::string_view b) const {
  if (a.empty() || b.empty()) return b.empty() - a.empty();
  const int order = FCollator.compare(SjisToUnicode(a), SjisToUnicode(b));
  return (order > 0) - (order < 0);
}

std::vector<int> SortedOrder(int L, int R, int direction, const TKeyAccessor &key) {
  std::vector<int> order;
  if (R < L) return order;
  order.resize(static_cast<std::size_t>(R - L + 1));
  std::iota(order.begin(), order.end(), L);
  if (R == L) return order;
  // The keys once per sort, in one block: keys.Key(i - L) belongs to the record now at
  // i, order[i - L] says which record that is. The quicksort moves slots, not records.
  TSortKeyBlock keys = BuildKeyBlock(L, R, key);
  auto CompareRecords = [&keys, L, direction](int i, int j) {
    return keys.Compare(static_cast<std::size_t>(i - L), static_cast<std::size_t>(j - L)) * direction;
  };
  auto ExchangeRecords = [&keys, &order, L](int i, int j) {
    keys.Exchange(static_cast<std::size_t>(i - L), static_cast<std::size_t>(j - L));
    std::swap(order[static_cast<std::size_t>(i - L)], order[static_cast<std::size_t>(j - L)]);
  };
  if (R - L + 1 < kRecordsWorthASecondThread || !HasSecondCore()) {
    QuickSortRecords(L, R, CompareRecords, ExchangeRecords);
    return order;
  }
  // After the first partition the two parts share no record: the left one on a second
  // thread, the right one here, each ending exactly as it would alone.
  const auto [I, J] = PartitionRecords(L, R, CompareRecords, ExchangeRecords);
  RunBeside([&, J = J] { if (L < J) QuickSortRecords(L, J, CompareRecords, ExchangeRecords); },
            [&, I = I] { if (I < R) QuickSortRecords(I, R, CompareRecords, ExchangeRecords); });
  return order;
}

void SortRecords(int L, int R, int direction, const TKeyAccessor &key, const TExchange &exchange) {
  if (R <= L) return;
  // The caller's records move with the quicksort's own exchanges, on this thread only:
  // those stay near each other in memory, where moving each record once to its final
  // place afterwards would jump across the whole list.
  TSortKeyBlock keys = BuildKeyBlock(L, R, key);
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
