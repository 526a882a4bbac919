#pragma once
// The data list printed as text: three lines per record (upper comment, barcode string,
// lower comment), each led by the record number, handed to the text list printer.
#include <functional>
#include <string>
#include <vector>

#include "PrintTxt/PrintText.h"

namespace plomix {

struct TDataRecord;

// The width of the record numbers for a grid of `rowCount` rows (records + 2).
int PrintNumberWidth(int rowCount);

// "%<width>d: " for `number`.
std::string PrintLinePrefix(int number, int width);

// The whole text of the first `count` records, every line ending with CR LF; the
// number width follows the grid's row count, count + 2.
std::string ListPrintText(const std::vector<TDataRecord> &records, int count);

// The text list printer's call for the data list: the whole job, printed by
// PrintText unless the window is given another printer (the tests give one).
using TListPrintJob = TPrintTextParams;
using TListPrinter = std::function<void(const TListPrintJob &job)>;

}  // namespace plomix
