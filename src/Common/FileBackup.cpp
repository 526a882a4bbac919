#include "Common/FileBackup.h"

#include <QFile>
#include <QFileInfo>

#include "Common/AtomicFile.h"
#include "Common/FileRead.h"

namespace plomix {

QString KeepBackup(const QString &path, const QByteArray *bytes, QString *error) {
  for (int n = 1; n <= kMaxBackups; ++n) {
    const QString backup = path + (n == 1 ? QStringLiteral(".bak") : QStringLiteral(".bak.%1").arg(n));
    const QFileInfo info(backup);
    if (info.exists() || info.isSymLink()) {
      if (bytes && info.size() == bytes->size()) {
        const FileReadResult old = ReadRegularFile(backup, bytes->size());
        if (old.Read && old.Bytes == *bytes) return info.fileName();
      }
      continue;
    }
    if (bytes) {
      const std::string_view view(bytes->constData(), static_cast<std::size_t>(bytes->size()));
      if (WriteFileAtomically(backup, view, error)) return info.fileName();
      return {};
    }
    QFile original(path);
    if (original.rename(backup)) return info.fileName();
    *error = original.errorString();
    return {};
  }
  *error = QStringLiteral("控えの名前「.bak」～「.bak.%1」がすべて使われています").arg(kMaxBackups);
  return {};
}

}  // namespace plomix
