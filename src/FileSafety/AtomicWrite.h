#pragma once
// The one atomic file writer, without any toolkit type: a new file is written unnamed and
// linked in once whole, an existing one is replaced by renaming a temporary file over it,
// so a crash or a full disk leaves the old file or the new one, never a torn one. A
// symbolic link is written through (the link stays, its target changes), an existing
// file keeps its mode and owner, a new file gets the mode any program's new file gets
// (0666 less the umask). Paths are the file system's own bytes; reasons are UTF-8 text.
#include <string>
#include <string_view>

namespace plomix {

struct AtomicWriteOptions {
  // False leaves the flush to the disk for later: a batch flushes its file systems once
  // at its end with SyncFileSystemOf. The rename still never shows a partial file.
  bool flush = true;
  // Missing folders of the path are made (0777 less the umask), as `mkdir -p` would.
  bool createFolders = false;
};

// Writes `bytes` to `path` atomically. On failure returns false, leaves any earlier file
// whole and no temporary file, and when `error` is given stores the system's reason in it
// ("No space left on device", "File too large"; a folder that cannot be made is named).
bool WriteFileAtomicallyAt(const std::string &path, std::string_view bytes, std::string *error = nullptr,
                           AtomicWriteOptions options = {});

// Flushes the file system holding `path`'s folder to the disk.
bool SyncFileSystemAt(const std::string &path, std::string *error = nullptr);

}  // namespace plomix
