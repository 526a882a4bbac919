#include "Common/RuntimeDir.h"

#include <QByteArray>
#include <QtGlobal>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix {

void EnsureRuntimeDir() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QByteArray dir = "/tmp/plomix-runtime-" + QByteArray::number(getuid());
  mkdir(dir.constData(), 0700);
  chmod(dir.constData(), 0700);
  qputenv("XDG_RUNTIME_DIR", dir);
}

}  // namespace plomix
