#include "FileSafety/AtomicWrite.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plomix {
namespace {

// Plain system calls: a write cut short by a full disk or a file-size limit must report
// the system's reason ("No space left on device", "File too large").
std::string SystemReason(int code) { return std::strerror(code); }

bool Fail(std::string *error, std::string reason) {
  if (error) *error = std::move(reason);
  return false;
}

bool Fail(std::string *error, int code) { return Fail(error, SystemReason(code)); }

bool StartsWith(const std::string &text, char c) { return !text.empty() && text.front() == c; }

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

std::string FolderOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

// The file a chain of symbolic links ends at (the path itself when it is no link). The
// end need not exist: writing through a dangling link makes its target, as open() does.
bool FollowLinks(const std::string &path, std::string &target, std::string *error) {
  target = path;
  for (int hop = 0; hop < 40; ++hop) {  // the kernel's own limit of links in a row
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::string link(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX), '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n < 0) return Fail(error, errno);
    link.resize(static_cast<std::size_t>(n));
    target = StartsWith(link, '/') ? link : FolderOf(target) + '/' + link;
  }
  return Fail(error, ELOOP);
}

// `mkdir -p`: the folder and any missing folder above it, with the mode the umask leaves
// of 0777 (mkdir applies the umask itself, so no thread ever changes it).
bool MakeFolders(std::string folder, std::string *error) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST) return true;
  int reason = errno;
  if (reason == ENOENT && folder.find('/') != std::string::npos) {
    if (!MakeFolders(FolderOf(folder), error)) return false;
    if (::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST) return true;
    reason = errno;
  }
  return Fail(error, "the folder \"" + folder + "\" cannot be made: " + SystemReason(reason));
}

// True for the errors of a folder that is missing from the path.
bool FolderMissing(int code) { return code == ENOENT || code == ENOTDIR; }

// A device (/dev/null, a terminal) is written into, never replaced by a file.
bool WriteDevice(const std::string &target, std::string_view bytes, std::string *error) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return Fail(error, errno);
  const int written = WriteAll(fd, bytes);
  const int closed = ::close(fd) == 0 ? 0 : errno;
  return written || closed ? Fail(error, written ? written : closed) : true;
}

enum class NewFileResult { Written, Failed, OtherWay };

// A new file: written unnamed and given its name once whole, so that no other program
// ever sees it partly written and nothing is left behind on failure. OtherWay when the
// file system or /proc lacks the calls or the name was taken meanwhile. The kernel gives
// it the new file's mode and owner, so nothing is changed afterwards.
NewFileResult WriteNewFile(const std::string &target, std::string_view bytes, const AtomicWriteOptions &options,
                           std::string *error) {
  const std::string folder = FolderOf(target);
  // The mode passed is reduced by the umask, as for any new file.
  int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  if (fd < 0 && FolderMissing(errno) && options.createFolders) {
    if (!MakeFolders(folder, error)) return NewFileResult::Failed;
    fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
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
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  const bool linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0;
  reason = linked ? 0 : errno;
  ::close(fd);
  if (linked) return NewFileResult::Written;
  if (reason == ENOSPC || reason == EDQUOT || reason == EACCES || reason == EROFS) {
    Fail(error, reason);
    return NewFileResult::Failed;
  }
  return NewFileResult::OtherWay;
}

// A random number for a temporary name, from the kernel's generator.
std::uint32_t RandomNumber() {
  std::uint32_t value = 0;
  while (::getrandom(&value, sizeof value, 0) != static_cast<ssize_t>(sizeof value)) {
    if (errno != EINTR) break;  // no generator at all: the counter below still varies the name
  }
  static std::uint32_t counter = 0;
  return value ^ (++counter * 0x9E3779B9u);
}

std::string Base36(std::uint32_t n) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[n % 36]);
    n /= 36;
  } while (n != 0);
  return digits;
}

// A temporary file beside `target` (hidden, named after it), created with the usual mode
// for a new file; -1 with errno on failure.
int CreateTemporary(const std::string &target, std::string &temporary) {
  const std::size_t slash = target.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  // The name is cut short so that the temporary one stays within 255 bytes.
  const std::string prefix = target.substr(0, nameStart) + '.' + target.substr(nameStart, 200) + '.';
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = prefix + Base36(RandomNumber());
    const int fd = ::open(temporary.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives the temporary file the old file's owner and mode. The calls are made only where
// the kernel's new file differs: a file rewritten by its owner with the usual mode needs
// neither.
void KeepOwnerAndMode(int fd, const struct stat &old) {
  struct stat now {};
  bool known = ::fstat(fd, &now) == 0;
  // The owner first (a change of owner clears set-id bits), then the mode. Someone else's
  // file keeps its group where this user belongs to it; otherwise the file becomes ours.
  if (!known || now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // Neither is allowed: the file becomes this user's, as any rewritten file would.
    }
    known = false;  // the owner changed: set-id bits may have gone, so set the mode anyway
  }
  if (!known || (now.st_mode & 07777) != (old.st_mode & 07777)) {
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
      // Only the owner may change the mode, and the file is ours by now.
    }
  }
}

// Any file: a temporary file beside it, given the old file's owner and mode, renamed over it.
bool ReplaceFile(const std::string &target, const struct stat *old, std::string_view bytes,
                 const AtomicWriteOptions &options, std::string *error) {
  std::string temporary;
  int fd = CreateTemporary(target, temporary);
  if (fd < 0 && FolderMissing(errno) && options.createFolders) {
    if (!MakeFolders(FolderOf(target), error)) return false;
    fd = CreateTemporary(target, temporary);
  }
  if (fd < 0) return Fail(error, errno);
  auto fail = [&](int reason) {
    ::unlink(temporary.c_str());
    return Fail(error, reason);
  };
  if (old) KeepOwnerAndMode(fd, *old);
  int reason = WriteAll(fd, bytes);
  if (!reason && options.flush && ::fsync(fd) != 0) reason = errno;
  if (::close(fd) != 0 && !reason) reason = errno;
  if (reason) return fail(reason);
  if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(errno);
  return true;
}

}  // namespace

bool WriteFileAtomicallyAt(const std::string &path, std::string_view bytes, std::string *error,
                           AtomicWriteOptions options) {
  // Most names are new (a batch filling a fresh folder): the file is linked in under the
  // name as given, which fails for any name already taken, a link included, and the
  // lookups below are not needed. Whatever stops it (a link to another folder, a full
  // disk) is met again on the way below, which gives the reason. A thread whose last file
  // was there already (a batch rewriting its old folder) looks first, so that no file is
  // written twice.
  thread_local bool lastExisted = false;
  if (!lastExisted && WriteNewFile(path, bytes, options, nullptr) == NewFileResult::Written) return true;
  std::string target;
  if (!FollowLinks(path, target, error)) return false;
  struct stat old {};
  lastExisted = ::stat(target.c_str(), &old) == 0;
  if (lastExisted) {
    if (S_ISCHR(old.st_mode)) return WriteDevice(target, bytes, error);
    if (!S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode)) return Fail(error, "通常のファイルではありません");
    return ReplaceFile(target, &old, bytes, options, error);
  }
  switch (WriteNewFile(target, bytes, options, error)) {
    case NewFileResult::Written: return true;
    case NewFileResult::Failed: return false;
    case NewFileResult::OtherWay: break;
  }
  // Made meanwhile by another program: it is replaced, keeping its mode.
  const bool exists = ::stat(target.c_str(), &old) == 0;
  return ReplaceFile(target, exists ? &old : nullptr, bytes, options, error);
}

bool SyncFileSystemAt(const std::string &path, std::string *error) {
  const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Fail(error, errno);
  const int reason = ::syncfs(fd) == 0 ? 0 : errno;
  ::close(fd);
  return reason ? Fail(error, reason) : true;
}

}  // namespace plomix
