#include "BarImage/SymbologyTable.h"

#include <array>

#include "BarImage/encoders/Encoders.h"

namespace plomix {
namespace {

constexpr std::array<SymbologyInfo, kBarTypeCount> kSymbologies = {{
    // type         encoder          ratio  CD     start  stop
    {cbarJAN,       EncodeJAN,       false, false, false, false},
    {cbarUPC,       EncodeUPC,       false, false, false, false},
    {cbarCODE39,    EncodeCode39,    true,  true,  false, false},
    {cbarNW7,       EncodeNW7,       true,  true,  true,  true},
    {cbarITF,       EncodeITF,       true,  true,  false, false},
    {cbarCTF,       EncodeCTF,       true,  true,  false, false},
    {cbarIATA,      EncodeIATA,      true,  false, false, false},
    {cbarMATRIX,    EncodeMatrix,    true,  true,  false, false},
    {cbarNEC,       EncodeNEC,       true,  true,  false, false},
    {cbarCUSTOMER,  EncodeCustomer,  false, false, false, false},
    {cbarCODE128,   EncodeCode128,   false, false, true,  false},
    {cbarCODE93,    EncodeCode93,    false, false, false, false},
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
