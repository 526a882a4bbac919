#include "cli/DrawAhead.h"

#include <sched.h>

#include <algorithm>
#include <memory>
#include <new>

#include "cli/ExitStatus.h"

namespace plomix::cli {
namespace {

// Drawn files waiting for the writer: enough to keep every worker busy while the writer
// waits on the disk, few enough that large pictures do not pile up in memory.
constexpr std::size_t kMostAhead = 64;
constexpr std::size_t kMostWaitingBytes = std::size_t{256} << 20;
// A writer that finds its line not yet drawn sleeps until this many lines are done, not
// just its own: waking it for every line would cost two system calls and two switches a
// line, about as much as writing a small file.
constexpr std::size_t kHandOver = 16;
static_assert(kHandOver <= kMostAhead, "the lines waited for must fit in the slots");

// A line that runs out of memory fails alone: a thread may not let the exception out.
Drawn DrawLine(Renderer *renderer, const DrawAhead::JobOf &jobOf, std::size_t index, bool write) {
  const Outcome noMemory{kNotDrawn, QStringLiteral("the symbol cannot be drawn: out of memory"), {}};
  try {
    const std::optional<Job> job = jobOf(index);
    if (!job) return Drawn();
    if (!renderer) return noMemory;
    Drawn drawn = renderer->Draw(*job);
    return write ? Drawn(WriteDrawn(*job, std::move(drawn))) : drawn;
  } catch (const std::bad_alloc &) {
    return noMemory;
  }
}

}  // namespace

int DrawThreads() {
  cpu_set_t set;
  const int cores = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
  return std::clamp(cores, 1, 16);
}

DrawAhead::DrawAhead(const CliOptions &options, std::size_t count, JobOf jobOf, int threads, bool write)
    : FOptions(options), FCount(count), FJobOf(std::move(jobOf)), FWrite(write), FSlots(kMostAhead) {
  for (int i = 0; i < threads; ++i) FWorkers.emplace_back([this] { Work(); });
}

DrawAhead::~DrawAhead() { Stop(); }

std::size_t DrawAhead::Stop() {
  {
    std::lock_guard lock(FMutex);
    FStop = true;
  }
  FRoom.notify_all();
  for (std::thread &worker : FWorkers)
    if (worker.joinable()) worker.join();
  return FNext;
}

// A line may be claimed when its slot is free and the waiting files are not too large;
// the line the writer waits for is always claimed, however large the others are.
bool DrawAhead::MayClaim() const {
  if (FNext >= FCount || FNext >= FTaken + FSlots.size()) return false;
  return FNext == FTaken || FWaitingBytes < kMostWaitingBytes;
}

// The writer waiting in Take may go on once its line is done and either the line it wants
// next is done too or no line is being drawn (the workers wait for room, or are through).
bool DrawAhead::WriterMayGo() const { return Ready(FAwaited) && (Ready(FWanted) || FDrawing == 0); }

void DrawAhead::Work() {
  // Each worker owns its symbol, made and destroyed on its own thread. Without one, the
  // worker still answers for the lines it takes, so that the writer never waits in vain.
  std::unique_ptr<Renderer> renderer;
  try {
    renderer = std::make_unique<Renderer>(FOptions);
  } catch (const std::bad_alloc &) {
  }
  for (;;) {
    std::size_t index;
    {
      std::unique_lock lock(FMutex);
      ++FWorkersWaiting;
      FRoom.wait(lock, [this] { return FStop || FNext >= FCount || MayClaim(); });
      --FWorkersWaiting;
      if (FStop || FNext >= FCount) return;
      index = FNext++;
      ++FDrawing;
    }
    Drawn drawn = DrawLine(renderer.get(), FJobOf, index, FWrite);
    bool wake;
    {
      std::lock_guard lock(FMutex);
      FWaitingBytes += drawn.bytes.size();
      FSlots[index % FSlots.size()] = std::move(drawn);
      --FDrawing;
      wake = FWriterWaits && WriterMayGo();  // waking it sooner would only send it back to sleep
    }
    if (wake) FReady.notify_one();
  }
}

Drawn DrawAhead::Take(std::size_t index) {
  std::unique_lock lock(FMutex);
  std::optional<Drawn> &slot = FSlots[index % FSlots.size()];
  if (!slot) {
    FAwaited = index;
    FWanted = std::min(index + kHandOver - 1, FCount - 1);
    FWriterWaits = true;
    FReady.wait(lock, [this] { return WriterMayGo(); });
    FWriterWaits = false;
  }
  Drawn drawn = std::move(*slot);
  slot.reset();
  FWaitingBytes -= drawn.bytes.size();
  FTaken = index + 1;
  const bool workerWaits = FWorkersWaiting > 0;
  lock.unlock();
  if (workerWaits) FRoom.notify_all();
  return drawn;
}

}  // namespace plomix::cli
