#include "Preview/ReducedDots.h"

#include <QPainter>

#include "Print/SymbolCells.h"

namespace plomix {

void DrawReducedDots(QPainter &painter, const TDotDrawing &drawing, QSize printerCell, const QRect &cell,
                     int zoom) {
  if (cell.isEmpty() || zoom <= 0) return;
  painter.save();
  painter.translate(cell.topLeft());
  painter.scale(zoom / 100.0, zoom / 100.0);
  PaintDotDrawing(painter, drawing, CentredInCell(printerCell, drawing.TurnedSize()), true);
  painter.restore();
}

}  // namespace plomix
