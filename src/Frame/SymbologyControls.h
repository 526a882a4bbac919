#pragma once
// How the control panel follows the chosen symbology: which controls apply to it and
// what the start and stop boxes show.
#include "Encoders/BarTypes.h"

namespace plomix {

enum TCheckDigitControl { cdForcedOn, cdUserChoice };

struct SymbologyControls {
  bool heightEnabled;
  TCheckDigitControl checkDigit;
  bool elementRatioEnabled;
  const char *startText;  // a fixed text shown in the disabled box; nullptr: pick list A..D
  const char *stopText;
};

const SymbologyControls &SymbologyControlsOf(TBarTypes type);

}  // namespace plomix
