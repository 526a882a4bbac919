#include "cli/FileOutput.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix::cli {
namespace {

QString SystemReason(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool WriteFileBytes(const QByteArray &path, std::string_view bytes, QString &error, bool flush) {
  const qsizetype slash = path.lastIndexOf('/');
  QByteArray temp = (slash < 0 ? QByteArray() : path.left(slash + 1)) + ".plomix-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) {
    error = SystemReason(errno);
    return false;
  }
  auto fail = [&](int code) {
    error = SystemReason(code);
    close(fd);
    unlink(temp.constData());
    return false;
  };
  // A file replacing another keeps the usual mode for new files, as a plain open would.
  if (fchmod(fd, NewFileMode()) != 0) return fail(errno);
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  if (flush && fsync(fd) != 0) return fail(errno);
  if (close(fd) != 0) {
    error = SystemReason(errno);
    unlink(temp.constData());
    return false;
  }
  if (rename(temp.constData(), path.constData()) != 0) {
    error = SystemReason(errno);
    unlink(temp.constData());
    return false;
  }
  return true;
}

bool SyncFileSystemOf(const QByteArray &path, QString &error) {
  const qsizetype slash = path.lastIndexOf('/');
  const QByteArray dir = slash < 0 ? QByteArray(".") : path.left(slash == 0 ? 1 : slash);
  const int fd = open(dir.constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0 || syncfs(fd) != 0) {
    error = SystemReason(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  close(fd);
  return true;
}

}  // namespace plomix::cli
