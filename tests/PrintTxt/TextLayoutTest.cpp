// Rows and columns measured at a printer's resolution, with awkward text.
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <gtest/gtest.h>

#include "Common/ShiftJis.h"
#include "PrintTxt/ColumnIndex.h"
#include "PrintTxt/PrintText.h"
#include "PrintTxt/TextRows.h"
#include "PrintTxt/TextSurface.h"

namespace plomix {
namespace {

class TextLayout : public ::testing::Test {
 protected:
  TextLayout() : printer_(QPrinter::HighResolution), surface_(QFont(QStringLiteral("IPAGothic"), 10), &printer_) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
  }
  // A column `chars` double-byte characters wide and `rows` rows high.
  TColumnRect Column(int chars, int rows) const {
    return {0, 0, chars * surface_.KanjiWidth() + surface_.KanjiWidth() / 2, rows * surface_.TextHeight()};
  }
  // Checks that the index covers the whole text and every column starts on a character.
  static void ExpectWholeText(const TColumnIndex &index, std::string_view text, const char *note) {
    ASSERT_GT(index.Count(), 0) << note;
    EXPECT_EQ(index.ColumnStart.back(), text.size()) << note;
    std::size_t boundary = 0;
    for (std::size_t start : index.ColumnStart) {
      while (boundary < start) boundary += IsSjisLeadByte(text[boundary]) && boundary + 1 < text.size() ? 2 : 1;
      EXPECT_EQ(boundary, start) << note << ": column splits a character";
    }
  }
  QPrinter printer_;
  TTextSurface surface_;
};

TEST_F(TextLayout, AwkwardTextIsLaidOutWhole) {
  using namespace std::string_literals;
  std::string longLine;
  for (int i = 0; i < 1 << 19; ++i) longLine += "\x8a\xbf";  // a megabyte of "漢"
  longLine += "a";
  struct Row { std::string text; const char *note; } rows[] = {
      {"a\0b\0\r\n\0"s, "NUL bytes"},
      {"\x81\x20\xff\xfd\x80\r\nok\r\n"s, "invalid Shift-JIS"},
      {"abc\r\n\x82"s, "a lead byte as the very last byte"},
      {"\t\t\t\r\n\t"s, "TABs only"},
      {"a\rb\rc"s, "lone CRs"},
      {longLine + "\r\nend\r\n", "a megabyte line"},
  };
  for (const Row &r : rows) {
    const TColumnIndex index = BuildColumnIndex(surface_, r.text, Column(100, 40), 3, 8);
    ExpectWholeText(index, r.text, r.note);
  }
}

TEST_F(TextLayout, RowsAndLineNumbers) {
  const std::string line = UnicodeToSjis(QString(25, QChar(0x6F22)));  // 25 x "漢"
  const std::string text = line + "\r\n\r\nx\r\n";
  // Ten characters a row without numbers: 10 + 10 + 5 (with the CR LF), the empty line,
  // then "x"; the rows are numbered 1 to 5.
  TColumnIndex index = BuildColumnIndex(surface_, text, Column(10, 40), 0, 8);
  ASSERT_EQ(index.Count(), 1);
  EXPECT_EQ(index.ColumnFirstLine.back(), 6);
  const TColumnUse use = LayoutColumn(surface_, text, Column(10, 2), true, 1, 0, 8);
  EXPECT_EQ(use.Bytes, 40u) << "two rows of ten double-byte characters";
  EXPECT_EQ(use.Lines, 2);
  // A column two rows high holds the text in three columns, numbered on.
  index = BuildColumnIndex(surface_, text, Column(10, 2), 0, 8);
  ASSERT_EQ(index.Count(), 3);
  EXPECT_EQ(index.ColumnFirstLine, (std::vector<int>{1, 3, 5, 6}));
  EXPECT_EQ(index.ColumnStart, (std::vector<std::size_t>{0, 40, 54, text.size()}));
}

TEST_F(TextLayout, NothingFits) {
  const std::string text = "abc\r\n";
  struct Row { TColumnRect rect; int tab, numbers; const char *note; } rows[] = {
      {{0, 0, surface_.KanjiWidth() - 2, 1000}, 8, 0, "narrower than one double-byte character"},
      {{0, 0, 10000, surface_.TextHeight() - 2}, 8, 0, "lower than one row"},
      {{0, 0, 10000, 10000}, 33, 0, "TabWidth 33"},
      {{0, 0, 10000, 10000}, 8, -9, "LineNumberWidth -9"},
  };
  for (const Row &r : rows) {
    EXPECT_EQ(LayoutLine(surface_, text, r.rect, 1, r.tab, r.numbers, 1, true), 0u) << r.note;
    EXPECT_EQ(BuildColumnIndex(surface_, text, r.rect, r.numbers, r.tab).Count(), 0) << r.note;
  }
  EXPECT_EQ(BuildColumnIndex(surface_, "", Column(10, 10), 0, 8).Count(), 0) << "empty text";
}

TEST_F(TextLayout, RenderPageOutsideTheColumns) {
  TPrintTextParams p;
  p.Text = "a\r\nb\r\n";
  p.BodyFont = QFont(QStringLiteral("IPAGothic"), 10);
  TTextPrinter job(p, printer_);
  ASSERT_EQ(job.ColumnCount(), 1);
  QPicture page;
  QPainter painter(&page);
  EXPECT_FALSE(job.RenderPage(painter, 0));
  EXPECT_FALSE(job.RenderPage(painter, 2));
  EXPECT_TRUE(job.RenderPage(painter, 1));
}

}  // namespace
}  // namespace plomix
