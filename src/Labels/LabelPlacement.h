#pragma once
// A symbol put into its label: the label found on the page at the device's resolution
// (moved by the printer's offsets), the symbol shrunk by whole dots when it is larger
// than the label, and placed at the chosen alignment (centred unless asked otherwise).
#include <QPoint>
#include <QRect>

#include "Encoders/BarTypes.h"
#include "Labels/DotDrawing.h"
#include "Labels/LabelSheet.h"

namespace plomix {

// A printer's shift of everything it prints, in µm (right and down positive), measured
// with the calibration page and given back to it.
struct TPrinterOffset {
  int X = 0, Y = 0;
  bool operator==(const TPrinterOffset &) const = default;
};

// Label `index` on the device, dots from the paper's top-left, offsets applied.
QRect LabelRectDots(const TLabelSheet &sheet, int index, int dpiX, int dpiY, TPrinterOffset offset);

// The module that fits: the asked one, or fewer dots across (the height following the
// width's ratio, then on its own) until the drawing fits `room`, never below one dot.
struct TFittedDrawing {
  TDotDrawing Drawing;
  bool Shrunk = false;   // drawn with fewer dots a module than asked
  bool Clipped = false;  // larger than the label even at one dot a module
};
TFittedDrawing FitDrawing(const TSnapSource &source, TModuleDots asked, QSize room);

// Where the turned drawing of `size` goes in `label`: left, centre or right across and
// top, middle or bottom down.
QPoint PlaceInLabel(const QRect &label, QSize size, TLocation across = locCenter, TLocation down = locCenter);

}  // namespace plomix
