#include "Print/SymbolRecords.h"

#include "Encoders/SymbologyTable.h"
#include "Records/RecordList.h"
#include "Symbol/TBarSymbol.h"

namespace plomix {

TFlowSymbol LoadRecordIntoSymbol(TBarSymbol &symbol, const TRecordList &records, int index) {
  symbol.SetBarEnabled(false);
  symbol.SetCommentUp(records.Field(index, rfCommentUp));
  symbol.SetCommentDown(records.Field(index, rfCommentDown));
  symbol.SetCode(records.Field(index, rfCode));
  symbol.SetBarEnabled(true);
  return {symbol.BarDisped(), symbol.Width(), symbol.Height()};
}

int CountPrintable(const TBarSymbol &settings, const TRecordList &records) {
  const SymbologyInfo &symbology = Symbology(settings.BarType());
  // A start character the encoder corrects stays corrected for the codes after it, as
  // it does on a symbol the codes are loaded into one after the other.
  char startChar = settings.StartChar();
  int count = 0;
  for (const std::string &code : records.List(rfCode)) {
    if (code.empty()) continue;
    const EncodeResult result =
        symbology.encode(EncodeInput{code, settings.CD(), startChar, settings.StopChar()});
    if (result.startChar != 0) startChar = result.startChar;
    if (!result.pattern.empty()) ++count;
  }
  return count;
}

}  // namespace plomix
