#pragma once
// plomix-cli's front copied alone into a folder of its own, without the full program
// beside it: a call it does not serve itself fails there with "cannot start", so a test
// knows which of the two programs answered.
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace plomix::test {

inline QString FrontAlone() {
  static QTemporaryDir dir;
  static const QString path = [] {
    const QString copy = dir.filePath(QStringLiteral("plomix-cli"));
    QFile::copy(QStringLiteral(PLOMIX_CLI), copy);
    QFile::setPermissions(copy, QFile::permissions(QStringLiteral(PLOMIX_CLI)));
    return copy;
  }();
  return path;
}

// What the lone front says when a call needs the full program.
constexpr const char *kHandedOn = "plomix-cli: cannot start plomix-cli-qt";

}  // namespace plomix::test
