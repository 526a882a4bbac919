// The print's own symbol: a copy of the window's that draws what the window's would, and
// the count of printable records taken by the encoders without drawing.
#include <gtest/gtest.h>

#include "BarImage/TBarImage.h"
#include "Print/PrintSymbol.h"
#include "Print/SymbolRecords.h"
#include "Records/RecordList.h"
#include "Symbol/Picture.h"
#include "Symbol/SymbolDefaults.h"

namespace plomix {
namespace {

// A copy taken now and the source given the same next record draw the same picture, at
// the same size: every setting that changes the drawing came across. Each row changes
// settings away from the defaults.
TEST(PrintSymbol, ACopyDrawsTheNextRecordAsTheWindowsSymbolWould) {
  struct Row { const char *note; std::function<void(TBarSymbol &)> set; };
  const Row rows[] = {
      {"defaults", [](TBarSymbol &) {}},
      {"fixed size: drawn over the control's old picture", [](TBarSymbol &s) { s.SetMatch(false); }},
      {"turned, mirrored, framed", [](TBarSymbol &s) { s.SetAngle(270); s.SetReverse(true); s.SetBarFrame(2); }},
      {"scale, ratio, height, spaces", [](TBarSymbol &s) {
         s.SetScale(3); s.SetElementRatio(30); s.SetBarHeight(60); s.SetBarSpaceUp(7); s.SetBarSpaceLeft(3); }},
      {"colours, no text", [](TBarSymbol &s) { s.SetBarColor(0x0000FF); s.SetBackColor(0xCCFFCC); s.SetSymbolDisp(false); }},
      {"comment places, position", [](TBarSymbol &s) {
         s.SetCommentUpLoc(locRight); s.SetCommentDownLoc(locCenter); s.SetBarLeft(5); s.SetBarTop(4); }},
      {"NW-7 start and stop, check digit", [](TBarSymbol &s) {
         s.SetBarType(cbarNW7); s.SetStartChar('C'); s.SetStopChar('D'); s.SetCD(true); }},
      {"metafile", [](TBarSymbol &s) { s.SetBarPicture(picEMF); }},
  };
  for (const Row &row : rows) {
    TBarImage window;
    ApplySymbolDesignDefaults(window);
    window.SetBarType(cbarCODE39);
    window.SetCode("LONGER-CODE-1");
    row.set(window);
    window.SetCode("COPY2");
    TPrintSymbol copy(window);
    EXPECT_EQ(PictureToImage(copy.Picture()), PictureToImage(window.Picture())) << row.note << ": as copied";
    for (TBarSymbol *symbol : {static_cast<TBarSymbol *>(&window), static_cast<TBarSymbol *>(&copy)}) {
      symbol->SetBarEnabled(false);
      symbol->SetCommentUp("UP");
      symbol->SetCommentDown("DOWN");
      symbol->SetCode("123");
      symbol->SetBarEnabled(true);
    }
    ASSERT_TRUE(window.BarDisped()) << row.note;
    EXPECT_EQ(copy.BarDisped(), window.BarDisped()) << row.note;
    EXPECT_EQ(QSize(copy.Width(), copy.Height()), QSize(window.Width(), window.Height())) << row.note;
    EXPECT_EQ(copy.Symbol(), window.Symbol()) << row.note;
    EXPECT_EQ(PictureToImage(copy.Picture()), PictureToImage(window.Picture())) << row.note;
  }
}

// The count is checked against the records loaded one by one into a symbol, as a print
// does: the displayed ones are the printable ones.
TEST(PrintSymbol, PrintableRecordsAreTheOnesASymbolDisplays) {
  struct Row { TBarTypes type; char start; std::vector<std::string> codes; };
  const Row rows[] = {
      {cbarJAN, 'A', {"490123456789", "4901234567894", "49012345", "12AB", ""}},
      {cbarUPC, 'A', {"01234567890", "0123456", "x"}},
      {cbarCODE39, 'A', {"AB-1", "bad*", "", "lower"}},
      {cbarNW7, 'B', {"123", "1A2", "-$:/.+"}},
      {cbarITF, 'A', {"1234", "123", "12a4"}},
      {cbarCUSTOMER, 'A', {"1234567", "123-4567-1-2", "@@"}},
      {cbarCODE128, 'D', {"abc", "ABC\x7f", "123456"}},  // start set D is corrected to A
      {cbarCODE93, 'A', {"CODE 93", "ab"}},
  };
  for (const Row &row : rows) {
    TRecordList records;
    for (const std::string &code : row.codes) records.Insert(records.Count(), {code, "", ""});
    TBarSymbol settings;
    ApplySymbolDesignDefaults(settings);
    settings.SetBarType(row.type);
    settings.SetStartChar(row.start);
    TPrintSymbol loaded(settings);
    int displayed = 0;
    for (int i = 0; i < records.Count(); ++i) displayed += LoadRecordIntoSymbol(loaded, records, i).Displayed;
    EXPECT_EQ(CountPrintable(settings, records), displayed) << "symbology " << row.type;
    EXPECT_EQ(settings.StartChar(), row.start) << "the settings are only read";
  }
}

}  // namespace
}  // namespace plomix
