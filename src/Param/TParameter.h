#pragma once
// TParameter: the environment file, a list of "name=value" lines kept in file order.
//
//   TParameter p;
//   p.Open();                         // ExeName := the program; loads <program>.ini if any
//   if (p.Count() == 0) { /* first run: use defaults */ }
//   int left = p.ReadInteger("Left"); // throws EValueName / EConvertError (ParamErrors.h)
//   p.WriteBool("文字列表示", true);   // changes the first matching line or appends one
//   p.Save();                         // writes every line + CR LF, atomically; EFileError
//
// Lines and values are Shift-JIS bytes, stored unchanged. A name matches the text before
// a line's first "=" without regard to letter case (ASCII and full-width Latin letters;
// a double-byte character is compared whole, so its second byte is never folded).
// Lines without "=" (comments) count, stay in place, are saved and never match.
// An empty value is stored as the empty marker 0x1A so that its line stays in the file.
//
// Paths (Dir, FileName, ExeName, FullName) are file-system names (UTF-8 bytes) with "/"
// as the separator. Open keeps the file beside the program, or in the per-user data
// folder when the program's folder cannot be written (Common/ProgramDir.h).
//
// Reads and writes change the lines in memory only; nothing reaches the disk before Save.
#include <string>
#include <string_view>
#include <vector>

#include "Param/FontStyles.h"
#include "Param/ParamErrors.h"

namespace plomix {

class TParameter {
 public:
  static constexpr char kEmptyMarker = '\x1A';

  TParameter() = default;
  virtual ~TParameter() = default;

  // --- lines ---------------------------------------------------------------------
  virtual int Count() const;
  // Appends a raw line; returns its index.
  virtual int Add(const std::string &line);
  // If there is an application object: ExeName := the program file, then Load.
  virtual void Open();
  virtual void Clear();
  // Inserts a raw line before `index` (0..Count); ERangeError otherwise.
  virtual void Insert(int index, const std::string &line);
  // Removes the line at `index`; ERangeError when there is none.
  virtual void Delete(int index);
  // If a file exists at FullName, replaces all lines by its lines (CR, LF or CR LF end a
  // line; NUL ends the text); otherwise the lines stay. EFileError when it can't be read.
  // Only a regular file of at most 64 MB is read (Common/FileRead.h).
  virtual void Load();
  // True when the last Load found text after a NUL byte, which it did not take in.
  bool TextAfterNul() const { return FTextAfterNul; }
  // If FullName is not empty, writes all lines, each ending with CR LF, replacing the
  // file atomically. EFileError (old file untouched) when it cannot be written.
  virtual void Save();

  // The raw line at `index`; ERangeError "%d is not within the valid range of 0..%d".
  const std::string &Lines(int index) const;
  const std::vector<std::string> &AllLines() const { return FLines; }

  // --- typed reads: EValueName for a missing line or an empty value ----------------
  std::string ReadString(std::string_view name) const;   // the marker reads as ""
  int ReadInteger(std::string_view name) const;          // EConvertError for non-integers
  bool ReadBool(std::string_view name) const;            // exactly "True" / "False"
  TFontStyles ReadFontStyle(std::string_view name) const;

  // --- typed writes: replace the first matching line (spelled as in this call) or
  // append "name=value" as the last line ------------------------------------------
  void WriteString(std::string_view name, std::string_view value);  // "" -> marker
  void WriteInteger(std::string_view name, int value);
  void WriteBool(std::string_view name, bool value);
  void WriteFontStyle(std::string_view name, TFontStyles value);

  // --- paths -----------------------------------------------------------------------
  const std::string &Dir() const { return FDir; }
  const std::string &FileName() const { return FFileName; }
  const std::string &ExeName() const { return FExeName; }
  // Dir + "/" (unless Dir ends with one) + FileName; empty if either is empty.
  std::string FullName() const;
  // An empty value while ExeName is set stores the program's folder.
  void SetDir(std::string_view dir);
  // An empty value while ExeName is set stores the program's name with ".ini".
  void SetFileName(std::string_view fileName);
  // Stores the path; fills an empty Dir and FileName from it.
  void SetExeName(std::string_view exeName);

 private:
  // Index of the first line whose name matches, or -1.
  int Find(std::string_view name) const;

  std::vector<std::string> FLines;
  std::string FDir;
  std::string FFileName;
  std::string FExeName;
  bool FTextAfterNul = false;
};

// The path helpers behind the properties, exposed for tests.
// Folder of a path: the text before its last "/", which is dropped unless it is the root.
std::string FolderOfPath(std::string_view path);
// The text after the last "/".
std::string NameOfPath(std::string_view path);
// Replaces the extension of a file name (from its last ".") by `extension`, or appends it.
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
// True when the two names are equal without regard to letter case (see above).
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
// A value as error messages quote it: a long one cut to its first 40 bytes and "...",
// so that a huge value never makes a huge message.
std::string QuotedValue(std::string_view value);
// A 32-bit integer from optional sign and decimal digits; EConvertError otherwise.
int TextToInteger(std::string_view text);

}  // namespace plomix
