#include "Encoders/SymbologyTable.h"

#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

using enum CheckTextRule;

constexpr std::array<SymbologyInfo, kBarTypeCount> kSymbologies = {{
    // type        name        encoder         ratio  CD     start  stop   shapes fixedH bearer check text          read-me  shown start, stop
    {cbarJAN,      "jan",      EncodeJAN,      false, false, false, false, false, false, false, AfterCode,          60, " ", " "},
    {cbarUPC,      "upc",      EncodeUPC,      false, false, false, false, false, false, false, AfterCode,          80, " ", " "},
    {cbarCODE39,   "code39",   EncodeCode39,   true,  true,  false, false, false, false, false, AfterCodeThenStop, 100, "*", "*"},
    {cbarNW7,      "nw7",      EncodeNW7,      true,  true,  true,  true,  false, false, false, AfterCodeThenStop, 165, " ", " "},
    {cbarITF,      "itf",      EncodeITF,      true,  true,  false, false, false, false, true,  AfterCode,         185, " ", " "},
    {cbarCTF,      "ctf",      EncodeCTF,      true,  true,  false, false, false, false, false, AfterCode,         205, " ", " "},
    {cbarIATA,     "iata",     EncodeIATA,     true,  false, false, false, false, false, false, AfterCode,         225, " ", " "},
    {cbarMATRIX,   "matrix",   EncodeMatrix,   true,  true,  false, false, false, false, false, AfterCode,         245, " ", " "},
    {cbarNEC,      "nec",      EncodeNEC,      true,  true,  false, false, false, false, false, AfterCode,         265, " ", " "},
    {cbarCUSTOMER, "customer", EncodeCustomer, false, false, false, false, true,  true,  false, LastCharacter,     285, " ", " "},
    {cbarCODE128,  "code128",  EncodeCode128,  false, false, true,  false, false, false, false, AfterCode,         305, " ", " "},
    {cbarCODE93,   "code93",   EncodeCode93,   false, false, false, false, false, false, false, AfterCodeThenStop, 449, "(", ")"},
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
