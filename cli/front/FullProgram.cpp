#include "cli/front/FullProgram.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "cli/ExitStatus.h"

#ifndef PLOMIX_FULL_PROGRAM_NAME
#error "PLOMIX_FULL_PROGRAM_NAME: the full program's file name"
#endif
#ifndef PLOMIX_FULL_PROGRAM_FROM_BIN
#error "PLOMIX_FULL_PROGRAM_FROM_BIN: the installed full program's folder, relative to the front's"
#endif

namespace plomix::cli {
namespace {

std::string ThisProgramsFolder() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string self(path, static_cast<std::size_t>(n));
  const std::size_t slash = self.rfind('/');
  return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
}

}  // namespace

int RunFullProgram(char *argv[]) {
  // Beside the front in the build folder; installed, in the private program folder.
  const std::string folder = ThisProgramsFolder();
  const std::string candidates[] = {folder + "/" PLOMIX_FULL_PROGRAM_NAME,
                                    folder + "/" PLOMIX_FULL_PROGRAM_FROM_BIN "/" PLOMIX_FULL_PROGRAM_NAME};
  int reason = ENOENT;
  for (const std::string &path : candidates) {
    if (::access(path.c_str(), X_OK) != 0) continue;
    ::execv(path.c_str(), argv);
    reason = errno;
  }
  std::fprintf(stderr, "plomix-cli: cannot start %s: %s\n", PLOMIX_FULL_PROGRAM_NAME, std::strerror(reason));
  return kNotDrawn;
}

}  // namespace plomix::cli
