#include "BarImage/SymbologyTable.h"

#include <array>

#include "BarImage/encoders/Encoders.h"

namespace plomix {
namespace {

using enum CheckTextRule;

constexpr std::array<SymbologyInfo, kBarTypeCount> kSymbologies = {{
    // type        name        encoder         ratio  CD     start  stop   shapes fixedH bearer check text
    {cbarJAN,      "jan",      EncodeJAN,      false, false, false, false, false, false, false, AfterCode},
    {cbarUPC,      "upc",      EncodeUPC,      false, false, false, false, false, false, false, AfterCode},
    {cbarCODE39,   "code39",   EncodeCode39,   true,  true,  false, false, false, false, false, AfterCodeThenStop},
    {cbarNW7,      "nw7",      EncodeNW7,      true,  true,  true,  true,  false, false, false, AfterCodeThenStop},
    {cbarITF,      "itf",      EncodeITF,      true,  true,  false, false, false, false, true,  AfterCode},
    {cbarCTF,      "ctf",      EncodeCTF,      true,  true,  false, false, false, false, false, AfterCode},
    {cbarIATA,     "iata",     EncodeIATA,     true,  false, false, false, false, false, false, AfterCode},
    {cbarMATRIX,   "matrix",   EncodeMatrix,   true,  true,  false, false, false, false, false, AfterCode},
    {cbarNEC,      "nec",      EncodeNEC,      true,  true,  false, false, false, false, false, AfterCode},
    {cbarCUSTOMER, "customer", EncodeCustomer, false, false, false, false, true,  true,  false, LastCharacter},
    {cbarCODE128,  "code128",  EncodeCode128,  false, false, true,  false, false, false, false, AfterCode},
    {cbarCODE93,   "code93",   EncodeCode93,   false, false, false, false, false, false, false, AfterCodeThenStop},
}};

constexpr bool RowsInOrdinalOrder() {
  for (std::size_t i = 0; i < kSymbologies.size(); ++i)
    if (kSymbologies[i].type != i || kSymbologies[i].encode == nullptr) return false;
  return true;
}
static_assert(RowsInOrdinalOrder(), "one row per symbology, in ordinal order, each with its encoder");

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const SymbologyInfo &Symbology(TBarTypes type) {
  return kSymbologies[type < kBarTypeCount ? type : cbarJAN];
}

std::optional<TBarTypes> SymbologyNamed(std::string_view name) {
  for (const SymbologyInfo &row : kSymbologies) {
    if (row.name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) same = Lower(name[i]) == row.name[i];
    if (same) return row.type;
  }
  return std::nullopt;
}

}  // namespace plomix
