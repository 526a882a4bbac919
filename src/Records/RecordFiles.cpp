#include "Records/RecordFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "Common/AtomicFile.h"
#include "Common/TextLines.h"

namespace plomix {
namespace {

// One data file as read from disk.
struct DataFile {
  QString path;
  bool exists = false;
  bool readable = false;
  QString readError;
  QByteArray bytes;
  std::vector<std::string> lines;
  bool textAfterNul = false;  // something other than NUL bytes follows the first NUL
};

DataFile ReadDataFile(const QString &dir, const char *name) {
  DataFile file;
  file.path = QDir(dir).filePath(QString::fromLatin1(name));
  const QFileInfo info(file.path);
  file.exists = info.exists() || info.isSymLink();
  if (!file.exists) return file;
  QFile in(file.path);
  if (!info.isFile() || !in.open(QIODevice::ReadOnly)) {
    file.readError = info.isFile() ? in.errorString() : QStringLiteral("not a regular file");
    return file;
  }
  file.bytes = in.readAll();
  if (in.error() != QFile::NoError) {
    file.readError = in.errorString();
    file.bytes.clear();
    return file;
  }
  file.readable = true;
  const std::string_view view(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size()));
  if (const std::size_t nul = view.find('\0'); nul != std::string_view::npos)
    file.textAfterNul = view.find_first_not_of('\0', nul) != std::string_view::npos;
  file.lines = SplitTextLines(view);
  return file;
}

QString FileNameOf(const QString &path) { return QFileInfo(path).fileName(); }

// Keeps the original of `file` beside it as "<name>.bak" (or ".bak.2", ... when an
// older, different backup is there): a copy when it could be read, else the file itself
// is moved aside so that the next save does not replace what could not be read. Returns
// the backup's name, or empty with `error` set.
QString KeepOriginal(const DataFile &file, QString *error) {
  for (int n = 1; n < 100; ++n) {
    const QString backup = file.path + (n == 1 ? QStringLiteral(".bak") : QStringLiteral(".bak.%1").arg(n));
    const QFileInfo info(backup);
    if (info.exists() || info.isSymLink()) {
      QFile old(backup);
      if (file.readable && info.isFile() && old.open(QIODevice::ReadOnly) && old.readAll() == file.bytes)
        return FileNameOf(backup);
      continue;
    }
    if (file.readable) {
      const std::string_view bytes(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size()));
      if (WriteFileAtomically(backup, bytes, error)) return FileNameOf(backup);
      return {};
    }
    QFile original(file.path);
    if (original.rename(backup)) return FileNameOf(backup);
    *error = original.errorString();
    return {};
  }
  *error = QStringLiteral("too many backups");
  return {};
}

// Keeps the original and returns the notice's second sentence.
QString KeptSentence(const DataFile &file) {
  QString error;
  const QString backup = KeepOriginal(file, &error);
  if (backup.isEmpty())
    return QStringLiteral("元のファイルを残せませんでした（%1）。").arg(error);
  return QStringLiteral("元のファイルは「%1」に残してあります。").arg(backup);
}

QString UnreadableNotice(const DataFile &file) {
  return QStringLiteral("「%1」を読み込めませんでした（%2）。")
             .arg(FileNameOf(file.path), file.readError) +
         KeptSentence(file);
}

QString TextAfterNulNotice(const DataFile &file) {
  return QStringLiteral("「%1」の NUL 文字から後ろは読み込みませんでした。").arg(FileNameOf(file.path)) +
         KeptSentence(file);
}

QString LineCountNotice(const DataFile &file, std::size_t codeCount) {
  return QStringLiteral("「%1」の行数（%2）がバーコード文字列の件数（%3）と合わないため、コメントを空にしました。")
             .arg(FileNameOf(file.path))
             .arg(file.lines.size())
             .arg(codeCount) +
         KeptSentence(file);
}

// The comment list of one comment file: its lines when it matches the codes line for
// line, otherwise an empty comment per record.
std::vector<std::string> LoadComments(const QString &dir, const char *name, std::size_t codeCount,
                                      QStringList &notices) {
  DataFile file = ReadDataFile(dir, name);
  if (file.exists && !file.readable) {
    notices << UnreadableNotice(file);
  } else if (file.lines.size() != codeCount && !file.bytes.isEmpty()) {
    notices << LineCountNotice(file, codeCount);
  } else if (file.textAfterNul) {
    notices << TextAfterNulNotice(file);
  }
  if (file.lines.size() != codeCount) return std::vector<std::string>(codeCount);
  return std::move(file.lines);
}

// The bytes of one file: a line per record, each ending with CR LF. A field holds no
// line break: a CR, LF or NUL inside one (a pasted text, say) becomes a space, so that
// line i stays record i in all three files. None of these bytes occurs inside a
// Shift-JIS double-byte character.
std::string RecordFileBytes(const std::vector<std::string> &fields) {
  std::string bytes = JoinTextLines(fields);
  std::size_t pos = 0;
  for (const std::string &field : fields) {
    for (std::size_t i = field.find_first_of(std::string_view("\r\n\0", 3)); i != std::string::npos;
         i = field.find_first_of(std::string_view("\r\n\0", 3), i + 1))
      bytes[pos + i] = ' ';
    pos += field.size() + 2;
  }
  return bytes;
}

}  // namespace

RecordFileContents LoadRecordFiles(const QString &dir) {
  RecordFileContents contents;
  DataFile codes = ReadDataFile(dir, kCodeFileName);
  if (codes.exists && !codes.readable)
    contents.Notices << UnreadableNotice(codes);
  else if (codes.textAfterNul)
    contents.Notices << TextAfterNulNotice(codes);
  contents.Codes = std::move(codes.lines);
  const std::size_t count = contents.Codes.size();
  contents.CommentsUp = LoadComments(dir, kCommentUpFileName, count, contents.Notices);
  contents.CommentsDown = LoadComments(dir, kCommentDownFileName, count, contents.Notices);
  return contents;
}

bool SaveRecordFiles(const QString &dir, const std::vector<std::string> &codes,
                     const std::vector<std::string> &commentsUp,
                     const std::vector<std::string> &commentsDown, QString *error) {
  const struct {
    const char *name;
    const std::vector<std::string> &lines;
  } files[] = {{kCodeFileName, codes}, {kCommentUpFileName, commentsUp}, {kCommentDownFileName, commentsDown}};
  for (const auto &file : files) {
    const QString path = QDir(dir).filePath(QString::fromLatin1(file.name));
    QString reason;
    if (!WriteFileAtomically(path, RecordFileBytes(file.lines), &reason)) {
      if (error) *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
      return false;
    }
  }
  return true;
}

}  // namespace plomix
