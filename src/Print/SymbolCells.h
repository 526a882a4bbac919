#pragma once
// A symbol put into a cell of the plain-paper print (the grid of copies and the record
// flow) and of its preview. With the bars on whole dots the symbol is drawn again on the
// printer's dots, each module the whole number of dots nearest the size asked for, and
// centred in its cell, which stays where and as large as the pagination made it. The
// nearest number may be the larger one, and a drawing larger than its cell would cover its
// neighbours: then it gets fewer dots a module, until it fits (never below one dot).
// Otherwise the symbol's picture is stretched into the cell.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

#include "Labels/DotDrawing.h"
#include "Print/PrintGeometry.h"

class QPainter;

namespace plomix {

class TBarSymbol;

// The symbol as its last drawing left it, on the printer's dots at the metrics' scale,
// fitted into its cell.
TDotDrawing SymbolOnDots(const TBarSymbol &symbol, const TPrintMetrics &metrics);

// The cell of the symbol in printer dots (as the pagination sizes it).
QSize PrinterCellSize(const TBarSymbol &symbol, const TPrintMetrics &metrics);

// Where the turned drawing's top-left lies from the cell's top-left, both centred.
QPoint CentredInCell(QSize cell, QSize drawing);

// Paints one cell of a page; the cell in the painter's coordinates.
using TCellPaint = std::function<void(QPainter &, const QRect &cell)>;

// Paints `symbol`, as it holds when called, into printer cells: on whole dots when
// `snapToDots`, else its picture stretched. The symbol must outlive the function.
TCellPaint SymbolCellPaint(const TBarSymbol &symbol, const TPrintMetrics &metrics, bool snapToDots);

}  // namespace plomix
