#include "Common/AtomicFile.h"

#include <QFile>

namespace plomix {
namespace {

bool Report(bool ok, const std::string &reason, QString *error) {
  if (!ok && error) *error = QString::fromStdString(reason);
  return ok;
}

}  // namespace

bool WriteFileAtomicallyByName(const QByteArray &path, std::string_view bytes, QString *error, AtomicWriteOptions options) {
  std::string reason;
  const bool ok = WriteFileAtomicallyAt(path.toStdString(), bytes, error ? &reason : nullptr, options);
  return Report(ok, reason, error);
}

bool WriteFileAtomically(const QString &path, std::string_view bytes, QString *error, AtomicWriteOptions options) {
  return WriteFileAtomicallyByName(QFile::encodeName(path), bytes, error, options);
}

bool SyncFileSystemOf(const QByteArray &path, QString *error) {
  std::string reason;
  const bool ok = SyncFileSystemAt(path.toStdString(), error ? &reason : nullptr);
  return Report(ok, reason, error);
}

}  // namespace plomix
