#include "Common/FileRead.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix {
namespace {

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

}  // namespace

FileReadResult ReadRegularFile(const QString &path, qint64 maxBytes) {
  FileReadResult result;
  const QFileInfo info(path);
  result.Exists = info.exists() || info.isSymLink();
  if (!result.Exists) return result;
  // Non-blocking, so that opening a FIFO returns at once; fstat then refuses it.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    result.Error = SystemReason(errno);
    return result;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    result.Error = SystemReason(errno);
  } else if (!S_ISREG(st.st_mode)) {
    result.Error = QStringLiteral("通常のファイルではありません");
  } else if (st.st_size > maxBytes) {
    result.Error = QStringLiteral("%1 バイトを超えています").arg(maxBytes);
  } else {
    result.Bytes.resize(static_cast<qsizetype>(st.st_size));
    qint64 done = 0;
    // A file that grows while it is read is cut at its size when it was opened.
    while (done < st.st_size) {
      const ssize_t n = ::read(fd, result.Bytes.data() + done, static_cast<size_t>(st.st_size - done));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.Error = SystemReason(errno);
        break;
      }
      if (n == 0) break;
      done += n;
    }
    if (result.Error.isEmpty()) {
      result.Bytes.truncate(static_cast<qsizetype>(done));
      result.Read = true;
    } else {
      result.Bytes.clear();
    }
  }
  ::close(fd);
  return result;
}

}  // namespace plomix
