#pragma once
// The bars' part of a symbol's drawing, on any surface: its background, the bars (or the
// customer barcode's element shapes) and the frame. The text is drawn between the bars
// and the frame by whoever has fonts; a symbol without text is drawn by this alone.
// A template over the colour type: the toolkit's canvases keep their own colours, the
// plain pixel canvas takes 0xAARRGGBB.
#include <string>
#include <vector>

#include "BarLayout/SymbolLayout.h"
#include "Encoders/SymbologyTable.h"

namespace plomix {

template <typename Colour>
class TBarSurface {
 public:
  virtual ~TBarSurface() = default;
  // Fills the rectangle.
  virtual void FillRect(const PixelRect &rect, const Colour &color) = 0;
  // For each span, `width` columns from row `top` down `length` rows. With a
  // `background`, the gaps between the first and the last bar are filled with it first.
  virtual void BarRun(const std::vector<BarSpan> &spans, int top, int length, const Colour &color,
                      const Colour *background) = 0;
};

template <typename Colour>
struct TBarInk {
  TBarTypes type = cbarJAN;
  int scale = 1;
  const std::string *pattern = nullptr;  // for symbologies that draw their own elements
  Colour bar{};
  Colour back{};
  PixelRect background;  // filled with `back` under the symbol; none when empty
};

// The customer barcode's element `digit` at `position` (from 0): its digits are bar
// shapes on a fixed pitch, not widths. `left` is the symbol's left bar edge.
template <typename Colour>
void DrawCustomerElement(TBarSurface<Colour> &surface, int left, int top, int position, int scale, char digit,
                         const Colour &color) {
  const int bits = digit - '0';
  if (bits <= 0 || bits > 7) return;
  // Column i lies one column left of i × scale: the start code's first column is empty.
  const int x = left + (position - 1) * scale;
  const int third = 2 * scale;
  // Bits from the top: 4 top third, 2 middle, 1 bottom. Adjacent thirds make one bar.
  int firstThird = -1;
  for (int t = 0; t <= 3; ++t) {
    const bool filled = t < 3 && (bits & (4 >> t)) != 0;
    if (filled && firstThird < 0) firstThird = t;
    if (!filled && firstThird >= 0) {
      surface.FillRect(PixelRect{x, top + firstThird * third, scale, (t - firstThird) * third}, color);
      firstThird = -1;
    }
  }
}

// The background (with the bars between the first and the last, so that a bitmap's
// pixels there are written once) and the bars.
template <typename Colour>
void DrawBackgroundAndBars(TBarSurface<Colour> &surface, const SymbolLayout &layout, const TBarInk<Colour> &ink) {
  const std::vector<BarSpan> &bars = layout.bars;
  const int top = layout.barTop;
  if (!ink.background.IsEmpty()) {
    if (bars.empty()) {
      surface.FillRect(ink.background, ink.back);
    } else {
      const PixelRect outer = ink.background;
      const PixelRect hole = PixelRect::Spanning(bars.front().x, top, bars.back().x + bars.back().width - 1,
                                                 top + layout.barLength - 1);
      // Around the band: above, below, left and right of it.
      surface.FillRect(PixelRect::Spanning(outer.x, outer.y, outer.Right(), hole.y - 1), ink.back);
      surface.FillRect(PixelRect::Spanning(outer.x, hole.Bottom() + 1, outer.Right(), outer.Bottom()), ink.back);
      surface.FillRect(PixelRect::Spanning(outer.x, hole.y, hole.x - 1, hole.Bottom()), ink.back);
      surface.FillRect(PixelRect::Spanning(hole.Right() + 1, hole.y, outer.Right(), hole.Bottom()), ink.back);
      surface.BarRun(bars, top, layout.barLength, ink.bar, &ink.back);
    }
  }
  if (Symbology(ink.type).ownElementShapes) {
    if (ink.pattern != nullptr)
      for (std::size_t i = 0; i < ink.pattern->size(); ++i)
        DrawCustomerElement(surface, layout.barLeft, top, static_cast<int>(i), ink.scale, (*ink.pattern)[i], ink.bar);
  } else if (ink.background.IsEmpty()) {
    surface.BarRun(bars, top, layout.barLength, ink.bar, nullptr);
  }
}

// The frame, `layout.frame` pixels wide inside `layout.frameRect`, when it has one.
template <typename Colour>
void DrawSymbolFrame(TBarSurface<Colour> &surface, const SymbolLayout &layout, const Colour &color) {
  if (layout.frame <= 0 || layout.frameRect.IsNull()) return;
  const PixelRect &r = layout.frameRect;
  const int F = layout.frame;
  const int left = r.x, top = r.y, right = r.x + r.width, bottom = r.y + r.height;
  surface.FillRect(PixelRect::Spanning(left, top, right - 1, top + F - 1), color);
  surface.FillRect(PixelRect::Spanning(left, bottom - F, right - 1, bottom - 1), color);
  surface.FillRect(PixelRect::Spanning(left, top + F, left + F - 1, bottom - F - 1), color);
  surface.FillRect(PixelRect::Spanning(right - F, top + F, right - 1, bottom - F - 1), color);
}

}  // namespace plomix
