// plomix-cli: a small program without Qt that draws the calls needing no font (one
// symbol of bars alone into a BMP or PNG file) with the plain layout, and hands every other
// call to the full program, which starts Qt. Loading Qt costs several times more than
// drawing a symbol; scripts drawing one symbol per call wait for it.
//
// PLOMIX_CLI_FULL=1 in the environment sends every call to the full program: the tests
// compare the two ways of drawing with it.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "FileSafety/AtomicWrite.h"
#include "cli/ExitStatus.h"
#include "cli/front/BarsOnlyCall.h"
#include "cli/front/BarsOnlyDrawing.h"
#include "cli/front/FullProgram.h"

namespace {

using namespace plomix::cli;

bool FullProgramAsked() {
  const char *value = std::getenv("PLOMIX_CLI_FULL");
  return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
}

}  // namespace

int main(int argc, char *argv[]) {
  if (FullProgramAsked()) return RunFullProgram(argv);
  std::optional<std::string> bytes;
  const auto call = ReadBarsOnlyCall(argc - 1, argv + 1);
  try {
    if (call) bytes = DrawBarsOnly(*call);
  } catch (const std::bad_alloc &) {
    bytes.reset();  // the full program reports it
  }
  if (!bytes) return RunFullProgram(argv);
  if (call->output.empty()) return kDrawn;
  // Past a file-size limit a write fails with "File too large" instead of ending the process.
  std::signal(SIGXFSZ, SIG_IGN);
  std::string error;
  // Missing folders of the name are made, as the full program makes them.
  if (!plomix::WriteFileAtomicallyAt(call->output, *bytes, &error, {.flush = true, .createFolders = true})) {
    std::fprintf(stderr, "plomix-cli: cannot write \"%s\": %s\n", call->output.c_str(), error.c_str());
    return kNotWritten;
  }
  return kDrawn;
}
