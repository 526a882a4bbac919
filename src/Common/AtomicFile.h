#pragma once
// The atomic file writer (FileSafety/AtomicWrite.h) for callers holding Qt strings: the
// window's files and plomix-cli's Qt part. See there for what "atomic" promises.
#include <QByteArray>
#include <QString>
#include <string_view>

#include "FileSafety/AtomicWrite.h"

namespace plomix {

// Writes `bytes` to `path` atomically. On failure returns false, leaves any earlier file
// whole and no temporary file, and when `error` is given stores the system's reason in it.
bool WriteFileAtomically(const QString &path, std::string_view bytes, QString *error = nullptr,
                         AtomicWriteOptions options = {});
// The same for a name given as the file system's own bytes (plomix-cli's names).
bool WriteFileAtomicallyByName(const QByteArray &path, std::string_view bytes, QString *error = nullptr,
                               AtomicWriteOptions options = {});

// Flushes the file system holding `path`'s folder to the disk.
bool SyncFileSystemOf(const QByteArray &path, QString *error = nullptr);

}  // namespace plomix
