#include "Print/SymbolCells.h"

#include <QPainter>

#include "Labels/LabelPlacement.h"
#include "Labels/SnapSource.h"
#include "Print/PagePainter.h"
#include "Symbol/TBarSymbol.h"

namespace plomix {

TDotDrawing SymbolOnDots(const TBarSymbol &symbol, const TPrintMetrics &m) {
  const TSnapSource source = SnapSourceOf(symbol);
  const TModuleDots module =
      ModuleDotsFor(source.Scale, m.PrinterDpiX, m.PrinterDpiY, m.ScreenDpiX, m.ScreenDpiY, m.Scale);
  return FitDrawing(source, module, PrinterCellSize(symbol, m)).Drawing;
}

QSize PrinterCellSize(const TBarSymbol &symbol, const TPrintMetrics &m) {
  return {static_cast<int>(PrinterWidth(m, symbol.Width())), static_cast<int>(PrinterHeight(m, symbol.Height()))};
}

QPoint CentredInCell(QSize cell, QSize drawing) {
  return {(cell.width() - drawing.width()) / 2, (cell.height() - drawing.height()) / 2};
}

TCellPaint SymbolCellPaint(const TBarSymbol &symbol, const TPrintMetrics &metrics, bool snapToDots) {
  if (!snapToDots)
    return [&symbol](QPainter &painter, const QRect &cell) { StretchPicture(painter, symbol.Picture(), cell); };
  return [&symbol, metrics](QPainter &painter, const QRect &cell) {
    if (cell.isEmpty()) return;
    const TDotDrawing drawing = SymbolOnDots(symbol, metrics);
    PaintDotDrawing(painter, drawing, cell.topLeft() + CentredInCell(cell.size(), drawing.TurnedSize()));
  };
}

}  // namespace plomix
