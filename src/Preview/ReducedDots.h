#pragma once
// A symbol drawn on the printer's dots, shown in the preview's reduced page: the same
// drawing the print makes, centred in its cell as printed, scaled by the zoom with its
// edges shared among the pixels they cross, so that thin bars show as grey, not gaps.
#include <QRect>

#include "Labels/DotDrawing.h"

class QPainter;

namespace plomix {

// `cell` at the zoom in the preview page; `printerCell` its size in printer dots.
void DrawReducedDots(QPainter &painter, const TDotDrawing &drawing, QSize printerCell, const QRect &cell,
                     int zoom);

}  // namespace plomix
