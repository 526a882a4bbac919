#pragma once
// The data list printed as text: three lines per record (upper comment, barcode string,
// lower comment), each led by the record number, handed to the text list printer.
#include <QFont>
#include <functional>
#include <string>
#include <vector>

#include "Common/Fonts.h"

namespace plomix {

struct TDataRecord;

// The width of the record numbers for a grid of `rowCount` rows (records + 2).
int PrintNumberWidth(int rowCount);

// "%<width>d: " for `number`.
std::string PrintLinePrefix(int number, int width);

// The whole text of the first `count` records, every line ending with CR LF; the
// number width follows the grid's row count, count + 2.
std::string ListPrintText(const std::vector<TDataRecord> &records, int count);

// Everything the text list printer is asked to do for the data list.
struct TListPrintJob {
  std::string Text;
  std::string Title;  // "データ一覧" in Shift-JIS
  TFont BodyFont;
  int TabWidth = 8;
  int LineNumberWidth = 0;
  int LeftMargin = 76, RightMargin = 76, TopMargin = 76, BottomMargin = 92;
  int Columns = 1;
  int ColumnGap = 32;
  int HeaderFlags = 7;  // title, date and time, column numbers
  TFont HeaderFont;
  int Copies = 1;
};

using TListPrinter = std::function<void(const TListPrintJob &job)>;

}  // namespace plomix
