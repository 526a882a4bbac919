#include "Frame/SymbologyControls.h"

#include <array>

namespace plomix {
namespace {

constexpr const char *kBlank = " ";
constexpr const char *kList = nullptr;

constexpr std::array<SymbologyControls, kBarTypeCount> kTable = {{
    {true, cdForcedOn, false, kBlank, kBlank},      // JAN
    {true, cdForcedOn, false, kBlank, kBlank},      // UPC
    {true, cdUserChoice, true, "*", "*"},           // CODE-39
    {true, cdUserChoice, true, kList, kList},       // NW-7
    {true, cdUserChoice, true, kBlank, kBlank},     // ITF
    {true, cdUserChoice, true, kBlank, kBlank},     // CTF
    {true, cdForcedOn, true, kBlank, kBlank},       // IATA
    {true, cdUserChoice, true, kBlank, kBlank},     // MATRIX
    {true, cdUserChoice, true, kBlank, kBlank},     // NEC
    {false, cdForcedOn, false, kBlank, kBlank},     // customer barcode
    {true, cdForcedOn, false, kList, kBlank},       // CODE-128
    {true, cdForcedOn, false, "(", ")"},            // CODE-93
}};

}  // namespace

const SymbologyControls &SymbologyControlsOf(TBarTypes type) { return kTable.at(type); }

}  // namespace plomix
