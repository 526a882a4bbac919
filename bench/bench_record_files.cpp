// Reading and writing the three data files with 100,000 records, side by side with the
// plain standard-library way of reading and writing the same lines (the peer).
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "BenchData.h"
#include "Records/RecordFiles.h"

namespace {

constexpr int kRecords = 100000;

const QTemporaryDir &DataDir() {
  static QTemporaryDir dir;
  static const bool written = plomix::bench::WriteBenchRecordFiles(dir.path(), kRecords);
  if (!written) std::abort();
  return dir;
}

std::vector<std::string> PeerReadLines(const QString &path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

void PeerWriteLines(const QString &path, const std::vector<std::string> &lines) {
  std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
  for (const std::string &line : lines) out << line << "\r\n";
}

void BM_LoadRecordFiles(benchmark::State &state) {
  const QString dir = DataDir().path();
  for (auto _ : state) {
    plomix::RecordFileContents contents = plomix::LoadRecordFiles(dir);
    benchmark::DoNotOptimize(contents.Codes.data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_LoadRecordFiles)->Unit(benchmark::kMillisecond);

void BM_PeerGetlineRead(benchmark::State &state) {
  const QString dir = DataDir().path();
  for (auto _ : state) {
    // The three lists stay alive together, as the record list needs them.
    std::vector<std::string> codes = PeerReadLines(dir + "/Plomix.txt");
    std::vector<std::string> ups = PeerReadLines(dir + "/PlomixUp.txt");
    std::vector<std::string> downs = PeerReadLines(dir + "/PlomixDn.txt");
    benchmark::DoNotOptimize(codes.data());
    benchmark::DoNotOptimize(ups.data());
    benchmark::DoNotOptimize(downs.data());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_PeerGetlineRead)->Unit(benchmark::kMillisecond);

void BM_SaveRecordFiles(benchmark::State &state) {
  const plomix::RecordFileContents contents = plomix::LoadRecordFiles(DataDir().path());
  QTemporaryDir out;
  for (auto _ : state)
    plomix::SaveRecordFiles(out.path(), contents.Codes, contents.CommentsUp, contents.CommentsDown);
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_SaveRecordFiles)->Unit(benchmark::kMillisecond);

// The peer writes in place, without the temporary file and rename (and its fsync).
void BM_PeerOfstreamWrite(benchmark::State &state) {
  const plomix::RecordFileContents contents = plomix::LoadRecordFiles(DataDir().path());
  QTemporaryDir out;
  for (auto _ : state) {
    PeerWriteLines(out.path() + "/Plomix.txt", contents.Codes);
    PeerWriteLines(out.path() + "/PlomixUp.txt", contents.CommentsUp);
    PeerWriteLines(out.path() + "/PlomixDn.txt", contents.CommentsDown);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_PeerOfstreamWrite)->Unit(benchmark::kMillisecond);

}  // namespace
