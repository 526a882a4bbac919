#include "Print/PrintSymbol.h"

namespace plomix {

TPrintSymbol::TPrintSymbol(const TBarSymbol &source) : FDpi(source.TextResolution()) { Assign(source); }

}  // namespace plomix
