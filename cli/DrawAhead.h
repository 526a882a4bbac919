#pragma once
// A batch's symbols drawn on worker threads, a bounded way ahead of the thread that writes
// the files in line order. Files, messages and --info lines stay in the order of the input;
// only the drawing, encoding and decoder check run side by side.
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "cli/Render.h"

namespace plomix::cli {

class DrawAhead {
 public:
  // `jobs[i]` empty: line i is not drawn. Starts `threads` workers at once.
  DrawAhead(const CliOptions &options, const std::vector<std::optional<Job>> &jobs, int threads);
  // Stops the workers after the symbol each is drawing.
  ~DrawAhead();
  DrawAhead(const DrawAhead &) = delete;
  DrawAhead &operator=(const DrawAhead &) = delete;

  // Waits for line `index` and hands it over. Lines are taken in rising order.
  Drawn Take(std::size_t index);

 private:
  void Work();

  const CliOptions &FOptions;
  const std::vector<std::optional<Job>> &FJobs;
  std::vector<std::optional<Drawn>> FDrawn;
  std::mutex FMutex;
  std::condition_variable FReady, FRoom;
  std::size_t FNext = 0;   // the next line a worker claims
  std::size_t FTaken = 0;  // lines before this one were handed over
  bool FStop = false;
  std::vector<std::thread> FWorkers;
};

// Worker threads for a batch: one per processor this process may run on.
int DrawThreads();

}  // namespace plomix::cli
