#include "Common/AtomicFile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix {
namespace {

// Plain system calls rather than QSaveFile: a write cut short by a full disk or a
// file-size limit must report the system's reason ("No space left on device", "File too
// large"), where QSaveFile says "Unknown error".
QString SystemReason(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

bool Fail(QString *error, const QString &reason) {
  if (error) *error = reason;
  return false;
}

bool Fail(QString *error, int code) { return Fail(error, SystemReason(code)); }

// 0 when every byte is written, else the system's reason.
int WriteAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

QByteArray FolderOf(const QByteArray &path) {
  const qsizetype slash = path.lastIndexOf('/');
  return slash < 0 ? QByteArray(".") : path.left(slash == 0 ? 1 : slash);
}

// The file a chain of symbolic links ends at (the path itself when it is no link). The
// end need not exist: writing through a dangling link makes its target, as open() does.
bool FollowLinks(const QByteArray &path, QByteArray &target, QString *error) {
  target = path;
  for (int hop = 0; hop < 40; ++hop) {  // the kernel's own limit of links in a row
    struct stat info {};
    if (::lstat(target.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    QByteArray link(static_cast<qsizetype>(info.st_size > 0 ? info.st_size : PATH_MAX), '\0');
    const ssize_t n = ::readlink(target.constData(), link.data(), static_cast<std::size_t>(link.size()));
    if (n < 0) return Fail(error, errno);
    link.truncate(n);
    target = link.startsWith('/') ? link : FolderOf(target) + '/' + link;
  }
  return Fail(error, ELOOP);
}

// `mkdir -p`: the folder and any missing folder above it, with the mode the umask leaves
// of 0777 (mkdir applies the umask itself, so no thread ever changes it).
bool MakeFolders(QByteArray folder, QString *error) {
  while (folder.size() > 1 && folder.endsWith('/')) folder.chop(1);
  if (::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST) return true;
  int reason = errno;
  if (reason == ENOENT && folder.contains('/')) {
    if (!MakeFolders(FolderOf(folder), error)) return false;
    if (::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST) return true;
    reason = errno;
  }
  return Fail(error, QStringLiteral("the folder \"%1\" cannot be made: %2")
                         .arg(QFile::decodeName(folder), SystemReason(reason)));
}

// True for the errors of a folder that is missing from the path.
bool FolderMissing(int code) { return code == ENOENT || code == ENOTDIR; }

// A device (/dev/null, a terminal) is written into, never replaced by a file.
bool WriteDevice(const QByteArray &target, std::string_view bytes, QString *error) {
  const int fd = ::open(target.constData(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Fail(error, errno);
  const int written = WriteAll(fd, bytes);
  const int closed = ::close(fd) == 0 ? 0 : errno;
  return written || closed ? Fail(error, written ? written : closed) : true;
}

enum class NewFileResult { Written, Failed, OtherWay };

// A new file: written unnamed and given its name once whole, so that no other program
// ever sees it partly written and nothing is left behind on failure. OtherWay when the
// file system or /proc lacks the calls or the name was taken meanwhile.
NewFileResult WriteNewFile(const QByteArray &target, std::string_view bytes, const AtomicWriteOptions &options,
                           QString *error) {
  const QByteArray folder = FolderOf(target);
  // The mode passed is reduced by the umask, as for any new file.
  int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0 && FolderMissing(errno) && options.createFolders) {
    if (!MakeFolders(folder, error)) return NewFileResult::Failed;
    fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  }
  if (fd < 0) {
    if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return NewFileResult::OtherWay;
    Fail(error, errno);
    return NewFileResult::Failed;
  }
  int reason = WriteAll(fd, bytes);
  if (!reason && options.flush && ::fsync(fd) != 0) reason = errno;
  if (reason) {
    ::close(fd);
    Fail(error, reason);
    return NewFileResult::Failed;
  }
  const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
  const bool linked = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0;
  reason = linked ? 0 : errno;
  ::close(fd);
  if (linked) return NewFileResult::Written;
  if (reason == ENOSPC || reason == EDQUOT || reason == EACCES || reason == EROFS) {
    Fail(error, reason);
    return NewFileResult::Failed;
  }
  return NewFileResult::OtherWay;
}

// A temporary file beside `target` (hidden, named after it), created with the usual mode
// for a new file; -1 with errno on failure.
int CreateTemporary(const QByteArray &target, QByteArray &temporary) {
  const qsizetype slash = target.lastIndexOf('/');
  // The name is cut short so that the temporary one stays within 255 bytes.
  const QByteArray prefix = target.left(slash + 1) + '.' + target.mid(slash + 1).left(200) + '.';
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = prefix + QByteArray::number(QRandomGenerator::global()->generate(), 36);
    const int fd = ::open(temporary.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Any file: a temporary file beside it, given the old file's owner and mode, renamed over it.
bool ReplaceFile(const QByteArray &target, const struct stat *old, std::string_view bytes,
                 const AtomicWriteOptions &options, QString *error) {
  QByteArray temporary;
  int fd = CreateTemporary(target, temporary);
  if (fd < 0 && FolderMissing(errno) && options.createFolders) {
    if (!MakeFolders(FolderOf(target), error)) return false;
    fd = CreateTemporary(target, temporary);
  }
  if (fd < 0) return Fail(error, errno);
  auto fail = [&](int reason) {
    ::unlink(temporary.constData());
    return Fail(error, reason);
  };
  if (old) {
    // The owner first (a change of owner clears set-id bits), then the mode. Someone else's
    // file keeps its group where this user belongs to it; otherwise the file becomes ours.
    if (::fchown(fd, old->st_uid, old->st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0) {
      // Neither is allowed: the file becomes this user's, as any rewritten file would.
    }
    if (::fchmod(fd, old->st_mode & 07777) != 0) {
      // Only the owner may change the mode, and the file is ours by now.
    }
  }
  int reason = WriteAll(fd, bytes);
  if (!reason && options.flush && ::fsync(fd) != 0) reason = errno;
  if (::close(fd) != 0 && !reason) reason = errno;
  if (reason) return fail(reason);
  if (::rename(temporary.constData(), target.constData()) != 0) return fail(errno);
  return true;
}

}  // namespace

bool WriteFileAtomicallyByName(const QByteArray &path, std::string_view bytes, QString *error, AtomicWriteOptions options) {
  QByteArray target;
  if (!FollowLinks(path, target, error)) return false;
  struct stat old {};
  if (::stat(target.constData(), &old) == 0) {
    if (S_ISCHR(old.st_mode)) return WriteDevice(target, bytes, error);
    if (!S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode))
      return Fail(error, QStringLiteral("通常のファイルではありません"));
    return ReplaceFile(target, &old, bytes, options, error);
  }
  switch (WriteNewFile(target, bytes, options, error)) {
    case NewFileResult::Written: return true;
    case NewFileResult::Failed: return false;
    case NewFileResult::OtherWay: break;
  }
  // Made meanwhile by another program: it is replaced, keeping its mode.
  const bool exists = ::stat(target.constData(), &old) == 0;
  return ReplaceFile(target, exists ? &old : nullptr, bytes, options, error);
}

bool WriteFileAtomically(const QString &path, std::string_view bytes, QString *error, AtomicWriteOptions options) {
  return WriteFileAtomicallyByName(QFile::encodeName(path), bytes, error, options);
}

bool SyncFileSystemOf(const QByteArray &path, QString *error) {
  const int fd = ::open(FolderOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Fail(error, errno);
  const int reason = ::syncfs(fd) == 0 ? 0 : errno;
  ::close(fd);
  return reason ? Fail(error, reason) : true;
}

}  // namespace plomix
