#pragma once
// The symbol and the record list as printing uses them: a record loaded into the
// printing's own symbol, and the records a symbol's settings can display.
#include <string>

#include "Print/Pagination.h"

namespace plomix {

class TBarSymbol;
class TRecordList;

// Loads record `index` (drawing off, comments and code, drawing on: one redraw) and
// tells whether it is displayed and its size in screen pixels.
TFlowSymbol LoadRecordIntoSymbol(TBarSymbol &symbol, const TRecordList &records, int index);

// The records whose code the symbol's symbology and settings can encode (the encoders
// run on the codes; nothing is drawn and comments play no part).
int CountPrintable(const TBarSymbol &settings, const TRecordList &records);

}  // namespace plomix
