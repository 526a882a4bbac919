#include "cli/InfoJson.h"


#include "Symbol/TBarSymbol.h"
#include "Common/ShiftJis.h"

namespace plomix::cli {

QJsonObject SymbolInfoJson(const TBarSymbol &bar) {
  // A symbol not drawn has no picture: its sizes are 0, not those of whatever the
  // component drew before (in a batch, on whichever thread).
  const bool drawn = bar.BarDisped();
  return QJsonObject{{"displayed", bar.BarDisped()},
                     {"symbol", SjisToUnicode(bar.Symbol())},
                     {"cdn", bar.CDN()},
                     {"cdc", SjisToUnicode(bar.CDC())},
                     {"pattern", SjisToUnicode(bar.Pattern())},
                     {"bar_width", drawn ? bar.BarWidth() : 0},
                     {"bar_height", bar.BarHeight()},
                     {"width", drawn ? bar.Width() : 0},
                     {"height", drawn ? bar.Height() : 0}};
}

}  // namespace plomix::cli
