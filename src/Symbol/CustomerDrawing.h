#pragma once
// The customer barcode's own element drawing: its pattern digits are bar shapes on a
// fixed pitch, not widths.
#include <QColor>
#include <string>

namespace plomix {

class TBarCanvas;

// Width in pixels of a customer barcode pattern at `scale`; 0 = nothing to draw.
int CustomerPatternWidth(const std::string &pattern, int scale);

// Draws the element `digit` at `position` (from 0). `left` is the symbol's left bar edge
// before `barOffset`; the bars occupy `barLength` rows from `top`.
void DrawCustomerElement(TBarCanvas &canvas, int left, int top, int barOffset, int position,
                         int scale, char digit, int barLength, const QColor &color);

}  // namespace plomix
