// The symbol's UPC-A / UPC-E conversions of the current code.
#include "Symbol/TBarSymbol.h"
#include "Encoders/Encoders.h"

namespace plomix {
namespace {

using Conversion = std::string (*)(const std::string &);

// Shared by both directions: only a shown UPC symbol of the right length converts; the
// new code is stored without the code-change events and drawn as any change is.
bool ConvertUpcCode(TBarTypes type, bool disped, std::string &code, std::size_t length,
                    Conversion convert) {
  if (type != cbarUPC || !disped || code.size() != length) return false;
  std::string converted = convert(code);
  if (converted.empty()) return false;
  code = std::move(converted);
  return true;
}

}  // namespace

void TBarSymbol::ConvertUPCAToE() {
  if (ConvertUpcCode(FBarType, FBarDisped, FCode, 11, UPCAToUPCE))
    DrawBar();
  else
    FBarDisped = false;
}

void TBarSymbol::ConvertUPCEToA() {
  if (ConvertUpcCode(FBarType, FBarDisped, FCode, 7, UPCEToUPCA))
    DrawBar();
  else
    FBarDisped = false;
}

}  // namespace plomix
