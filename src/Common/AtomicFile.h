#pragma once
// Every file the program writes goes to a temporary file beside it and is renamed over
// it, so a crash or a full disk leaves the old file or the new one, never a torn one.
#include <QString>
#include <string_view>

namespace plomix {

// Writes `bytes` to `path` atomically. On failure returns false, leaves any earlier
// file whole and, when `error` is given, stores a readable reason in it.
bool WriteFileAtomically(const QString &path, std::string_view bytes, QString *error = nullptr);

}  // namespace plomix
