#include "Common/PostalFileLocation.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace plomix {

QString DefaultPostalFilePath() {
  // The folder is named after the program, not after whichever executable asks (the
  // window and plomix-cli share it).
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Plomix/");
  for (const char *name : {"KEN_ALL.CSV", "ken_all.csv"}) {
    const QString path = folder + QLatin1String(name);
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

}  // namespace plomix
