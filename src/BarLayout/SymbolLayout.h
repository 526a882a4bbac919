#pragma once
// Where every part of a symbol goes: from the symbol's settings, the encoded pattern and
// the sizes of its texts to the rectangles, text positions and picture size. Plain C++:
// the symbol control, the printer, the preview and plomix-cli's bars-only path all place
// symbols with this one layout.
#include <string>
#include <vector>

#include "BarLayout/PixelGeometry.h"
#include "Encoders/BarTypes.h"

namespace plomix {

// A run of `width` one-pixel columns from column `x`: one dark element.
struct BarSpan {
  int x, width;
};

// The settings that decide the geometry. `left`/`top` is the symbol's top-left corner
// (its margins included) in the unturned picture.
struct SymbolSettings {
  TBarTypes type = cbarJAN;
  int scale = 1;
  int elementRatio = 20;
  int barHeight = 105;  // bars and symbol text together
  int frame = 0;
  int spaceUp = 0, spaceDown = 0, spaceLeft = 10, spaceRight = 10;
  TLocation commentUpLoc = locLeft, commentDownLoc = locLeft;
  int left = 0, top = 0;
};

// Sizes of the texts as written; an empty size for a text that is not shown.
struct SymbolTextSizes {
  PixelSize symbol, commentUp, commentDown;
};

struct SymbolLayout {
  // What the settings become once the texts are known: the bar height raised to hold the
  // symbol text (the customer barcode's fixed by its bars), the symbol's width and the
  // frame narrowed to fit its rectangle (0 when none fits).
  int barHeight = 0;
  int barWidth = 0;
  int frame = 0;

  int patternWidth = 0;
  int barLength = 0;                 // rows of the bars
  PixelSize size;                    // the symbol with its margins
  PixelPoint origin;                 // top-left of `size`
  int barLeft = 0;                   // left edge of the first element
  int barTop = 0;                    // top row of the bars
  std::vector<BarSpan> bars;         // the dark elements (empty for the customer barcode)
  PixelPoint symbolText, commentUp, commentDown;  // top-left of each text
  PixelRect frameRect;               // outer edge of the frame; empty when none is drawn

  PixelRect Bounds() const { return {origin.x, origin.y, size.width, size.height}; }
};

// Lays out a symbol. Returns false (leaving `out` partly filled) when the pattern has no
// width. `out` is reused so that drawing after drawing allocates nothing.
bool LayoutSymbol(const SymbolSettings &settings, const std::string &pattern,
                  const SymbolTextSizes &texts, SymbolLayout &out);

// Moves the whole layout so that its top-left corner is `origin`.
void MoveSymbolLayout(SymbolLayout &layout, PixelPoint origin);

// The top-left corner, in the unturned picture, of a symbol of `size` that should appear
// at `requested` once the picture of `pictureSize` (as shown) is turned by `angle`.
PixelPoint UnturnedOrigin(int angle, PixelPoint requested, PixelSize symbolSize, PixelSize pictureSize);

// Width in pixels of a customer barcode pattern at `scale`; 0 = nothing to draw.
int CustomerPatternWidth(const std::string &pattern, int scale);

}  // namespace plomix
