#include "BarImage/SymbologyTable.h"

#include <array>

#include "BarImage/encoders/Encoders.h"

namespace plomix {
namespace {

constexpr std::array<SymbologyInfo, kBarTypeCount> kSymbologies = {{
    // type          encoder      ratio  CD     start  stop
    {cbarJAN,       nullptr,     false, false, false, false},
    {cbarUPC,       nullptr,     false, false, false, false},
    {cbarCODE39,    EncodeCode39, true, true,  false, false},
    {cbarNW7,       EncodeNW7,   true,  true,  true,  true},
    {cbarITF,       nullptr,     true,  true,  false, false},
    {cbarCTF,       nullptr,     true,  true,  false, false},
    {cbarIATA,      nullptr,     true,  false, false, false},
    {cbarMATRIX,    nullptr,     true,  true,  false, false},
    {cbarNEC,       nullptr,     true,  true,  false, false},
    {cbarCUSTOMER,  nullptr,     false, false, false, false},
    {cbarCODE128,   nullptr,     false, false, true,  false},
    {cbarCODE93,    nullptr,     false, false, false, false},
}};

constexpr bool RowsInOrdinalOrder() {
  for (std::size_t i = 0; i < kSymbologies.size(); ++i)
    if (kSymbologies[i].type != i) return false;
  return true;
}
static_assert(RowsInOrdinalOrder());

}  // namespace

const SymbologyInfo &Symbology(TBarTypes type) {
  return kSymbologies[type < kBarTypeCount ? type : cbarJAN];
}

}  // namespace plomix
