#pragma once
// One symbol from the command line's settings: encoded, drawn within the picture limits,
// described for --info and written to its file.
#include <QByteArray>
#include <QString>
#include <memory>
#include <string>

#include "cli/CliOptions.h"

namespace plomix {
class TBarSymbol;
}

namespace plomix::cli {

struct Job {
  QString code, up, down;
  QByteArray output;  // the file name's bytes; empty: no file
  qsizetype line = 0;  // the input line in batch mode, else 0
  const char *encoding = "UTF-8";  // where the text came from, for messages
  bool flush = true;               // each file flushed to the disk (a batch flushes once at the end)
};

struct Outcome {
  int status = 0;
  // Why it failed, without the program name; for a line drawn, a warning or empty
  // (an address whose postal code and town disagree).
  QString message;
  QByteArray info;  // the --info object, when asked for and drawn or refused
};

// A symbol drawn and checked, its file's bytes not yet written.
struct Drawn {
  Drawn() = default;
  Drawn(Outcome done) : outcome(std::move(done)) {}  // NOLINT: a line that ends before its file
  Outcome outcome;
  std::string bytes;         // the file, when the job names one and the symbol was drawn
  QByteArray unwrittenInfo;  // the --info object to give if the file cannot be written
};

// Writes a drawn symbol's file (when it has one) and gives the line's outcome.
Outcome WriteDrawn(const Job &job, Drawn &&drawn);

// Owns one symbol component; one renderer per thread.
class Renderer {
 public:
  explicit Renderer(const CliOptions &options);
  ~Renderer();
  // Draws, checks and writes.
  Outcome Render(const Job &job);
  // Draws and checks; the file is written by WriteDrawn.
  Drawn Draw(const Job &job);

 private:
  Drawn DrawCode(const Job &job);  // Draw after an address became its data

  const CliOptions &FOptions;
  std::unique_ptr<TBarSymbol> FBar;
};

}  // namespace plomix::cli
