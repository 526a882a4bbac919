// The data list window and the record sort with 100,000 records: opening the window,
// validation, sorting by each key, a search through every cell, OK writing back. Each
// beside a peer in the same run: the sort beside the previous sort (a collation key per
// record) and its quicksort beside std::sort over the same key block,
// the search beside a plain substring scan, the validation beside building a hash set.
#include <QApplication>
#include <QCollator>
#include <QCollatorSortKey>
#include <QElapsedTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "Common/ShiftJis.h"
#include "DataList/CheckData.h"
#include "DataList/TDataListForm.h"
#include "Records/RecordList.h"
#include "Param/TParameter.h"
#include "Sort/QuickSort.h"
#include "Sort/CollationKey.h"
#include "Sort/RecordSort.h"
#include "Sort/SortKeyBlock.h"
#include "Sort/SortKeyBuilder.h"

namespace {

using plomix::TDataRecord;
constexpr int kRecords = 100000;

// 13-digit codes; English product comments of 20-40 bytes, every tenth record Japanese.
const std::vector<TDataRecord> &Records() {
  static const std::vector<TDataRecord> records = [] {
    const char *words[] = {"Widget", "Bolt", "Steel", "Cable", "Panel", "Blue", "Large", "Pack", "Case", "Filter"};
    const char *japanese[] = {"東京都千代田区", "商品番号", "ボルト", "ケーブル", "青色", "大型",
                              "詰め合わせ", "在庫あり", "倉庫", "品質管理"};
    std::vector<TDataRecord> list;
    list.reserve(kRecords);
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int i = 0; i < kRecords; ++i) {
      char code[16];
      std::snprintf(code, sizeof code, "49%06u%05d", next() % 1000000u, i);
      TDataRecord r{code, {}, {}};
      for (std::string *comment : {&r.CommentUp, &r.CommentDown}) {
        const int count = 3 + static_cast<int>(next() % 3);
        for (int w = 0; w < count; ++w) {
          if (i % 10 == 0) *comment += plomix::UnicodeToSjis(QString::fromUtf8(japanese[next() % 10]));
          else *comment += std::string(words[next() % 10]) + " ";
        }
      }
      list.push_back(std::move(r));
    }
    return list;
  }();
  return records;
}

void Fill(plomix::TRecordList &list) {
  std::vector<std::string> codes, ups, downs;
  for (const TDataRecord &r : Records()) {
    codes.push_back(r.Code);
    ups.push_back(r.CommentUp);
    downs.push_back(r.CommentDown);
  }
  list.Replace(std::move(codes), std::move(ups), std::move(downs));
}

struct OpenList {
  plomix::TRecordList records;
  plomix::TParameter environment;
  plomix::TSortKey key = plomix::skCode;
  int direction = 1;
  std::unique_ptr<plomix::TDataListForm> form;

  OpenList() { Fill(records); }
  void Open() {
    form = std::make_unique<plomix::TDataListForm>(records, environment, key, direction, 0);
    form->show();
    QElapsedTimer waited;
    waited.start();
    while (!(form->windowHandle() && form->windowHandle()->isExposed())) {
      if (waited.elapsed() > 5000) std::abort();
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    form->repaint();  // painted, with the visible rows
  }
};

void ReportPeakMemory(benchmark::State &state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_OpenWindow(benchmark::State &state) {
  OpenList list;
  for (auto _ : state) {
    list.Open();  // created, shown and painted
    state.PauseTiming();
    list.form.reset();
    state.ResumeTiming();
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CheckData(benchmark::State &state) {
  const auto &records = Records();
  for (auto _ : state) {
    auto result = plomix::CheckData(kRecords, [&records](int row) -> std::string_view { return records[row - 1].Code; });
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_CheckData)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PeerHashSetOfCodes(benchmark::State &state) {
  const auto &records = Records();
  for (auto _ : state) {
    std::unordered_set<std::string_view> seen;
    seen.reserve(kRecords);
    for (const TDataRecord &r : records) seen.insert(r.Code);
    benchmark::DoNotOptimize(seen.size());
  }
}
BENCHMARK(BM_PeerHashSetOfCodes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// ---------------------------------------------------------------- sorting
// Each sort runs in the Japanese locale (state.range(1) == 0) and in the C locale (1),
// the two collations a user meets: ICU's and case folding.
struct SortLocale {
  QLocale saved;
  explicit SortLocale(const benchmark::State &state) {
    QLocale::setDefault(QLocale(state.range(1) == 0 ? QLocale::Japanese : QLocale::C));
  }
  ~SortLocale() { QLocale::setDefault(saved); }
};

// CPU time is the whole process's: the keys may be built on two threads. The minimum
// beside the median: on a shared machine it is the figure least disturbed by others.
void SortArgs(benchmark::internal::Benchmark *b) {
  for (int locale : {0, 1})
    for (int col : {1, 2, 3}) b->Args({col, locale});
  b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->MeasureProcessCPUTime();
  b->ComputeStatistics("min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); });
}

std::string_view Field(const TDataRecord &r, int col) {
  return col == 1 ? r.Code : col == 2 ? r.CommentUp : r.CommentDown;
}

// Reloads the grid between two timed sorts. Freeing the previous rows leaves some
// 300,000 small blocks that the allocator merges at the next large request; that work
// belongs to the reload, so it is done here, outside the timing, for both grid sorts.
void ReloadGrid(plomix::TDataGridModel &model) {
  model.Load(Records());
  std::vector<char> large(1 << 16);
  benchmark::DoNotOptimize(large.data());
}

// A grid sort by one column, keys included (state.range(0): column 1..3), each round on
// a freshly reloaded grid.
template <typename Sort>
void TimeGridSort(benchmark::State &state, const Sort &sort) {
  const SortLocale locale(state);
  const int col = static_cast<int>(state.range(0));
  plomix::TDataGridModel model;
  for (auto _ : state) {
    state.PauseTiming();
    ReloadGrid(model);
    state.ResumeTiming();
    sort(model, col);
  }
  ReportPeakMemory(state);
}

void BM_SortGrid(benchmark::State &state) {
  TimeGridSort(state, [](plomix::TDataGridModel &model, int col) { model.SortRecords(col, 1); });
}
BENCHMARK(BM_SortGrid)->Apply(SortArgs);

// The grid's sort as it was before it kept the order: the rows copied, the key block
// built on one thread, the quicksort exchanging whole records, and the rows put back as
// one splice holding copies of the rows before and after. Same keys, same order.
void PreviousGridSort(plomix::TDataGridModel &model, int col) {
  std::vector<TDataRecord> rows = model.Records();
  const int last = static_cast<int>(rows.size());
  plomix::TCollationKeyMaker maker;
  plomix::TSortKeyBlock keys;
  keys.Reserve(rows.size(), 32);
  for (const TDataRecord &r : rows) keys.Add([&](std::string &block) { maker.AppendKey(Field(r, col), block); });
  plomix::QuickSortRecords(
      1, last, [&keys](int i, int j) { return keys.Compare(i - 1, j - 1); },
      [&keys, &rows](int i, int j) {
        keys.Exchange(i - 1, j - 1);
        std::swap(rows[i - 1], rows[j - 1]);
      });
  model.ReplaceRecords(std::move(rows));
}

void BM_PeerPreviousSortGrid(benchmark::State &state) { TimeGridSort(state, PreviousGridSort); }
BENCHMARK(BM_PeerPreviousSortGrid)->Apply(SortArgs);

// The sort as it was before the keys moved into one block: a QCollatorSortKey per record
// (its bytes in a heap block of their own), the C locale comparing the texts. The same
// quicksort, so the same order.
void PreviousSortRecords(int L, int R, const plomix::TKeyAccessor &key, const plomix::TExchange &exchange) {
  struct Key {
    bool Empty = true;
    std::optional<QCollatorSortKey> Collated;
    QString Text;
  };
  QCollator collator{QLocale()};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  const bool plain = QLocale().language() == QLocale::C;
  std::vector<Key> keys;
  for (int i = L; i <= R; ++i) {
    Key k;
    const std::string_view text = key(i);
    k.Empty = text.empty();
    if (!k.Empty) {
      if (plain) k.Text = plomix::SjisToUnicode(text);
      else k.Collated = collator.sortKey(plomix::SjisToUnicode(text));
    }
    keys.push_back(std::move(k));
  }
  plomix::QuickSortRecords(
      L, R,
      [&](int i, int j) {
        const Key &a = keys[i - L];
        const Key &b = keys[j - L];
        if (a.Empty || b.Empty) return b.Empty - a.Empty;
        const int order = plain ? collator.compare(a.Text, b.Text) : a.Collated->compare(*b.Collated);
        return (order > 0) - (order < 0);
      },
      [&](int i, int j) {
        std::swap(keys[i - L], keys[j - L]);
        exchange(i, j);
      });
}

// The sort alone and the previous sort alone, over the same copy of the records.
template <class Sort>
void SortCopies(benchmark::State &state, Sort &&sort) {
  const SortLocale locale(state);
  const int col = static_cast<int>(state.range(0));
  std::vector<TDataRecord> records;
  for (auto _ : state) {
    state.PauseTiming();
    records = Records();  // the previous copy freed here, outside the timing
    state.ResumeTiming();
    sort(0, kRecords - 1, [&records, col](int i) { return Field(records[i], col); },
         [&records](int i, int j) { std::swap(records[i], records[j]); });
    benchmark::DoNotOptimize(records.data());
  }
}

void BM_SortRecords(benchmark::State &state) {
  SortCopies(state, [](int L, int R, const plomix::TKeyAccessor &key, const plomix::TExchange &exchange) {
    plomix::SortRecords(L, R, 1, key, exchange);
  });
}
BENCHMARK(BM_SortRecords)->Apply(SortArgs);

void BM_PeerPreviousSortRecords(benchmark::State &state) { SortCopies(state, PreviousSortRecords); }
BENCHMARK(BM_PeerPreviousSortRecords)->Apply(SortArgs);

// The keys alone (as the sort builds them, and on one thread), and the quicksort alone
// beside std::sort over the same key block.

plomix::TSortKeyBlock KeyBlock(int col, int threads = 0) {
  const auto &records = Records();
  return plomix::BuildKeyBlock(
      0, kRecords - 1, [&records, col](int i) { return Field(records[static_cast<std::size_t>(i)], col); }, threads);
}

void BM_KeysOnly(benchmark::State &state) {
  const SortLocale locale(state);
  for (auto _ : state) benchmark::DoNotOptimize(KeyBlock(static_cast<int>(state.range(0))).Count());
}
BENCHMARK(BM_KeysOnly)->Apply(SortArgs);

void BM_KeysOneThread(benchmark::State &state) {
  const SortLocale locale(state);
  for (auto _ : state) benchmark::DoNotOptimize(KeyBlock(static_cast<int>(state.range(0)), 1).Count());
}
BENCHMARK(BM_KeysOneThread)->Apply(SortArgs);

// The order alone: keys and quicksort, no record moved.
void BM_SortedOrder(benchmark::State &state) {
  const SortLocale locale(state);
  const int col = static_cast<int>(state.range(0));
  const auto &records = Records();
  for (auto _ : state)
    benchmark::DoNotOptimize(plomix::SortedOrder(0, kRecords - 1, 1, [&records, col](int i) {
      return Field(records[static_cast<std::size_t>(i)], col);
    }).data());
}
BENCHMARK(BM_SortedOrder)->Apply(SortArgs);

void BM_QuickSortOverKeyBlock(benchmark::State &state) {
  const SortLocale locale(state);
  const plomix::TSortKeyBlock original = KeyBlock(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    plomix::TSortKeyBlock keys = original;
    std::vector<int> order(kRecords);
    std::iota(order.begin(), order.end(), 0);
    state.ResumeTiming();
    plomix::QuickSortRecords(
        0, kRecords - 1, [&](int i, int j) { return keys.Compare(i, j); },
        [&](int i, int j) {
          keys.Exchange(i, j);
          std::swap(order[i], order[j]);
        });
    benchmark::DoNotOptimize(order.data());
  }
}
BENCHMARK(BM_QuickSortOverKeyBlock)->Apply(SortArgs);

void BM_PeerStdSortOverKeyBlock(benchmark::State &state) {
  const SortLocale locale(state);
  const plomix::TSortKeyBlock keys = KeyBlock(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<int> order(kRecords);
    std::iota(order.begin(), order.end(), 0);
    state.ResumeTiming();
    std::sort(order.begin(), order.end(), [&](int a, int b) { return keys.Compare(a, b) < 0; });
    benchmark::DoNotOptimize(order.data());
  }
}
BENCHMARK(BM_PeerStdSortOverKeyBlock)->Apply(SortArgs);

// A forward search from the first cell through every cell, finding nothing.
void BM_SearchAllCells(benchmark::State &state) {
  OpenList list;
  list.Open();
  const std::string text = "no such text";
  for (auto _ : state) {
    list.form->SetCurrent(1, 1);
    benchmark::DoNotOptimize(list.form->FindCell(text, true));
  }
}
BENCHMARK(BM_SearchAllCells)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PeerSubstringScan(benchmark::State &state) {
  const auto &records = Records();
  const std::string_view text = "no such text";
  for (auto _ : state) {
    bool found = false;
    for (const TDataRecord &r : records)
      for (const std::string *cell : {&r.Code, &r.CommentUp, &r.CommentDown})
        found |= std::string_view(*cell).find(text) != std::string_view::npos;
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_PeerSubstringScan)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// OK: validation, the record list replaced, settings written, window closed.
void BM_OkWriteBack(benchmark::State &state) {
  OpenList list;
  for (auto _ : state) {
    state.PauseTiming();
    list.Open();
    state.ResumeTiming();
    list.form->Button1Click();
    state.PauseTiming();
    if (list.form->result() != QDialog::Accepted) std::abort();
    list.form.reset();
    state.ResumeTiming();
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_OkWriteBack)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
