#include "cli/DrawAhead.h"

#include <sched.h>

#include <algorithm>

namespace plomix::cli {
namespace {

// Drawn files waiting for the writer: enough to keep every worker busy while the writer
// waits on the disk, few enough that large pictures do not pile up in memory.
constexpr std::size_t kMostAhead = 64;

}  // namespace

int DrawThreads() {
  cpu_set_t set;
  const int cores = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
  return std::clamp(cores, 1, 16);
}

DrawAhead::DrawAhead(const CliOptions &options, const std::vector<std::optional<Job>> &jobs, int threads)
    : FOptions(options), FJobs(jobs), FDrawn(jobs.size()) {
  for (int i = 0; i < threads; ++i) FWorkers.emplace_back([this] { Work(); });
}

DrawAhead::~DrawAhead() {
  {
    std::lock_guard lock(FMutex);
    FStop = true;
  }
  FRoom.notify_all();
  for (std::thread &worker : FWorkers) worker.join();
}

void DrawAhead::Work() {
  // Each worker owns its symbol component, made and destroyed on its own thread.
  Renderer renderer(FOptions);
  for (;;) {
    std::size_t index;
    {
      std::unique_lock lock(FMutex);
      FRoom.wait(lock, [this] { return FStop || FNext >= FJobs.size() || FNext < FTaken + kMostAhead; });
      if (FStop || FNext >= FJobs.size()) return;
      index = FNext++;
    }
    Drawn drawn = FJobs[index] ? renderer.Draw(*FJobs[index]) : Drawn();
    {
      std::lock_guard lock(FMutex);
      FDrawn[index] = std::move(drawn);
    }
    FReady.notify_all();
  }
}

Drawn DrawAhead::Take(std::size_t index) {
  std::unique_lock lock(FMutex);
  FReady.wait(lock, [&] { return FDrawn[index].has_value(); });
  Drawn drawn = std::move(*FDrawn[index]);
  FDrawn[index].reset();
  FTaken = index + 1;
  lock.unlock();
  FRoom.notify_all();
  return drawn;
}

}  // namespace plomix::cli
