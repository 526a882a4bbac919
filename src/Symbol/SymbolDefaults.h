#pragma once
// The design-time values of the program's symbol, which replace the component's
// initial values where they differ. The main window and plomix-cli start from them.
#include "Symbol/TBarSymbol.h"

namespace plomix {

void ApplySymbolDesignDefaults(TBarSymbol &bar);

}  // namespace plomix
