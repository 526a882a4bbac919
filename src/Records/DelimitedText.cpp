#include "Records/DelimitedText.h"

namespace plomix {

TDelimitedSpan NextDelimitedRecord(std::string_view text, std::size_t start, char separator) {
  TDelimitedSpan span;
  span.Start = start;
  bool quoted = false, fieldStart = true;
  std::size_t i = start;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') ++i;
      else if (c == '"') quoted = false;
      else if (c == '\n') ++span.LineBreaks;
      continue;
    }
    if (c == '"' && fieldStart) quoted = true;
    fieldStart = c == separator;
    if (c == '\n') break;
  }
  span.Unclosed = quoted;
  span.End = i;
  span.Next = i < text.size() ? i + 1 : i;
  if (i < text.size()) ++span.LineBreaks;
  if (!quoted && span.End > start && text[span.End - 1] == '\r') --span.End;
  return span;
}

std::vector<std::string> SplitDelimitedFields(std::string_view record, char separator) {
  std::vector<std::string> fields(1);
  bool quoted = false, fieldStart = true;
  for (std::size_t i = 0; i < record.size(); ++i) {
    const char c = record[i];
    const bool atFieldStart = fieldStart;
    fieldStart = false;
    if (quoted) {
      if (c == '"' && i + 1 < record.size() && record[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"' && atFieldStart) {
      quoted = true;
    } else if (c == separator) {
      fields.emplace_back();
      fieldStart = true;
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

TDelimitedTable ReadDelimited(std::string_view text, char separator) {
  TDelimitedTable table;
  std::size_t line = 1;
  for (std::size_t start = 0; start < text.size();) {
    const TDelimitedSpan span = NextDelimitedRecord(text, start, separator);
    if (span.Unclosed) {
      table.Unclosed = line;
      break;
    }
    table.Rows.push_back(SplitDelimitedFields(text.substr(span.Start, span.End - span.Start), separator));
    line += span.LineBreaks;
    start = span.Next;
  }
  return table;
}

std::string DelimitedField(std::string_view field, char separator) {
  if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos)
    return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string WriteDelimited(const TDelimitedRows &rows, char separator, std::string_view lineEnd) {
  std::string out;
  for (const std::vector<std::string> &row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) out += separator;
      out += DelimitedField(row[i], separator);
    }
    out += lineEnd;
  }
  return out;
}

}  // namespace plomix
