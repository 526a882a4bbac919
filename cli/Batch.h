#pragma once
// plomix-cli --batch: one symbol per input line, in one process.
#include "cli/CliOptions.h"

namespace plomix::cli {

// Draws and writes every line; returns the exit status (the worst of the lines).
int RunBatch(const CliOptions &options);

}  // namespace plomix::cli
