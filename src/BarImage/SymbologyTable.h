#pragma once
// One row per symbology: its encoder and how its settings affect the drawing.
#include "BarImage/BarTypes.h"
#include "BarImage/encoders/EncodeTypes.h"

namespace plomix {

struct SymbologyInfo {
  TBarTypes type;
  EncodeFunction encode;     // nullptr: no encoder yet, the symbology yields no symbol
  bool usesElementRatio;     // wide elements stretched by ElementRatio / 20
  bool cdRedraws;            // CD changes the symbol
  bool startCharRedraws;     // StartChar changes the symbol
  bool stopCharRedraws;      // StopChar changes the symbol
};

const SymbologyInfo &Symbology(TBarTypes type);

// Width in pixels of one element digit (the customer barcode reads its digits otherwise).
constexpr int ElementWidth(char digit, int scale, int elementRatio, bool usesElementRatio) {
  int w = ((digit - '0') / 2 + 1) * scale;
  if (usesElementRatio && w > scale) w = (w * elementRatio) / 20;
  return w;
}

}  // namespace plomix
