// TBarImage's UPC-A / UPC-E conversions of the current code.
#include "BarImage/TBarImage.h"

namespace plomix {

// Placeholders until the UPC encoder lands: no conversion is possible yet.
void TBarImage::ConvertUPCAToE() { FBarDisped = false; }
void TBarImage::ConvertUPCEToA() { FBarDisped = false; }

}  // namespace plomix
