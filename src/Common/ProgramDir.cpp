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

}  // namespace

QString ProgramDirectory() {
  if (!QCoreApplication::instance()) return {};
  return QCoreApplication::applicationDirPath();
}

QString DataDirectoryFor(const QString &programDir) {
  if (CanCreateFilesIn(programDir)) return programDir;
  const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(perUser);
  return perUser;
}

QString DataDirectory() { return DataDirectoryFor(ProgramDirectory()); }

QString ReadmePath() {
  const QString name = QStringLiteral("Readme.txt");
  const QString programDir = ProgramDirectory();
  if (!programDir.isEmpty() && QFileInfo(QDir(programDir).filePath(name)).isFile())
    return QDir(programDir).filePath(name);
  return QStandardPaths::locate(QStandardPaths::AppDataLocation, name);
}

}  // namespace plomix
