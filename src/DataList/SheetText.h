#pragma once
// The data list's text exchange with spreadsheets, without any window: a block of cells
// from the clipboard (tab-separated, or CSV), CSV files read and written, and the
// selected cells as text for the clipboard. Cells end up as the record list holds them:
// Shift-JIS bytes on one line (CR, LF and NUL become spaces, as typing makes them).
#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Records/DelimitedText.h"
#include "Records/RecordList.h"

class QMimeData;

namespace plomix {

// The first local file of a drag or drop that names a CSV or text file, or "".
QString DroppedTableFile(const QMimeData *mime);

// The first character of a text that Shift-JIS cannot hold, and the 1-based row (line of
// the block or record of the file) it is in.
struct TUnmappable {
  int Row = 0;
  QString Character;
};

struct TCellTable {
  TDelimitedRows Rows;  // Shift-JIS cells; "?" for characters Shift-JIS cannot hold
  std::optional<TUnmappable> Unmappable;
  std::size_t Unclosed = 0;  // 1-based line of a quoted field that is never closed, or 0
};

// UTF-8 (a byte-order mark dropped) or Shift-JIS text (kept byte for byte) as cells.
TCellTable CellsFromUtf8(std::string_view utf8, char separator);
TCellTable CellsFromSjis(std::string_view sjis, char separator);

// CSV files.
enum TCsvEncoding { ceUtf8 = 0, ceSjis = 1 };
// A byte-order mark or valid UTF-8 beyond ASCII: UTF-8; anything else Shift-JIS.
TCsvEncoding DetectCsvEncoding(std::string_view bytes);
TCellTable ReadCsv(std::string_view bytes, TCsvEncoding encoding);

// Which field of a CSV record goes to the code and the two comments (-1: none).
struct TCsvColumns {
  int Code = 0, Up = 1, Down = 2;
  bool operator==(const TCsvColumns &) const = default;
};
// A first record whose fields name the grid's columns (its own titles, or common English
// ones) is a header; the columns are then taken from the names.
bool IsCsvHeader(const std::vector<std::string> &record);
TCsvColumns ColumnsFromHeader(const std::vector<std::string> &header);
std::vector<TDataRecord> RecordsFromCsv(const TDelimitedRows &rows, bool header, const TCsvColumns &columns);

// The records as a CSV file with the grid's titles as the first line, CR LF line ends:
// UTF-8 with a byte-order mark, or the Shift-JIS bytes as they are.
std::string CsvFileBytes(const std::vector<TDataRecord> &records, TCsvEncoding encoding);

// Selected cells as Unicode rows: tab-separated text (LF line ends) and CSV (CR LF).
QByteArray TsvText(const std::vector<std::vector<std::string>> &sjisRows);
QByteArray CsvText(const std::vector<std::vector<std::string>> &sjisRows);

}  // namespace plomix
