#pragma once
// Reading the program's own files (environment, data, read-me) whole and safely: only a
// regular file is read, and only up to a size limit, so that a FIFO, a device or a link
// to one never blocks the start-up or fills the memory.
#include <QByteArray>
#include <QString>

namespace plomix {

// The environment file holds a few dozen short lines; anything bigger is not one.
inline constexpr qint64 kEnvironmentFileLimit = 64LL * 1024 * 1024;
// A data file of a million long records stays far below this.
inline constexpr qint64 kDataFileLimit = 1024LL * 1024 * 1024;

struct FileReadResult {
  bool Exists = false;  // something (a file, a folder, a link, even a broken one) is there
  bool Read = false;    // the bytes below are the whole file
  QByteArray Bytes;
  QString Error;        // why it was not read: the system's reason or a short Japanese one
};

// Reads the regular file at `path` when it holds at most `maxBytes` bytes.
FileReadResult ReadRegularFile(const QString &path, qint64 maxBytes);

}  // namespace plomix
