// The sheet table, the sheet's text form and the fill order from a start position.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <set>

#include "Labels/LabelFill.h"
#include "Labels/LabelSettings.h"
#include "Labels/SheetNotation.h"
#include "Labels/SheetTable.h"

namespace plomix {
namespace {

// Every shipped sheet fits its paper, and its name tells its layout truly: "N面" is the
// label count and "W×Hmm" the label's size.
TEST(ShippedSheets, NamesTellTheirLayoutAndEverySheetFitsItsPaper) {
  std::set<QString> names;
  static const QRegularExpression count(QStringLiteral("(\\d+)面"));
  static const QRegularExpression size(QStringLiteral("([\\d.]+)×([\\d.]+)mm$"));
  for (const TLabelSheet &sheet : ShippedSheets()) {
    SCOPED_TRACE(sheet.Name.toStdString());
    EXPECT_TRUE(names.insert(sheet.Name).second) << "names are unique";
    EXPECT_FALSE(SheetProblem(sheet).has_value());
    if (const auto m = count.match(sheet.Name); m.hasMatch()) {
      EXPECT_EQ(m.captured(1).toInt(), sheet.LabelsPerSheet());
    }
    const auto m = size.match(sheet.Name);
    ASSERT_TRUE(m.hasMatch());
    QString error;
    EXPECT_EQ(ParseSheetNotation(QStringLiteral("1000x1000,1x1,%1x%2").arg(m.captured(1), m.captured(2)), error)->LabelWidth,
              sheet.LabelWidth);
    // The text form holds every field: it reads back as the same sheet.
    auto back = ParseSheetNotation(FormatSheetNotation(sheet), error);
    ASSERT_TRUE(back.has_value()) << error.toStdString();
    back->Name = sheet.Name;
    EXPECT_EQ(*back, sheet);
  }
  // The layouts users ask for most are there.
  for (int labels : {12, 18, 21, 24, 44, 65}) {
    bool found = false;
    for (const TLabelSheet &sheet : ShippedSheets()) found |= sheet.LabelsPerSheet() == labels;
    EXPECT_TRUE(found) << labels;
  }
  ASSERT_NE(FindSheet(QStringLiteral("A4 24面 70×37mm")), nullptr);
  EXPECT_EQ(FindSheet(QStringLiteral("A4 24面 70×37mm"))->Rows, 8);
}

TEST(ShippedSheets, AUsersSheetOfTheSameNameComesFirst) {
  TLabelSheet mine = *FindSheet(QStringLiteral("A4 12面 86.4×42.3mm"));
  mine.Top += 1000;
  EXPECT_EQ(FindSheet(mine.Name, {mine})->Top, mine.Top);
  EXPECT_EQ(FindSheet(QStringLiteral("no such sheet"), {mine}), nullptr);
}

struct NotationRow {
  const char *text;
  int paperWidth, paperHeight, columns, rows, width, height, pitchX, pitchY, left, top;
  const char *note;
};

TEST(SheetNotation, ReadsEveryFieldAndCentresTheGridWithoutMargins) {
  const NotationRow rows[] = {
      {"A4,3x8,70x37.125", 210000, 297000, 3, 8, 70000, 37125, 70000, 37125, 0, 0, "fills A4 exactly"},
      {"A4,2x6,86.4x42.3", 210000, 297000, 2, 6, 86400, 42300, 86400, 42300, 18600, 21600,
       "(210-172.8)/2, (297-253.8)/2"},
      {"a4,5x13,38.1x21.2,40.6x21.2", 210000, 297000, 5, 13, 38100, 21200, 40600, 21200, 4750, 10700,
       "pitch wider than the label: the grid is 4x40.6+38.1 wide"},
      {"A4,4x11,48.3x25.4,48.3x25.4,8x9.5", 210000, 297000, 4, 11, 48300, 25400, 48300, 25400, 8000, 9500,
       "margins as given"},
      {"100x148,1x1,90x138", 100000, 148000, 1, 1, 90000, 138000, 90000, 138000, 5000, 5000, "paper by size"},
      {"はがき,1X1,100×148", 100000, 148000, 1, 1, 100000, 148000, 100000, 148000, 0, 0,
       "paper by name, other separators"},
      {"B5,2x2,.5x.25", 182000, 257000, 2, 2, 500, 250, 500, 250, 90500, 128250, "decimals without a whole part"},
  };
  for (const NotationRow &r : rows) {
    SCOPED_TRACE(r.note);
    QString error;
    const auto sheet = ParseSheetNotation(QString::fromUtf8(r.text), error);
    ASSERT_TRUE(sheet.has_value()) << error.toStdString();
    EXPECT_EQ(sheet->PaperWidth, r.paperWidth);
    EXPECT_EQ(sheet->PaperHeight, r.paperHeight);
    EXPECT_EQ(sheet->Columns, r.columns);
    EXPECT_EQ(sheet->Rows, r.rows);
    EXPECT_EQ(sheet->LabelWidth, r.width);
    EXPECT_EQ(sheet->LabelHeight, r.height);
    EXPECT_EQ(sheet->PitchX, r.pitchX);
    EXPECT_EQ(sheet->PitchY, r.pitchY);
    EXPECT_EQ(sheet->Left, r.left);
    EXPECT_EQ(sheet->Top, r.top);
  }
}

TEST(SheetNotation, RefusesSheetsThatCannotBePrintedSayingWhy) {
  const struct {
    const char *text, *says, *note;
  } rows[] = {
      {"A4,3x8", "PAPER,COLUMNSxROWS", "too few fields"},
      {"A7,1x1,10x10", "unknown paper", "paper not known"},
      {"A4,3,70x37", "COLUMNSxROWS", "no rows"},
      {"A4,3x8,70x37,60x37", "重なります", "pitch smaller than the label"},
      {"A4,4x8,70x37", "はみ出します", "four 70 mm labels are wider than A4"},
      {"A4,3x8,70x37,70x37,1x0", "はみ出します", "margin pushes the grid off the paper"},
      {"A4,0x8,70x37", "1から100", "no column"},
      {"A4,3x8,70x0", "大きさ", "label of no height"},
      {"A4,3x8,70.1234x37", "WIDTHxHEIGHT", "more than three decimals"},
      {"A4,3x8,-70x37", "WIDTHxHEIGHT", "negative width"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    QString error;
    EXPECT_FALSE(ParseSheetNotation(QString::fromUtf8(r.text), error).has_value());
    EXPECT_TRUE(error.contains(QString::fromUtf8(r.says))) << error.toStdString();
  }
}

TEST(SheetNotation, MillimetresAreWrittenWithoutTrailingZeros) {
  const struct {
    int um;
    const char *text;
  } rows[] = {{70000, "70"}, {37125, "37.125"}, {42300, "42.3"}, {450, "0.45"}, {5, "0.005"}, {0, "0"}};
  for (const auto &r : rows) EXPECT_EQ(FormatMm(r.um), QString::fromLatin1(r.text)) << r.um;
}

// Worked by hand: items count from the start label; labels before it stay empty.
TEST(LabelFill, FillsRowByRowFromTheStartLabelThenWholeSheets) {
  const struct {
    int perSheet, start;
    std::int64_t item;
    TLabelSlot slot;
    const char *note;
  } rows[] = {
      {24, 1, 0, {0, 0}, "the first label"},
      {24, 1, 23, {0, 23}, "the last label of the first sheet"},
      {24, 1, 24, {1, 0}, "the next sheet"},
      {24, 5, 0, {0, 4}, "start 5: the fifth label"},
      {24, 5, 19, {0, 23}, "20 labels remain on a sheet started at 5"},
      {24, 5, 20, {1, 0}, "then a whole sheet"},
      {24, 24, 1, {1, 0}, "start at the last label"},
      {24, 30, 0, {0, 23}, "a start past the sheet is its last label"},
      {24, 0, 0, {0, 0}, "a start below 1 is 1"},
      {1, 1, 7, {7, 0}, "one label a sheet"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    EXPECT_EQ(TLabelFill(r.perSheet, r.start).SlotOf(r.item), r.slot);
  }
}

TEST(LabelFill, CountsSheetsAndTheItemsOnEach) {
  const struct {
    int perSheet, start;
    std::int64_t items, sheets, onFirst, onLast;
    const char *note;
  } rows[] = {
      {24, 1, 24, 1, 24, 24, "exactly one sheet: no empty second sheet"},
      {24, 1, 25, 2, 24, 1, "one over"},
      {24, 5, 20, 1, 20, 20, "the rest of a used sheet"},
      {24, 5, 21, 2, 20, 1, "one more than the rest"},
      {24, 1, 0, 0, 0, 0, "nothing to print"},
      {65, 60, 10000, 155, 6, 49, "10,000 records from label 60: 6 + 153 x 65 + 49"},
  };
  for (const auto &r : rows) {
    SCOPED_TRACE(r.note);
    const TLabelFill fill(r.perSheet, r.start);
    EXPECT_EQ(fill.SheetCount(r.items), r.sheets);
    EXPECT_EQ(fill.ItemsOn(0, r.items), r.onFirst);
    EXPECT_EQ(fill.ItemsOn(r.sheets - 1, r.items), r.onLast);
    std::int64_t total = 0;
    for (std::int64_t s = 0; s < r.sheets; ++s) total += fill.ItemsOn(s, r.items);
    EXPECT_EQ(total, r.items);
  }
}

}  // namespace
}  // namespace plomix

namespace plomix {
namespace {

// The user's sheets and the offsets in the environment file: what reads back, and what a
// damaged line leaves out.
TEST(LabelSettingsText, UserSheetsAndOffsetsReadBackAndDamageIsLeftOut) {
  QString error;
  TLabelSheet mine = *ParseSheetNotation(QStringLiteral("A4,2x4,90x60"), error);
  mine.Name = QStringLiteral("私の用紙");
  EXPECT_EQ(DecodeUserSheets(EncodeUserSheets({mine})), std::vector<TLabelSheet>{mine});
  QStringList problems;
  const auto sheets = DecodeUserSheets(QStringLiteral("壊れた\tA4,9x9,70x37\t私の用紙\t") + FormatSheetNotation(mine) +
                                       QStringLiteral("\tA4 24面 70×37mm\tA4,1x1,10x10\t半端"), &problems);
  EXPECT_EQ(sheets, std::vector<TLabelSheet>{mine});
  EXPECT_EQ(problems, (QStringList{"壊れた", "A4 24面 70×37mm", "半端"})) << "off the paper, a shipped name, no layout";

  const std::map<QString, TPrinterOffset> offsets{{"PDF", {1270, -510}}, {"LBP", {0, 0}}};
  EXPECT_EQ(DecodeOffsets(EncodeOffsets(offsets)), (std::map<QString, TPrinterOffset>{{"PDF", {1270, -510}}}))
      << "a printer without offsets is not written";
  EXPECT_EQ(DecodeOffsets(QStringLiteral("A\t1\tx\tB\t2\t3\tC\t99999\t0")),
            (std::map<QString, TPrinterOffset>{{"B", {2, 3}}}))
      << "not a number, beyond 5 cm";
}

}  // namespace
}  // namespace plomix
