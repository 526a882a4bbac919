#pragma once

namespace plomix {

// Gives the process a private XDG runtime directory when the session has none (a
// script, a test, CI), so the toolkit neither warns nor falls back to a shared one:
// $TMPDIR/plomix-runtime-<uid>, made with mode 0700. When that name is taken by a
// folder that is not this user's own private one (or by a link), it is left alone and
// a fresh private folder is made instead and removed at exit.
void EnsureRuntimeDir();

}  // namespace plomix
