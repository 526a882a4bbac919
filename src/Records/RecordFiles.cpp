#include "Records/RecordFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "Common/AtomicFile.h"
#include "Common/FileBackup.h"
#include "Common/FileRead.h"
#include "Common/ShiftJis.h"
#include "Common/TextLines.h"

namespace plomix {
namespace {

// One data file as read from disk.
struct DataFile {
  QString path;
  bool exists = false;
  bool readable = false;
  QString readError;
  QByteArray bytes;  // the file as it is on disk
  std::vector<std::string> lines;
  bool textAfterNul = false;  // something other than NUL bytes follows the first NUL
  bool utf8 = false;          // read as UTF-8 and converted to Shift-JIS
};

DataFile ReadDataFile(const QString &dir, const char *name) {
  DataFile file;
  file.path = QDir(dir).filePath(QString::fromLatin1(name));
  FileReadResult read = ReadRegularFile(file.path, kDataFileLimit);
  file.exists = read.Exists;
  file.readable = read.Read;
  file.readError = read.Error;
  if (!file.readable) return file;
  file.bytes = std::move(read.Bytes);
  std::string_view view(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size()));
  if (const std::size_t nul = view.find('\0'); nul != std::string_view::npos) {
    file.textAfterNul = view.find_first_not_of('\0', nul) != std::string_view::npos;
    view = view.substr(0, nul);
  }
  if (IsUtf8RatherThanSjis(view)) {
    file.utf8 = true;
    file.lines = SplitTextLines(Utf8ToSjis(view));
  } else {
    file.lines = SplitTextLines(view);
  }
  return file;
}

QString FileNameOf(const QString &path) { return QFileInfo(path).fileName(); }

// Keeps the original beside it and returns the notice's closing sentence. When no
// backup could be made, the file joins `untouchable`: the next save leaves it as it is.
QString KeptSentence(const DataFile &file, QStringList &untouchable) {
  QString error;
  const QString backup = KeepBackup(file.path, file.readable ? &file.bytes : nullptr, &error);
  if (backup.isEmpty()) {
    untouchable << FileNameOf(file.path);
    return QStringLiteral("控えを作れなかった（%1）ため、終了するときもこのファイルは書き換えません。").arg(error);
  }
  return QStringLiteral("元のファイルは「%1」に残してあります。").arg(backup);
}

QString UnreadableNotice(const DataFile &file, QStringList &untouchable) {
  return QStringLiteral("データファイル「%1」を読み込めませんでした（%2）。")
             .arg(FileNameOf(file.path), file.readError) +
         KeptSentence(file, untouchable);
}

QString TextAfterNulNotice(const DataFile &file, QStringList &untouchable) {
  return QStringLiteral("データファイル「%1」の NUL 文字から後ろは読み込みませんでした。").arg(FileNameOf(file.path)) +
         KeptSentence(file, untouchable);
}

QString Utf8Notice(const DataFile &file, QStringList &untouchable) {
  return QStringLiteral("データファイル「%1」は UTF-8 で保存されていたため、UTF-8 として読み込みました"
                        "（Shift-JIS にない文字は「?」になります）。")
             .arg(FileNameOf(file.path)) +
         KeptSentence(file, untouchable);
}

QString LineCountNotice(const DataFile &file, std::size_t codeCount, QStringList &untouchable) {
  return QStringLiteral("データファイル「%1」の行数（%2）がバーコード文字列の件数（%3）と合わないため、コメントを空にしました。")
             .arg(FileNameOf(file.path))
             .arg(file.lines.size())
             .arg(codeCount) +
         KeptSentence(file, untouchable);
}

// The notice for a file that could not be taken in whole or as it is, if any.
QString DamageNotice(const DataFile &file, QStringList &untouchable) {
  if (file.exists && !file.readable) return UnreadableNotice(file, untouchable);
  if (file.textAfterNul) return TextAfterNulNotice(file, untouchable);
  if (file.utf8) return Utf8Notice(file, untouchable);
  return {};
}

// The comment list of one comment file: its lines when it matches the codes line for
// line, otherwise an empty comment per record.
std::vector<std::string> LoadComments(const QString &dir, const char *name, std::size_t codeCount,
                                      QStringList &notices, QStringList &untouchable) {
  DataFile file = ReadDataFile(dir, name);
  if (file.readable && file.lines.size() != codeCount && !file.bytes.isEmpty())
    notices << LineCountNotice(file, codeCount, untouchable);
  else if (const QString notice = DamageNotice(file, untouchable); !notice.isEmpty())
    notices << notice;
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
  if (const QString notice = DamageNotice(codes, contents.Untouchable); !notice.isEmpty())
    contents.Notices << notice;
  contents.Codes = std::move(codes.lines);
  const std::size_t count = contents.Codes.size();
  contents.CommentsUp = LoadComments(dir, kCommentUpFileName, count, contents.Notices, contents.Untouchable);
  contents.CommentsDown =
      LoadComments(dir, kCommentDownFileName, count, contents.Notices, contents.Untouchable);
  return contents;
}

bool SaveRecordFiles(const QString &dir, const std::vector<std::string> &codes,
                     const std::vector<std::string> &commentsUp,
                     const std::vector<std::string> &commentsDown, QString *error,
                     const QStringList &untouchable) {
  // The comment files belong to the codes line for line: with the code file left as it
  // is, writing them would tie comments to the wrong records.
  if (untouchable.contains(QString::fromLatin1(kCodeFileName))) return true;
  const struct {
    const char *name;
    const std::vector<std::string> &lines;
  } files[] = {{kCodeFileName, codes}, {kCommentUpFileName, commentsUp}, {kCommentDownFileName, commentsDown}};
  for (const auto &file : files) {
    if (untouchable.contains(QString::fromLatin1(file.name))) continue;
    const QString path = QDir(dir).filePath(QString::fromLatin1(file.name));
    QString reason;
    if (!WriteFileAtomically(path, RecordFileBytes(file.lines), &reason)) {
      if (error)
        *error = QStringLiteral("データファイル「%1」を保存出来ませんでした（%2: %3）。")
                     .arg(QString::fromLatin1(file.name), QDir::toNativeSeparators(path), reason);
      return false;
    }
  }
  return true;
}

}  // namespace plomix
