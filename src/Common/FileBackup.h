#pragma once
// Keeping the original of a file the program could not take in whole, before the next
// save replaces it: "<name>.bak", or ".bak.2" .. ".bak.99" when older, different
// backups are there.
#include <QByteArray>
#include <QString>

namespace plomix {

inline constexpr int kMaxBackups = 99;

// When `bytes` is given (the file was read), writes a copy of them as the backup, or
// names an existing backup that already holds the same bytes. Otherwise (the file could
// not be read) moves the file itself aside. Returns the backup's file name, or empty
// with the reason in `error` (every backup name taken, the disk full, ...): the caller
// must then leave the original as it is.
QString KeepBackup(const QString &path, const QByteArray *bytes, QString *error);

}  // namespace plomix
