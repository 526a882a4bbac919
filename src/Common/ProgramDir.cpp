#include "Common/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace plomix {
namespace {

// Asks the file system itself: permission bits say nothing for root or read-only mounts.
bool CanCreateFilesIn(const QString &dir) {
  if (dir.isEmpty() || !QFileInfo(dir).isDir()) return false;
  QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".plomix-probe-XXXXXX")));
  return probe.open();
}

// P/share/plomix for a program installed as P/bin/plomix.
QString InstalledShareDir(const QString &programDir) {
  return QDir::cleanPath(programDir + QStringLiteral("/../share/plomix"));
}

}  // namespace

bool IsInstalledProgramDir(const QString &programDir) {
  if (programDir.isEmpty()) return false;
  const QFileInfo dir(programDir);
  return dir.fileName() == QLatin1String("bin") &&
         QFileInfo(QDir::cleanPath(programDir + QStringLiteral("/../share"))).isDir();
}

QString ProgramDirectory() {
  if (!QCoreApplication::instance()) return {};
  return QCoreApplication::applicationDirPath();
}

QString DataDirectoryFor(const QString &programDir) {
  if (!IsInstalledProgramDir(programDir) && CanCreateFilesIn(programDir)) return programDir;
  const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(perUser);
  return perUser;
}

QString DataDirectory() { return DataDirectoryFor(ProgramDirectory()); }

QString ReadmePathFor(const QString &programDir) {
  const QString name = QStringLiteral("Readme.txt");
  QStringList dirs;
  if (!programDir.isEmpty()) dirs << programDir;
  if (IsInstalledProgramDir(programDir)) dirs << InstalledShareDir(programDir);
  for (const QString &dir : dirs) {
    const QString path = QDir(dir).filePath(name);
    if (QFileInfo(path).isFile()) return path;
  }
  return QStandardPaths::locate(QStandardPaths::AppDataLocation, name);
}

QString ReadmePath() { return ReadmePathFor(ProgramDirectory()); }

}  // namespace plomix
