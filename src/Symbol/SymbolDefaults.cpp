#include "Symbol/SymbolDefaults.h"

namespace plomix {

void ApplySymbolDesignDefaults(TBarSymbol &bar) {
  const bool enabled = bar.BarEnabled();
  bar.SetBarEnabled(false);
  bar.SetWidth(100);
  bar.SetHeight(100);
  bar.SetTransparent(false);
  bar.SetCommentUpLoc(locCenter);
  bar.SetCommentDownLoc(locCenter);
  bar.SetStartChar('A');
  bar.SetStopChar('A');
  bar.SetCD(true);
  const TFont font = DefaultSymbolFont();
  bar.SetBarFont(&font);
  bar.SetBarHeight(100);
  bar.SetBarLeft(0);
  bar.SetBarTop(0);
  bar.SetBarSpaceUp(10);
  bar.SetBarSpaceDown(10);
  bar.SetMatch(true);
  bar.SetBarDebug(false);
  bar.SetClearOption(true);
  if (enabled) bar.SetBarEnabled(true);
}

}  // namespace plomix
