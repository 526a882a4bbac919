// The byte-level helpers and the page arithmetic of the text list printer.
#include <gtest/gtest.h>

#include "PrintTxt/TextPage.h"
#include "PrintTxt/TextRows.h"

namespace plomix {
namespace {

TEST(TextRows, FormatLineNumber) {
  struct Row { int number, width; const char *expected, *note; } rows[] = {
      {123, 2, "23: ", "high digits drop away"},
      {7, -3, "007: ", "zero padded"},
      {7, 0, "", "no numbers"},
      {1, 8, "       1: ", "widest field"},
      {42, -8, "00000042: ", "widest zero-padded field"},
      {123456789, 8, "23456789: ", "nine digits in eight"},
      {12345, -1, "5: ", "one digit kept, nothing to pad"},
      {5, 1, "5: ", "fits exactly"},
  };
  for (const Row &r : rows) EXPECT_EQ(FormatLineNumber(r.number, r.width), r.expected) << r.note;
}

TEST(TextRows, ExpandTabs) {
  struct Row { const char *text; int width; std::string expected; const char *note; } rows[] = {
      {"a\tb", 8, "a" + std::string(7, ' ') + "b", "to the next stop"},
      {"a\t", 8, "a ", "a TAB at the end is one blank"},
      {"a\tb", 0, "ab", "width 0 drops TABs"},
      {"\t\t", 4, "     ", "a full stop, then the last TAB"},
      {"12345678\tx", 8, "12345678" + std::string(8, ' ') + "x", "a TAB on a stop goes a whole stop"},
      {"\x8a\xbf\tx", 4, "\x8a\xbf  x", "a double-byte character counts two"},
      {"\t\t", 0, "", "TABs only, dropped"},
  };
  for (const Row &r : rows) EXPECT_EQ(ExpandTabs(r.text, r.width), r.expected) << r.note;
}

TEST(TextRows, LineLength) {
  using namespace std::string_view_literals;
  struct Row { std::string_view text; std::size_t expected; const char *note; } rows[] = {
      {"ab\r\ncd"sv, 2, "up to CR LF"},
      {"a\rb\r\n"sv, 3, "a lone CR is an ordinary byte"},
      {"abc"sv, 3, "no line end"},
      {"\r\n"sv, 0, "empty line"},
      {"a\r"sv, 2, "CR as the last byte"},
      {"\n\r\n"sv, 1, "LF alone"},
      {"a\0b\r\n"sv, 3, "NUL is an ordinary byte"},
  };
  for (const Row &r : rows) EXPECT_EQ(LineLength(r.text), r.expected) << r.note;
}

TEST(TextRows, DoubleByteStartAndFileName) {
  // "表" is 0x95 0x5C: its second byte is a backslash.
  EXPECT_TRUE(IsDoubleByteStart("a\x95\x5C", 1));
  EXPECT_FALSE(IsDoubleByteStart("\x95\x95\x95", 1)) << "a trail byte, though it looks like a lead";
  EXPECT_TRUE(IsDoubleByteStart("\x95\x95\x95\x95", 2));
  EXPECT_FALSE(IsDoubleByteStart("ab\x82", 2)) << "a lead byte with nothing after it";
  EXPECT_EQ(FileNamePart("C:\\data\\\x95\x5C.txt"), "\x95\x5C.txt");
  EXPECT_EQ(FileNamePart("/home/u/list.txt"), "list.txt");
  EXPECT_EQ(FileNamePart("A:name"), "name");
  EXPECT_EQ(FileNamePart("dir\\"), "");
}

TEST(TextPage, RaiseMargin) {
  struct Row { int margin, dpi, strip, expected; const char *note; } rows[] = {
      {0, 600, 100, 16, "raised, truncated (16.67)"},
      {50, 600, 100, 50, "already wider than the strip"},
      {10, 300, 31, 10, "raised to 10.33, truncated back to 10"},
      {0, 1200, 0, 0, "no strip"},
      {0, 100, 300, 255, "never more than a byte"},
  };
  for (const Row &r : rows) EXPECT_EQ(RaiseMargin(r.margin, r.dpi, r.strip), r.expected) << r.note;
}

TEST(TextPage, ColumnArithmetic) {
  PrinterInfo info;
  info.DpiX = info.DpiY = 600;
  info.PaperWidth = 4960;
  info.PaperHeight = 7016;
  info.OffsetLeft = info.OffsetRight = 100;
  info.OffsetTop = 120;
  info.OffsetBottom = 80;
  // Margins 0 are raised to the strips: 16, 16, 20, 13 hundredths -> 96, 96, 120, 78 px.
  TTextPageGeometry g = ComputeTextPage(info, {0, 0, 0, 0}, 3, 40);
  EXPECT_EQ(g.Margins.Left, 16);
  EXPECT_EQ(g.Margins.Top, 20);
  EXPECT_EQ(g.Margins.Bottom, 13);
  EXPECT_EQ(g.L, 96);
  EXPECT_EQ(g.B, 78);
  EXPECT_EQ(g.ColumnWidth, (4960 - 96 - 96 - 2 * 40) / 3);
  EXPECT_EQ(g.ColumnHeight, 7016 - 120 - 78);
  EXPECT_EQ(g.FirstColumn.Left, -4) << "the text starts a few pixels inside the strip";
  EXPECT_EQ(g.FirstColumn.Top, 0);
  g = ComputeTextPage(info, {100, 50, 100, 100}, 1, 0);
  EXPECT_EQ(g.ColumnWidth, 4960 - 600 - 300);
  EXPECT_EQ(g.FirstColumn.Left, 500);
}

}  // namespace
}  // namespace plomix
