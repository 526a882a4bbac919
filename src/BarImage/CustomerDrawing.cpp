#include "BarImage/CustomerDrawing.h"

#include "BarImage/BarCanvas.h"

namespace plomix {

// The customer barcode has no encoder yet: its patterns are always empty.
int CustomerPatternWidth(const std::string &, int) { return 0; }

void DrawCustomerElement(TBarCanvas &, int, int, int, int, int, char, int, const QColor &) {}

}  // namespace plomix
