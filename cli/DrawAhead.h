#pragma once
// A batch's symbols drawn (and, when asked, written) on worker threads, a bounded way
// ahead of the thread that answers for each line in input order: messages and --info
// lines keep the order of the input.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/Render.h"

namespace plomix::cli {

class DrawAhead {
 public:
  // The job of line i, or nothing when the line is not drawn.
  using JobOf = std::function<std::optional<Job>(std::size_t)>;

  // Starts `threads` workers at once on lines 0 to count - 1. With `write`, each worker
  // also writes the file of the line it drew (see WriteDrawn).
  DrawAhead(const CliOptions &options, std::size_t count, JobOf jobOf, int threads, bool write);
  // Stops the workers after the symbol each is drawing.
  ~DrawAhead();
  DrawAhead(const DrawAhead &) = delete;
  DrawAhead &operator=(const DrawAhead &) = delete;

  // Waits for line `index` and hands it over. Every line is taken, in rising order.
  Drawn Take(std::size_t index);
  // Lets each worker finish the line it is on and stop; returns how many lines were
  // taken up, all of them now done and waiting to be taken.
  std::size_t Stop();

 private:
  void Work();
  bool MayClaim() const;
  bool Ready(std::size_t index) const { return FSlots[index % FSlots.size()].has_value(); }
  bool WriterMayGo() const;

  const CliOptions &FOptions;
  const std::size_t FCount;
  const JobOf FJobOf;
  const bool FWrite;
  std::vector<std::optional<Drawn>> FSlots;  // line i waits in slot i % size
  std::mutex FMutex;
  std::condition_variable FReady, FRoom;
  std::size_t FNext = 0;          // the next line a worker claims
  std::size_t FTaken = 0;         // lines before this one were handed over
  std::size_t FWaitingBytes = 0;  // file bytes drawn and not yet handed over
  int FWorkersWaiting = 0;        // workers waiting for room ahead
  int FDrawing = 0;               // lines claimed and not yet done
  bool FWriterWaits = false;      // the writer sleeps in Take, for FAwaited and FWanted
  std::size_t FAwaited = 0, FWanted = 0;
  bool FStop = false;
  std::vector<std::thread> FWorkers;
};

// Worker threads for a batch: one per processor this process may run on.
int DrawThreads();

}  // namespace plomix::cli
