#include "Print/SymbolRecords.h"

#include "BarImage/TBarImage.h"
#include "Records/RecordList.h"

namespace plomix {
namespace {

void LoadSymbol(TBarImage &symbol, const std::string &code, const std::string &up,
                const std::string &down) {
  symbol.SetBarEnabled(false);
  symbol.SetCommentUp(up);
  symbol.SetCommentDown(down);
  symbol.SetCode(code);
  symbol.SetBarEnabled(true);
}

}  // namespace

TFlowSymbol LoadRecordIntoSymbol(TBarImage &symbol, const TRecordList &records, int index) {
  LoadSymbol(symbol, records.Field(index, rfCode), records.Field(index, rfCommentUp),
             records.Field(index, rfCommentDown));
  return {symbol.BarDisped(), symbol.Width(), symbol.Height()};
}

int CountPrintable(TBarImage &symbol, const TRecordList &records) {
  const bool debug = symbol.BarDebug();
  symbol.SetBarDebug(true);
  int count = 0;
  for (const std::string &code : records.List(rfCode)) {
    symbol.SetCode(code);
    if (symbol.BarDisped()) ++count;
  }
  symbol.SetBarDebug(debug);
  return count;
}

TSymbolKeeper::TSymbolKeeper(TBarImage &symbol)
    : FSymbol(symbol),
      FCode(symbol.Code()),
      FCommentUp(symbol.CommentUp()),
      FCommentDown(symbol.CommentDown()) {}

TSymbolKeeper::~TSymbolKeeper() { LoadSymbol(FSymbol, FCode, FCommentUp, FCommentDown); }

}  // namespace plomix
