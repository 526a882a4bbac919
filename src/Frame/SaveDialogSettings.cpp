#include "Frame/SaveDialogSettings.h"

#include <QFileInfo>

namespace plomix {

QStringList SaveDialogFilters() {
  return {QString::fromUtf8("ビットマップ(*.bmp)"), QString::fromUtf8("EMF(Win32 エンハンスドメタファイル)(*.emf)"),
          QString::fromUtf8("WMF(Win16 形式メタファイル)(*.wmf)"), QString::fromUtf8("全てのファイル(*.*)")};
}

QString ProposedPictureName(TPictures copyMethod) {
  switch (copyMethod) {
    case picEMF: return QStringLiteral("Plomix.emf");
    case picWMF: return QStringLiteral("Plomix.wmf");
    default: return QStringLiteral("Plomix.bmp");
  }
}

QString SaveDirOf(const QString &path) { return QFileInfo(path).absolutePath(); }

}  // namespace plomix
