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
  static const mode_t mode = [] {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
  }();
  return mode;
}

bool WriteAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

QByteArray FolderOf(const QByteArray &path) {
  const qsizetype slash = path.lastIndexOf('/');
  return slash < 0 ? QByteArray(".") : path.left(slash == 0 ? 1 : slash);
}

// A new file: written unnamed and given its name once whole, so that no other program
// ever sees it partly written. False when this way fails for any reason (the name is
// taken, the file system or /proc lacks the calls, a write fails): the caller then takes
// the general way, which also gives the reason of a lasting failure.
bool WriteNewFile(const QByteArray &path, std::string_view bytes, bool flush) {
  const int fd = open(FolderOf(path).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  const bool done = WriteAll(fd, bytes) && (!flush || fsync(fd) == 0) &&
                    linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0;
  close(fd);
  return done;
}

// Any file: a temporary file beside it, renamed over it.
int ReplaceFile(const QByteArray &path, std::string_view bytes, bool flush) {
  const qsizetype slash = path.lastIndexOf('/');
  QByteArray temp = (slash < 0 ? QByteArray() : path.left(slash + 1)) + ".plomix-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return errno;
  auto fail = [&](int code) {
    close(fd);
    unlink(temp.constData());
    return code;
  };
  // A file replacing another keeps the usual mode for new files, as a plain open would.
  if (fchmod(fd, NewFileMode()) != 0 || !WriteAll(fd, bytes) || (flush && fsync(fd) != 0)) return fail(errno);
  if (close(fd) != 0 || rename(temp.constData(), path.constData()) != 0) {
    const int code = errno;
    unlink(temp.constData());
    return code;
  }
  return 0;
}

}  // namespace

bool WriteFileBytes(const QByteArray &path, std::string_view bytes, QString &error, bool flush) {
  if (WriteNewFile(path, bytes, flush)) return true;
  const int code = ReplaceFile(path, bytes, flush);
  if (code != 0) error = SystemReason(code);
  return code == 0;
}

bool SyncFileSystemOf(const QByteArray &path, QString &error) {
  const int fd = open(FolderOf(path).constData(), O_RDONLY | O_DIRECTORY);
  if (fd < 0 || syncfs(fd) != 0) {
    error = SystemReason(errno);
    if (fd >= 0) close(fd);
    return false;
  }
  close(fd);
  return true;
}

}  // namespace plomix::cli
