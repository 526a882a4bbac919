#include "Symbol/SymbolDrawing.h"

#include "Symbol/CustomerDrawing.h"
#include "Encoders/SymbologyTable.h"

namespace plomix {
namespace {

// Fills `outer` except `hole`, which lies inside it.
void FillAround(TBarCanvas &canvas, const QRect &outer, const QRect &hole, const QColor &color) {
  canvas.FillRect(QRect(QPoint(outer.left(), outer.top()), QPoint(outer.right(), hole.top() - 1)), color);
  canvas.FillRect(QRect(QPoint(outer.left(), hole.bottom() + 1), QPoint(outer.right(), outer.bottom())), color);
  canvas.FillRect(QRect(QPoint(outer.left(), hole.top()), QPoint(hole.left() - 1, hole.bottom())), color);
  canvas.FillRect(QRect(QPoint(hole.right() + 1, hole.top()), QPoint(outer.right(), hole.bottom())), color);
}

void DrawFrame(TBarCanvas &canvas, const QRect &r, int F, const QColor &color) {
  const int left = r.left(), top = r.top(), right = r.left() + r.width(), bottom = r.top() + r.height();
  canvas.FillRect(QRect(QPoint(left, top), QPoint(right - 1, top + F - 1)), color);
  canvas.FillRect(QRect(QPoint(left, bottom - F), QPoint(right - 1, bottom - 1)), color);
  canvas.FillRect(QRect(QPoint(left, top + F), QPoint(left + F - 1, bottom - F - 1)), color);
  canvas.FillRect(QRect(QPoint(right - F, top + F), QPoint(right - 1, bottom - F - 1)), color);
}

}  // namespace

void DrawSymbol(TBarCanvas &canvas, const SymbolLayout &layout, const SymbolInk &ink) {
  const std::vector<TBarCanvas::Span> &bars = layout.bars;
  const int top = layout.barTop;
  if (!ink.background.isEmpty()) {
    // The band between the first and the last bar gets its background with the bars,
    // so that a bitmap's pixels there are written once.
    if (bars.empty()) {
      canvas.FillRect(ink.background, ink.back);
    } else {
      const QRect band(QPoint(bars.front().x, top),
                       QPoint(bars.back().x + bars.back().width - 1, top + layout.barLength - 1));
      FillAround(canvas, ink.background, band, ink.back);
      canvas.BarRun(bars, top, layout.barLength, ink.bar, &ink.back);
    }
  }

  if (Symbology(ink.type).ownElementShapes) {
    if (ink.pattern != nullptr)
      for (std::size_t i = 0; i < ink.pattern->size(); ++i)
        DrawCustomerElement(canvas, layout.barLeft, top, 0, static_cast<int>(i), ink.scale,
                            (*ink.pattern)[i], layout.barLength, ink.bar);
  } else if (ink.background.isEmpty()) {
    canvas.BarRun(bars, top, layout.barLength, ink.bar, nullptr);
  }

  if (!ink.symbolText.isEmpty()) canvas.TextOut(layout.symbolText, ink.symbolText, *ink.font);
  if (layout.frame > 0 && !layout.frameRect.isNull())
    DrawFrame(canvas, layout.frameRect, layout.frame, ink.bar);
  if (!ink.commentUp.isEmpty()) canvas.TextOut(layout.commentUp, ink.commentUp, *ink.font);
  if (!ink.commentDown.isEmpty()) canvas.TextOut(layout.commentDown, ink.commentDown, *ink.font);
}

}  // namespace plomix
