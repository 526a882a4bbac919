#include "DataList/SheetText.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "Common/ShiftJis.h"

namespace plomix {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void OneLine(std::string &cell) {
  for (char &c : cell)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
}

// The grid's own titles, and what other programs name such columns.
const char *const kTitles[3][4] = {
    {"バーコード文字列", "バーコード", "code", "barcode"},
    {"上部のコメント", "上部コメント", "upper comment", "comment up"},
    {"下部のコメント", "下部コメント", "lower comment", "comment down"},
};

int TitleColumn(const std::string &sjis) {
  const QString name = SjisToUnicode(sjis).trimmed();
  for (int col = 0; col < 3; ++col)
    for (const char *title : kTitles[col])
      if (name.compare(QString::fromUtf8(title), Qt::CaseInsensitive) == 0) return col;
  return -1;
}

QByteArray Unicode(const std::vector<std::vector<std::string>> &sjisRows, char separator, std::string_view lineEnd) {
  TDelimitedRows rows;
  rows.reserve(sjisRows.size());
  for (const auto &row : sjisRows) {
    std::vector<std::string> cells;
    for (const std::string &cell : row) cells.push_back(SjisToUnicode(cell).toStdString());
    rows.push_back(std::move(cells));
  }
  return QByteArray::fromStdString(WriteDelimited(rows, separator, lineEnd));
}

}  // namespace

QString DroppedTableFile(const QMimeData *mime) {
  if (!mime || !mime->hasUrls()) return {};
  for (const QUrl &url : mime->urls()) {
    if (!url.isLocalFile()) continue;
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    if (suffix == QLatin1String("csv") || suffix == QLatin1String("txt") || suffix == QLatin1String("tsv"))
      return url.toLocalFile();
  }
  return {};
}

TCellTable CellsFromUtf8(std::string_view utf8, char separator) {
  if (utf8.substr(0, 3) == kByteOrderMark) utf8.remove_prefix(3);
  TDelimitedTable table = ReadDelimited(utf8, separator);
  TCellTable cells;
  cells.Unclosed = table.Unclosed;
  cells.Rows.reserve(table.Rows.size());
  int row = 0;
  for (std::vector<std::string> &record : table.Rows) {
    ++row;
    for (std::string &cell : record) {
      bool ascii = true;
      for (char c : cell) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
      if (!ascii) {
        const QString text = QString::fromStdString(cell);
        if (!cells.Unmappable) {
          const qsizetype at = FirstUnmappableSjis(text);
          if (at >= 0) cells.Unmappable = TUnmappable{row, text.mid(at, text[at].isHighSurrogate() ? 2 : 1)};
        }
        cell = UnicodeToSjis(text);
      }
      OneLine(cell);
    }
    cells.Rows.push_back(std::move(record));
  }
  return cells;
}

TCellTable CellsFromSjis(std::string_view sjis, char separator) {
  TDelimitedTable table = ReadDelimited(sjis, separator);
  for (auto &record : table.Rows)
    for (std::string &cell : record) OneLine(cell);
  return {std::move(table.Rows), std::nullopt, table.Unclosed};
}

TCsvEncoding DetectCsvEncoding(std::string_view bytes) {
  if (bytes.substr(0, 3) == kByteOrderMark) return ceUtf8;
  return IsUtf8RatherThanSjis(bytes) ? ceUtf8 : ceSjis;
}

TCellTable ReadCsv(std::string_view bytes, TCsvEncoding encoding) {
  return encoding == ceUtf8 ? CellsFromUtf8(bytes, kCsvSeparator) : CellsFromSjis(bytes, kCsvSeparator);
}

bool IsCsvHeader(const std::vector<std::string> &record) {
  for (const std::string &field : record)
    if (TitleColumn(field) >= 0) return true;
  return false;
}

TCsvColumns ColumnsFromHeader(const std::vector<std::string> &header) {
  TCsvColumns columns{-1, -1, -1};
  int *targets[3] = {&columns.Code, &columns.Up, &columns.Down};
  for (std::size_t i = 0; i < header.size(); ++i) {
    const int col = TitleColumn(header[i]);
    if (col >= 0 && *targets[col] < 0) *targets[col] = static_cast<int>(i);
  }
  return columns;
}

std::vector<TDataRecord> RecordsFromCsv(const TDelimitedRows &rows, bool header, const TCsvColumns &columns) {
  std::vector<TDataRecord> records;
  records.reserve(rows.size());
  const auto field = [](const std::vector<std::string> &row, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < row.size() ? row[static_cast<std::size_t>(index)]
                                                                       : std::string();
  };
  for (std::size_t i = header ? 1 : 0; i < rows.size(); ++i)
    records.push_back({field(rows[i], columns.Code), field(rows[i], columns.Up), field(rows[i], columns.Down)});
  return records;
}

std::string CsvFileBytes(const std::vector<TDataRecord> &records, TCsvEncoding encoding) {
  TDelimitedRows rows;
  rows.reserve(records.size() + 1);
  rows.push_back({UnicodeToSjis(QString::fromUtf8(kTitles[0][0])), UnicodeToSjis(QString::fromUtf8(kTitles[1][0])),
                  UnicodeToSjis(QString::fromUtf8(kTitles[2][0]))});
  for (const TDataRecord &r : records) rows.push_back({r.Code, r.CommentUp, r.CommentDown});
  if (encoding == ceSjis) return WriteDelimited(rows, kCsvSeparator, "\r\n");
  return std::string(kByteOrderMark) + Unicode(rows, kCsvSeparator, "\r\n").toStdString();
}

QByteArray TsvText(const std::vector<std::vector<std::string>> &sjisRows) {
  return Unicode(sjisRows, kTsvSeparator, "\n");
}

QByteArray CsvText(const std::vector<std::vector<std::string>> &sjisRows) {
  return Unicode(sjisRows, kCsvSeparator, "\r\n");
}

}  // namespace plomix
