#include "Common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix {
namespace {

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

// Plain system calls rather than QSaveFile: a write cut short by a full disk or a
// file-size limit must report the system's reason ("No space left on device", "File too
// large"), where QSaveFile says "Unknown error".
bool WriteFileAtomically(const QString &path, std::string_view bytes, QString *error) {
  // A link is written through, as an editor does: the link stays, its target changes.
  QString target = path;
  const QFileInfo info(path);
  if (info.isSymLink()) target = QDir(info.absolutePath()).absoluteFilePath(info.symLinkTarget());
  const QByteArray targetName = QFile::encodeName(target);
  QByteArray temporary = targetName + ".XXXXXX";
  auto fail = [&](int reason, bool unlinkTemporary) {
    if (unlinkTemporary) ::unlink(temporary.constData());
    if (error) *error = SystemReason(reason);
    return false;
  };
  struct stat old {};
  const bool exists = ::stat(targetName.constData(), &old) == 0;
  // A device (/dev/null, a terminal) is written into, never replaced by a file.
  if (exists && S_ISCHR(old.st_mode)) {
    const int device = ::open(targetName.constData(), O_WRONLY | O_CLOEXEC);
    if (device < 0) return fail(errno, false);
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(device, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        const int reason = errno;
        ::close(device);
        return fail(reason, false);
      }
      done += static_cast<std::size_t>(n);
    }
    return ::close(device) == 0 || fail(errno, false);
  }
  if (exists && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode)) {
    if (error) *error = QStringLiteral("通常のファイルではありません");
    return false;
  }
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return fail(errno, false);
  // The new file keeps the old one's permissions, or gets those a new file would.
  mode_t mode;
  if (exists) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);
  const char *data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int reason = errno;
      ::close(fd);
      return fail(reason, true);
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  const int synced = ::fsync(fd) == 0 ? 0 : errno;
  const int closed = ::close(fd) == 0 ? 0 : errno;
  if (synced || closed) return fail(synced ? synced : closed, true);
  if (::rename(temporary.constData(), targetName.constData()) != 0) return fail(errno, true);
  return true;
}

}  // namespace plomix
