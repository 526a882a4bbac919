// The main window's start-up with 100,000 records until the first symbol is drawn, and
// its shutdown save, side by side with peers: the window with no records, three combo
// boxes filled one item at a time (what the item model avoids), and the data files
// written alone. Peak memory is reported as the counter peak_rss_mb.
#include <QComboBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

#include "BarImage/TBarImage.h"
#include "BenchData.h"
#include "Common/ShiftJis.h"
#include "Frame/TFrameForm.h"
#include "Records/RecordFiles.h"

namespace {

constexpr int kRecords = 100000;

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

// A program directory with the bench records and no environment file (a first run).
QString RecordDir(int count) {
  static QTemporaryDir empty, full;
  static const bool written = plomix::bench::WriteBenchRecordFiles(full.path(), kRecords);
  if (!written) std::abort();
  return count == 0 ? empty.path() : full.path();
}

void BM_FrameStartup(benchmark::State &state) {
  const QString dir = RecordDir(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto form = std::make_unique<plomix::TFrameForm>(dir);
    form->show();  // restores the records and draws the current one
    if (state.range(0) > 0 && !form->BarImage1->BarDisped()) state.SkipWithError("no symbol drawn");
    state.PauseTiming();
    form.reset();
    state.ResumeTiming();
  }
  state.counters["peak_rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_FrameStartup)->Arg(kRecords)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_FrameShutdownSave(benchmark::State &state) {
  QTemporaryDir dir;
  plomix::bench::WriteBenchRecordFiles(dir.path(), kRecords);
  plomix::TFrameForm form(dir.path());
  form.show();
  for (auto _ : state) {
    if (!form.FormCloseQuery()) state.SkipWithError("save failed");
  }
  state.counters["peak_rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_FrameShutdownSave)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PeerSaveRecordFilesAlone(benchmark::State &state) {
  QTemporaryDir dir;
  const plomix::RecordFileContents files = plomix::LoadRecordFiles(RecordDir(kRecords));
  for (auto _ : state) {
    if (!plomix::SaveRecordFiles(dir.path(), files.Codes, files.CommentsUp, files.CommentsDown))
      state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_PeerSaveRecordFilesAlone)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PeerComboBoxesItemByItem(benchmark::State &state) {
  const plomix::RecordFileContents files = plomix::LoadRecordFiles(RecordDir(kRecords));
  for (auto _ : state) {
    QComboBox boxes[3];
    const std::vector<std::string> *lists[3] = {&files.Codes, &files.CommentsUp, &files.CommentsDown};
    for (int i = 0; i < 3; ++i)
      for (const std::string &line : *lists[i]) boxes[i].addItem(plomix::SjisToUnicode(line));
    benchmark::DoNotOptimize(boxes[0].count());
  }
}
BENCHMARK(BM_PeerComboBoxesItemByItem)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
