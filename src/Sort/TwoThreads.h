#pragma once
// Two pieces of work at once: one on a second thread, one on the calling thread.
#include <exception>
#include <system_error>
#include <thread>

namespace plomix {

// True when a second thread can run beside this one.
inline bool HasSecondCore() { return std::thread::hardware_concurrency() > 1; }

// Runs `beside` on a second thread and `here` on this one, and returns when both are
// done. Without a thread (none could be started) both run here, `beside` first. An
// exception from either reaches the caller after both have finished.
template <class Beside, class Here>
void RunBeside(Beside &&beside, Here &&here) {
  std::exception_ptr besideFailure;
  std::thread worker;
  try {
    worker = std::thread([&] {
      try {
        beside();
      } catch (...) {
        besideFailure = std::current_exception();
      }
    });
  } catch (const std::system_error &) {
    beside();
    here();
    return;
  }
  try {
    here();
  } catch (...) {
    worker.join();
    throw;
  }
  worker.join();
  if (besideFailure) std::rethrow_exception(besideFailure);
}

}  // namespace plomix
