#pragma once
// plomix-cli's files: written under the name's own bytes, atomically (a new file is written
// unnamed and then linked in, an existing one replaced by renaming a temporary file over
// it), with the system's reason on failure.
#include <QByteArray>
#include <QString>
#include <string_view>

namespace plomix::cli {

// On failure returns false, leaves no temporary file and any earlier file whole, and
// stores the system's reason ("No space left on device", "File too large") in `error`.
// `flush` false leaves the flush to the disk for later (a batch flushes its file systems
// once at the end with SyncFileSystemOf): the rename still never shows a partial file to
// another program, and a batch reports success only after the flush.
bool WriteFileBytes(const QByteArray &path, std::string_view bytes, QString &error, bool flush = true);

// Flushes the file system holding `path`'s folder to the disk.
bool SyncFileSystemOf(const QByteArray &path, QString &error);

}  // namespace plomix::cli
