// Readme.txt, the user manual the main window shows: a Shift-JIS Windows text file
// whose section of each symbology starts at the line the read-me pane scrolls to.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "Common/ShiftJis.h"
#include "Common/TextLines.h"

namespace plomix {
namespace {

std::string ReadmeBytes() {
  // The test data folder need not exist: resolve ".." by text.
  QFile file(QDir::cleanPath(QStringLiteral(PLOMIX_TEST_DATA "/../../resources/Readme.txt")));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  return file.readAll().toStdString();
}

QString Line(const std::vector<std::string> &lines, std::size_t index) {
  return index < lines.size() ? SjisToUnicode(lines[index]) : QString();
}

TEST(Readme, IsShiftJisWithCrLfLineEnds) {
  const std::string bytes = ReadmeBytes();
  ASSERT_FALSE(bytes.empty());
  const QString text = SjisToUnicode(bytes);
  EXPECT_FALSE(text.contains(QChar::ReplacementCharacter)) << "an invalid Shift-JIS sequence";
  EXPECT_EQ(UnicodeToSjis(text), bytes) << "a character that does not survive CP932";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
    }
    if (c == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at byte " << i;
    }
    ASSERT_FALSE(c == '\0' || c == '\t' || c == '\x1A') << "control byte at " << i;
  }
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "the last line ends like the others";
}

TEST(Readme, EachSymbologyStartsAtItsScrollLine) {
  const std::vector<std::string> lines = SplitTextLines(ReadmeBytes());
  // Line: the read-me scroll table, by BarType. Name: the symbology box's item.
  // Fact: something the section must explain about its own symbology.
  struct Row {
    std::size_t line;
    const char *name;
    const char *fact;
  } rows[] = {
      {60, "JAN(EAN)/短縮", "4901234567894"},
      {80, "UPC-A/UPC-E", "UPC(A/E)"},
      {100, "CODE-39", "*ABCX*"},
      {165, "NW-7(CODABAR)", "A1239B"},
      {185, "ITF(Interleaved 2of5)", "012345"},
      {205, "CTF(Code 2of5 | Industrial 2of5)", "12348"},
      {225, "IATA(IATA 2of5)", "必ず付け"},
      {245, "MATRIX(Matrix 2of5)", "12348"},
      {265, "NEC(NEC 2of5 | COOP 2of5)", "12348"},
      {285, "カスタマーバーコード", "CC4"},
      {305, "CODE-128", "<FNC1>"},
      {449, "CODE-93", "<%>"},
  };
  std::vector<std::size_t> headings;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (Line(lines, i).startsWith(QStringLiteral("■ ")))
      for (const Row &row : rows)
        if (Line(lines, i) == QStringLiteral("■ ") + QString::fromUtf8(row.name)) headings.push_back(i);
  std::vector<std::size_t> expected;
  for (const Row &row : rows) expected.push_back(row.line);
  EXPECT_EQ(headings, expected) << "one heading per symbology, each at its table line";

  for (std::size_t t = 0; t < std::size(rows); ++t) {
    const std::size_t end = t + 1 < std::size(rows) ? rows[t + 1].line : lines.size();
    QString section;
    for (std::size_t i = rows[t].line; i < end; ++i) section += Line(lines, i) + '\n';
    EXPECT_TRUE(section.contains(QString::fromUtf8(rows[t].fact))) << rows[t].name;
  }
  // The pane can only bring the last section to its top with a pane's height below it.
  EXPECT_GE(lines.size(), rows[11].line + 50);
}

TEST(Readme, LinesFitAnEightyColumnPane) {
  const std::vector<std::string> lines = SplitTextLines(ReadmeBytes());
  // In a fixed-pitch Japanese font a Shift-JIS byte is one column.
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_LE(lines[i].size(), 80u) << "line " << i;
}

}  // namespace
}  // namespace plomix
