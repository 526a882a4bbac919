#pragma once
// The record list on disk: three plain Shift-JIS text files in the data folder, one
// field per file and one record per line (line i of each file is record i).
//
//   auto files = LoadRecordFiles(DataDirectory());        // never throws
//   model->Replace(std::move(files.Codes), std::move(files.CommentsUp),
//                  std::move(files.CommentsDown));         // equal lengths, one step
//   ...
//   QString error;
//   if (!SaveRecordFiles(dir, codes, ups, downs, &error)) { /* report, stay open */ }
//
// Loading follows the start-up rules: a code file that is missing, unreadable or empty
// means no records; a comment file that is missing, unreadable or whose line count
// differs from the codes' gives an empty comment for every record. Lines end at CR, LF
// or CR LF, a NUL byte ends the text, bytes are kept unchanged (Common/TextLines.h).
//
// Nothing is lost on the way: when a file cannot be taken in whole (text after a NUL, a
// comment file set aside for its line count, a file that cannot be read), the original
// is kept as "<name>.bak" beside it before the next save can replace it, and a notice
// says so; when no backup can be made, the file is left as it is at the next save. A
// file saved as UTF-8 by an editor is read as UTF-8 and handled the same way. Saving writes every line with CR LF, each file atomically; a CR, LF or NUL
// inside a field is written as a space, so that line i stays record i in every file.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace plomix {

inline constexpr char kCodeFileName[] = "Plomix.txt";
inline constexpr char kCommentUpFileName[] = "PlomixUp.txt";
inline constexpr char kCommentDownFileName[] = "PlomixDn.txt";

struct RecordFileContents {
  std::vector<std::string> Codes;         // barcode strings
  std::vector<std::string> CommentsUp;    // same length as Codes
  std::vector<std::string> CommentsDown;  // same length as Codes
  // One Japanese sentence per file that could not be taken in whole, naming the file
  // and where its original was kept. Empty in the normal case.
  QStringList Notices;
  // Names of the files whose original could not be kept as a backup: the next save
  // must leave them as they are (see SaveRecordFiles).
  QStringList Untouchable;
};

// Reads "Plomix.txt", "PlomixUp.txt" and "PlomixDn.txt" from `dir`.
RecordFileContents LoadRecordFiles(const QString &dir);

// Writes the three lists to the three files of `dir`, in that order, each replacing its
// file atomically. Stops at the first file that cannot be written and returns false with
// the file and the system's reason in `error`; files written before it keep their new
// content, the failing one and those after it their old content. Files named in
// `untouchable` are not written; with the code file among them none is, so that the
// three files on disk still belong together.
bool SaveRecordFiles(const QString &dir, const std::vector<std::string> &codes,
                     const std::vector<std::string> &commentsUp,
                     const std::vector<std::string> &commentsDown, QString *error = nullptr,
                     const QStringList &untouchable = {});

}  // namespace plomix
