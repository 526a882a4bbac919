#pragma once

namespace plomix {

// Gives the process a private XDG runtime directory when the session has none (a
// script, a test, CI), so the toolkit neither warns nor falls back to a shared one.
void EnsureRuntimeDir();

}  // namespace plomix
