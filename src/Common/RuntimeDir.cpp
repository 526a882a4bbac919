#include "Common/RuntimeDir.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix {
namespace {

// A directory (not a link to one) owned by this user that nobody else may enter.
bool IsPrivateDir(const QByteArray &dir) {
  struct stat info {};
  return lstat(dir.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
         (info.st_mode & 077) == 0;
}

QByteArray TempBase() {
  const QByteArray tmp = qgetenv("TMPDIR");
  return tmp.isEmpty() ? QByteArray("/tmp") : tmp;
}

QByteArray &MadeDir() {
  static QByteArray dir;
  return dir;
}

void RemoveMadeDir() { rmdir(MadeDir().constData()); }

}  // namespace

void EnsureRuntimeDir() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QByteArray dir = TempBase() + "/plomix-runtime-" + QByteArray::number(getuid());
  // Created private; one already there is adopted only when it is ours and private.
  // Nothing is changed on a folder someone else made or may enter.
  if (mkdir(dir.constData(), 0700) == 0 || IsPrivateDir(dir)) {
    qputenv("XDG_RUNTIME_DIR", dir);
    return;
  }
  QByteArray fresh = dir + "-XXXXXX";
  if (mkdtemp(fresh.data()) == nullptr) {
    std::fprintf(stderr, "plomix: %s is not a private folder of this user and no other could be made\n",
                 dir.constData());
    return;
  }
  MadeDir() = fresh;
  std::atexit(RemoveMadeDir);
  qputenv("XDG_RUNTIME_DIR", fresh);
}

}  // namespace plomix
