#include "Frame/SymbologyControls.h"

#include <array>

#include "Encoders/SymbologyTable.h"

namespace plomix {
namespace {

// nullptr: the box offers the pick list A..D.
constexpr const char *kList = nullptr;

// The panel follows from the symbology's own row: a control is enabled where its setting
// changes the symbol, and a start or stop box the user cannot choose shows the character
// the symbology always draws.
constexpr SymbologyControls ControlsFor(const SymbologyInfo &row) {
  return {!row.fixedBarHeight, row.cdRedraws ? cdUserChoice : cdForcedOn, row.usesElementRatio,
          row.startCharRedraws ? kList : row.fixedStart, row.stopCharRedraws ? kList : row.fixedStop};
}

std::array<SymbologyControls, kBarTypeCount> MakeTable() {
  std::array<SymbologyControls, kBarTypeCount> table{};
  for (int i = 0; i < kBarTypeCount; ++i) table[i] = ControlsFor(Symbology(static_cast<TBarTypes>(i)));
  return table;
}

}  // namespace

const SymbologyControls &SymbologyControlsOf(TBarTypes type) {
  static const std::array<SymbologyControls, kBarTypeCount> table = MakeTable();
  return table.at(type);
}

}  // namespace plomix
