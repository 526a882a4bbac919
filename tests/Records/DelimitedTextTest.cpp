// The one CSV / tab-separated reader and writer, shared by the data list and plomix-cli.
#include <gtest/gtest.h>

#include "Common/ShiftJis.h"
#include "Records/DelimitedText.h"

namespace plomix::test {
namespace {

std::string Sjis(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

TEST(DelimitedText, ReadsWhatSpreadsheetsWrite) {
  struct Row {
    const char *note;
    std::string text;
    char separator;
    TDelimitedRows rows;
  };
  const Row rows[] = {
      {"LibreOffice Calc clipboard: a block with Japanese, empty cells and a quoted cell with a line break",
       "4901\t\xE5\x95\x86\xE5\x93\x81\t\n\t\t\xE5\x9C\xA8\xE5\xBA\xAB\n4903\t\"two\nlines\"\tx\n", kTsvSeparator,
       {{"4901", "\xE5\x95\x86\xE5\x93\x81", ""}, {"", "", "\xE5\x9C\xA8\xE5\xBA\xAB"}, {"4903", "two\nlines", "x"}}},
      {"Excel clipboard: CR LF line ends, a tab and doubled quotes inside quotes", "a\t\"b\tc\"\r\n\"say \"\"hi\"\"\"\t\r\n",
       kTsvSeparator, {{"a", "b\tc"}, {"say \"hi\"", ""}}},
      {"RFC 4180: commas and CR LF inside quotes stay in the field", "A,\"x,y\",\"1\r\n2\"\r\nB\r\n", kCsvSeparator,
       {{"A", "x,y", "1\r\n2"}, {"B"}}},
      {"a quote inside an unquoted field is an ordinary character", "5\" disk,a\"b\n", kCsvSeparator,
       {{"5\" disk", "a\"b"}}},
      {"an empty line is a row with one empty cell; no row after the last line break", "a\n\nb\n", kCsvSeparator,
       {{"a"}, {""}, {"b"}}},
      {"last line without a line break", "a,b", kCsvSeparator, {{"a", "b"}}},
      {"commas are plain text in tab-separated text", "a,b\tc\n", kTsvSeparator, {{"a,b", "c"}}},
      {"Shift-JIS bytes pass through, trail bytes never split a field", Sjis("ソ表,能\n"), kCsvSeparator,
       {{Sjis("ソ表"), Sjis("能")}}},
  };
  for (const Row &row : rows) {
    const TDelimitedTable table = ReadDelimited(row.text, row.separator);
    EXPECT_EQ(table.Rows, row.rows) << row.note;
    EXPECT_EQ(table.Unclosed, 0u) << row.note;
  }
}

TEST(DelimitedText, NamesTheLineOfAnUnclosedQuote) {
  const struct { const char *text; std::size_t line, rowsBefore; } rows[] = {
      {"A\n\"B,\nC\n", 2, 1},           // the CLI's own example
      {"\"a\nb\"\n\"c\nd\ne", 3, 1},    // line breaks inside an earlier quoted field count
      {"\"", 1, 0},
  };
  for (const auto &row : rows) {
    const TDelimitedTable table = ReadDelimited(row.text, kCsvSeparator);
    EXPECT_EQ(table.Unclosed, row.line) << row.text;
    EXPECT_EQ(table.Rows.size(), row.rowsBefore) << row.text;
  }
}

TEST(DelimitedText, WrittenTextReadsBackTheSame) {
  const TDelimitedRows rows = {{"plain", "", "comma,inside"},
                               {"quote\"inside", "tab\tinside", "line\nbreak"},
                               {"", "", ""},
                               {Sjis("日本語"), "\"starts with a quote", "cr\rinside"}};
  for (const char separator : {kCsvSeparator, kTsvSeparator}) {
    const std::string text = WriteDelimited(rows, separator, "\r\n");
    EXPECT_EQ(ReadDelimited(text, separator).Rows, rows) << text;
  }
  // Only fields that need it are quoted.
  EXPECT_EQ(WriteDelimited({{"a", "b,c", "d\te"}}, kCsvSeparator, "\r\n"), "a,\"b,c\",d\te\r\n");
  EXPECT_EQ(WriteDelimited({{"a", "b,c", "d\te"}}, kTsvSeparator, "\n"), "a\tb,c\t\"d\te\"\n");
}

}  // namespace
}  // namespace plomix::test
