#pragma once
// The surface a symbol is drawn on. The layout speaks only to this interface, so the
// same drawing fills a bitmap or records a metafile.
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "BarLayout/SymbolLayout.h"
#include "Common/Fonts.h"

namespace plomix {

class TBarCanvas {
 public:
  virtual ~TBarCanvas() = default;

  // Width and height of `text` written in `font` (height: the font's cell height).
  virtual QSize TextExtent(const QString &text, const TFont &font) = 0;

  // Fills the rectangle; its right and bottom edges are exclusive.
  virtual void FillRect(const QRect &rect, const QColor &color) = 0;

  // `count` adjacent one-pixel vertical lines starting at column x, each from row `top`
  // down to row top + length, the end point not included.
  virtual void VerticalLines(int x, int top, int count, int length, const QColor &color) = 0;

  // A run of bars: for each (x, width) span, `width` one-pixel vertical lines from row
  // `top` down to row top + length (end excluded). With a `background`, the gaps between
  // the first and the last bar are filled with it first, so a canvas may build one row
  // and copy it down.
  using Span = BarSpan;
  virtual void BarRun(const std::vector<Span> &spans, int top, int length, const QColor &color,
                      const QColor *background) {
    if (spans.empty()) return;
    if (background)
      FillRect(QRect(spans.front().x, top, spans.back().x + spans.back().width - spans.front().x, length),
               *background);
    for (const Span &span : spans) VerticalLines(span.x, top, span.width, length, color);
  }

  // Writes `text` in the font's colour with no background; (x, y) is its top-left.
  virtual void TextOut(QPoint topLeft, const QString &text, const TFont &font) = 0;
};

}  // namespace plomix
