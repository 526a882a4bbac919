#pragma once
// The symbol's layout (BarLayout/SymbolLayout.h, plain C++) for the toolkit's side: the
// conversions between its plain points, sizes and rectangles and Qt's.
#include <QPoint>
#include <QRect>
#include <QSize>

#include "BarLayout/SymbolLayout.h"

namespace plomix {

inline QPoint ToQPoint(PixelPoint p) { return {p.x, p.y}; }
inline QSize ToQSize(PixelSize s) { return {s.width, s.height}; }
inline QRect ToQRect(const PixelRect &r) { return {r.x, r.y, r.width, r.height}; }
inline PixelPoint ToPixelPoint(QPoint p) { return {p.x(), p.y()}; }
inline PixelSize ToPixelSize(QSize s) { return {s.width(), s.height()}; }
inline PixelRect ToPixelRect(const QRect &r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace plomix
