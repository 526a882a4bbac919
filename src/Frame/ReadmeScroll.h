#pragma once
// Where each symbology's section starts in Readme.txt (zero-based line), by BarType.
#include "Encoders/SymbologyTable.h"

namespace plomix {

inline int ReadmeSectionLine(int barType) {
  return barType >= 0 && barType < kBarTypeCount ? Symbology(static_cast<TBarTypes>(barType)).readmeLine : 0;
}

}  // namespace plomix
