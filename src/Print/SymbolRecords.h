#pragma once
// The symbol and the record list as printing uses them: a record loaded into the
// symbol, the records the symbol can display, the symbol put back afterwards.
#include <string>

#include "Print/Pagination.h"

namespace plomix {

class TBarImage;
class TRecordList;

// Loads record `index` (drawing off, comments and code, drawing on: one redraw) and
// tells whether it is displayed and its size in screen pixels.
TFlowSymbol LoadRecordIntoSymbol(TBarImage &symbol, const TRecordList &records, int index);

// The records whose code the symbol can encode (encoding only; comments play no part).
int CountPrintable(TBarImage &symbol, const TRecordList &records);

// Remembers the symbol's code and comments and puts them back when it goes out of
// scope, whatever happened in between.
class TSymbolKeeper {
 public:
  explicit TSymbolKeeper(TBarImage &symbol);
  ~TSymbolKeeper();
  TSymbolKeeper(const TSymbolKeeper &) = delete;
  TSymbolKeeper &operator=(const TSymbolKeeper &) = delete;

 private:
  TBarImage &FSymbol;
  std::string FCode, FCommentUp, FCommentDown;
};

}  // namespace plomix
