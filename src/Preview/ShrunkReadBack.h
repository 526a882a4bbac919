#pragma once
// Symbols shrunk by whole dots (or cut) to fit their labels, read back as they come out:
// each drawn on the device's dots within its label and read by zxing-cpp or the element
// check, so that the user is warned only about symbols that would not read, and told why.
#include <QString>
#include <cstdint>

#include "Labels/SheetPainter.h"

namespace plomix {

class TBarSymbol;

struct TShrunkReadBack {
  std::int64_t Checked = 0;     // symbols shrunk or cut, read back
  std::int64_t Unreadable = 0;  // of those, the ones that would not read
  QString FirstVerdict;         // why the first of them would not ("読み取り確認: ...")

  // Reads `placed` back when it was shrunk or cut; `shown` holds its item's settings and code.
  void Check(const TPlacedLabel &placed, const TBarSymbol &shown);
};

}  // namespace plomix
