// The data list window and the record sort with 100,000 records: opening the window,
// validation, sorting by each key, a search through every cell, OK writing back. Each
// beside a peer in the same run: the sort beside std::sort over the same collation keys,
// the search beside a plain substring scan, the validation beside building a hash set.
#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <unordered_set>
#include <vector>

#include "Common/ShiftJis.h"
#include "DataList/CheckData.h"
#include "DataList/TDataListForm.h"
#include "Records/RecordList.h"
#include "Param/TParameter.h"
#include "Sort/QuickSort.h"
#include "Sort/RecordSort.h"

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

// The grid's sort by one column, keys included (state.range(0): column 1..3).
void BM_SortGrid(benchmark::State &state) {
  const int col = static_cast<int>(state.range(0));
  plomix::TDataGridModel model;
  for (auto _ : state) {
    state.PauseTiming();
    model.Load(Records());
    state.ResumeTiming();
    model.SortRecords(col, 1);
  }
  ReportPeakMemory(state);
}
BENCHMARK(BM_SortGrid)->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The quicksort alone and std::sort alone, over the same precomputed collation keys.
std::vector<plomix::TRecordCollation::Key> CommentKeys(const plomix::TRecordCollation &collation) {
  std::vector<plomix::TRecordCollation::Key> keys;
  for (const TDataRecord &r : Records()) keys.push_back(collation.MakeKey(r.CommentUp));
  return keys;
}

void BM_QuickSortOverKeys(benchmark::State &state) {
  const plomix::TRecordCollation collation;
  const auto keys = CommentKeys(collation);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<int> order(kRecords);
    std::iota(order.begin(), order.end(), 0);
    state.ResumeTiming();
    plomix::QuickSortRecords(
        0, kRecords - 1,
        [&](int i, int j) { return collation.Compare(keys[order[i]], keys[order[j]]); },
        [&](int i, int j) { std::swap(order[i], order[j]); });
    benchmark::DoNotOptimize(order.data());
  }
}
BENCHMARK(BM_QuickSortOverKeys)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PeerStdSortOverKeys(benchmark::State &state) {
  const plomix::TRecordCollation collation;
  const auto keys = CommentKeys(collation);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<int> order(kRecords);
    std::iota(order.begin(), order.end(), 0);
    state.ResumeTiming();
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return collation.Compare(keys[a], keys[b]) < 0; });
    benchmark::DoNotOptimize(order.data());
  }
}
BENCHMARK(BM_PeerStdSortOverKeys)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

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
