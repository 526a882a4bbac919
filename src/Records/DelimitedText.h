#pragma once
// Delimited text as spreadsheets write it: RFC 4180 CSV (separator ',') and the
// tab-separated text they put on the clipboard (separator '\t'). A field that starts with
// a quote may hold separators, line breaks and doubled quotes; a quote elsewhere is an
// ordinary character. A record ends at LF outside quotes; a CR before that LF belongs to
// the line break. Works on bytes, so UTF-8 and Shift-JIS read alike: no Shift-JIS trail
// byte is a quote, comma, tab, CR or LF.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plomix {

inline constexpr char kCsvSeparator = ',';
inline constexpr char kTsvSeparator = '\t';

struct TDelimitedSpan {
  std::size_t Start = 0, End = 0;  // the record's bytes, its line break excluded
  std::size_t Next = 0;            // where the record after it starts
  std::size_t LineBreaks = 0;      // LFs taken, inside quotes and the ending one
  bool Unclosed = false;           // a quoted field runs to the end of the text
};

// The record that starts at `start` (< text.size()).
TDelimitedSpan NextDelimitedRecord(std::string_view text, std::size_t start, char separator);

// The fields of one record (as NextDelimitedRecord delimits it), quotes taken off.
// An empty record is one empty field.
std::vector<std::string> SplitDelimitedFields(std::string_view record, char separator);

using TDelimitedRows = std::vector<std::vector<std::string>>;

struct TDelimitedTable {
  TDelimitedRows Rows;       // every record, an empty line too (one empty field)
  std::size_t Unclosed = 0;  // the 1-based line where an unclosed quoted field starts, or 0
};

// Every record of `text`; a line break at the very end starts no record.
TDelimitedTable ReadDelimited(std::string_view text, char separator);

// One field, quoted when it holds the separator, a quote, CR or LF.
std::string DelimitedField(std::string_view field, char separator);
// Rows of fields, each row followed by `lineEnd`.
std::string WriteDelimited(const TDelimitedRows &rows, char separator, std::string_view lineEnd);

}  // namespace plomix
