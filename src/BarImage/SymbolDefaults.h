#pragma once
// The design-time values of the program's symbol, which replace the component's
// initial values where they differ. The main window and plomix-cli start from them.
#include "BarImage/TBarImage.h"

namespace plomix {

void ApplySymbolDesignDefaults(TBarImage &bar);

}  // namespace plomix
