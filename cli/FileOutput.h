#pragma once
// plomix-cli's files: written under the name's own bytes, atomically (a temporary file
// beside it, flushed, then renamed over it), with the system's reason on failure.
#include <QByteArray>
#include <QString>
#include <string_view>

namespace plomix::cli {

// On failure returns false, leaves no temporary file and any earlier file whole, and
// stores the system's reason ("No space left on device", "File too large") in `error`.
bool WriteFileBytes(const QByteArray &path, std::string_view bytes, QString &error);

}  // namespace plomix::cli
