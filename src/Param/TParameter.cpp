#include "Param/TParameter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <limits>

#include "Common/AtomicFile.h"
#include "Common/FileRead.h"
#include "Common/ProgramDir.h"
#include "Common/ShiftJis.h"
#include "Common/TextLines.h"

namespace plomix {
namespace {

QString ToQtPath(const std::string &path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string FromQtPath(const QString &path) { return QFile::encodeName(path).toStdString(); }

// One character of a Shift-JIS name, folded to a comparable code: ASCII letters and
// full-width Latin letters (Ａ-Ｚ 0x8260.., ａ-ｚ 0x8281..) to upper case.
unsigned NextFoldedChar(std::string_view s, std::size_t &pos) {
  const auto lead = static_cast<unsigned char>(s[pos++]);
  if (IsSjisLeadByte(lead) && pos < s.size()) {
    unsigned code = (lead << 8) | static_cast<unsigned char>(s[pos++]);
    if (code >= 0x8281 && code <= 0x829A) code -= 0x21;
    return code;
  }
  return (lead >= 'a' && lead <= 'z') ? lead - 'a' + 'A' : lead;
}

// Messages are Shift-JIS bytes like every other text of the program, so a caller shows
// them with the same conversion whatever the file's name holds.
EFileError FileError(const char *what, const QString &path, const QString &reason) {
  return EFileError(std::string(what) + " \"" + UnicodeToSjis(path) + "\". " + UnicodeToSjis(reason));
}

}  // namespace

std::string QuotedValue(std::string_view value) {
  constexpr std::size_t kMaxQuoted = 40;
  if (value.size() <= kMaxQuoted) return std::string(value);
  return std::string(SjisPrefix(value, kMaxQuoted)) + "...";
}

// --- path helpers --------------------------------------------------------------------

std::string FolderOfPath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  // The root keeps its slash; "a//b" keeps the folder "a/" as a doubled slash would.
  if (slash == 0 || path[slash - 1] == '/') return std::string(path.substr(0, slash + 1));
  return std::string(path.substr(0, slash));
}

std::string NameOfPath(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  const std::size_t dot = fileName.rfind('.');
  const std::size_t slash = fileName.rfind('/');
  const bool hasExt = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
  return std::string(hasExt ? fileName.substr(0, dot) : fileName) + std::string(extension);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size())
    if (NextFoldedChar(a, i) != NextFoldedChar(b, j)) return false;
  return i == a.size() && j == b.size();
}

int TextToInteger(std::string_view text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  long long value = 0;
  bool ok = !digits.empty();
  for (char c : digits) {
    if (c < '0' || c > '9' || value > std::numeric_limits<int>::max() + 1LL) {
      ok = false;
      break;
    }
    value = value * 10 + (c - '0');
  }
  if (negative) value = -value;
  if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    throw EConvertError("'" + QuotedValue(text) + "' is not a valid integer value");
  return static_cast<int>(value);
}

// --- lines ---------------------------------------------------------------------------

int TParameter::Count() const { return static_cast<int>(FLines.size()); }

int TParameter::Add(const std::string &line) {
  FLines.push_back(line);
  return Count() - 1;
}

void TParameter::Open() {
  if (!QCoreApplication::instance()) return;
  const std::string exe = FromQtPath(QCoreApplication::applicationFilePath());
  // An installed program keeps its environment file in the per-user data folder.
  if (FDir.empty()) {
    const std::string dataDir = FromQtPath(DataDirectory());
    if (dataDir != FolderOfPath(exe)) FDir = dataDir;
  }
  SetExeName(exe);
  Load();
}

void TParameter::Clear() { FLines.clear(); }

static std::string RangeMessage(int index, int count) {
  return std::to_string(index) + " is not within the valid range of 0.." + std::to_string(count - 1);
}

void TParameter::Insert(int index, const std::string &line) {
  if (index < 0 || index > Count()) throw ERangeError(RangeMessage(index, Count() + 1));
  FLines.insert(FLines.begin() + index, line);
}

void TParameter::Delete(int index) {
  if (index < 0 || index >= Count()) throw ERangeError(RangeMessage(index, Count()));
  FLines.erase(FLines.begin() + index);
}

const std::string &TParameter::Lines(int index) const {
  if (index < 0 || index >= Count()) throw ERangeError(RangeMessage(index, Count()));
  return FLines[static_cast<std::size_t>(index)];
}

void TParameter::Load() {
  const std::string fullName = FullName();
  if (fullName.empty()) return;
  const QString path = ToQtPath(fullName);
  const FileReadResult file = ReadRegularFile(path, kEnvironmentFileLimit);
  if (!file.Exists) return;
  if (!file.Read) throw FileError("Cannot open file", path, file.Error);
  const std::string_view bytes(file.Bytes.constData(), static_cast<std::size_t>(file.Bytes.size()));
  const std::size_t nul = bytes.find('\0');
  FTextAfterNul = nul != std::string_view::npos && bytes.find_first_not_of('\0', nul) != std::string_view::npos;
  FLines = SplitTextLines(bytes);
}

void TParameter::Save() {
  const std::string fullName = FullName();
  if (fullName.empty()) return;
  QString error;
  if (!WriteFileAtomically(ToQtPath(fullName), JoinTextLines(FLines), &error))
    throw FileError("Cannot create file", ToQtPath(fullName), error);
}

// --- typed reads and writes ----------------------------------------------------------

int TParameter::Find(std::string_view name) const {
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const std::string_view line = FLines[i];
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos && SameNameIgnoringCase(line.substr(0, equals), name))
      return static_cast<int>(i);
  }
  return -1;
}

std::string TParameter::ReadString(std::string_view name) const {
  std::string value;
  if (const int index = Find(name); index >= 0) {
    const std::string &line = FLines[static_cast<std::size_t>(index)];
    value = line.substr(line.find('=') + 1);
  }
  if (value.size() == 1 && value[0] == kEmptyMarker) return {};
  if (value.empty())
    throw EValueName("Name '" + std::string(name) + "' is not found in parameters.");
  return value;
}

int TParameter::ReadInteger(std::string_view name) const { return TextToInteger(ReadString(name)); }

bool TParameter::ReadBool(std::string_view name) const {
  const std::string value = ReadString(name);
  if (value == "True") return true;
  if (value == "False") return false;
  throw EValueName("Value of " + std::string(name) + " '" + QuotedValue(value) + "' is not Boolean Type.");
}

TFontStyles TParameter::ReadFontStyle(std::string_view name) const {
  return FontStylesFromText(ReadString(name));
}

void TParameter::WriteString(std::string_view name, std::string_view value) {
  std::string line(name);
  line += '=';
  if (value.empty())
    line += kEmptyMarker;
  else
    line += value;
  if (const int index = Find(name); index >= 0)
    FLines[static_cast<std::size_t>(index)] = std::move(line);
  else
    FLines.push_back(std::move(line));
}

void TParameter::WriteInteger(std::string_view name, int value) {
  WriteString(name, std::to_string(value));
}

void TParameter::WriteBool(std::string_view name, bool value) {
  WriteString(name, value ? "True" : "False");
}

void TParameter::WriteFontStyle(std::string_view name, TFontStyles value) {
  WriteString(name, FontStylesToText(value));
}

// --- paths ---------------------------------------------------------------------------

std::string TParameter::FullName() const {
  if (FDir.empty() || FFileName.empty()) return {};
  return FDir + (FDir.back() == '/' ? "" : "/") + FFileName;
}

void TParameter::SetDir(std::string_view dir) {
  FDir = (!dir.empty() || FExeName.empty()) ? std::string(dir) : FolderOfPath(FExeName);
}

void TParameter::SetFileName(std::string_view fileName) {
  FFileName = (!fileName.empty() || FExeName.empty()) ? std::string(fileName)
                                                      : ChangeFileExt(NameOfPath(FExeName), ".ini");
}

void TParameter::SetExeName(std::string_view exeName) {
  FExeName = exeName;
  if (FExeName.empty()) return;
  if (FDir.empty()) FDir = FolderOfPath(FExeName);
  if (FFileName.empty()) FFileName = ChangeFileExt(NameOfPath(FExeName), ".ini");
}

}  // namespace plomix
