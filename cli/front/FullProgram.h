#pragma once
// The full plomix-cli (the Qt part), started in the front's place for every call the
// front does not serve.

namespace plomix::cli {

// Replaces this process by the full program with the same arguments. Returns only when
// it cannot be started, after saying why on standard error; the exit status to give then.
int RunFullProgram(char *argv[]);

}  // namespace plomix::cli
