#include "Symbol/SymbolDrawing.h"

#include "BarLayout/BarPainting.h"

namespace plomix {
namespace {

// The bars' drawing speaks to a canvas through this.
class TCanvasSurface final : public TBarSurface<QColor> {
 public:
  explicit TCanvasSurface(TBarCanvas &canvas) : FCanvas(canvas) {}
  void FillRect(const PixelRect &rect, const QColor &color) override { FCanvas.FillRect(ToQRect(rect), color); }
  void BarRun(const std::vector<BarSpan> &spans, int top, int length, const QColor &color,
              const QColor *background) override {
    FCanvas.BarRun(spans, top, length, color, background);
  }

 private:
  TBarCanvas &FCanvas;
};

}  // namespace

void DrawSymbol(TBarCanvas &canvas, const SymbolLayout &layout, const SymbolInk &ink) {
  TCanvasSurface surface(canvas);
  const TBarInk<QColor> bars{ink.type, ink.scale, ink.pattern, ink.bar, ink.back, ToPixelRect(ink.background)};
  DrawBackgroundAndBars(surface, layout, bars);
  if (!ink.symbolText.isEmpty()) canvas.TextOut(ToQPoint(layout.symbolText), ink.symbolText, *ink.font);
  DrawSymbolFrame(surface, layout, ink.bar);
  if (!ink.commentUp.isEmpty()) canvas.TextOut(ToQPoint(layout.commentUp), ink.commentUp, *ink.font);
  if (!ink.commentDown.isEmpty()) canvas.TextOut(ToQPoint(layout.commentDown), ink.commentDown, *ink.font);
}

}  // namespace plomix
