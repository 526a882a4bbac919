#pragma once
// What a drawn symbol is made of, taken from the symbol after a drawing: its layout in the
// unturned picture, its texts and colours, its module and turn. Enough to draw the symbol
// again at another resolution without the symbol object.
#include <QColor>
#include <QSize>
#include <string>

#include "Symbol/SymbolDrawing.h"
#include "Symbol/SymbolLayout.h"

namespace plomix {

class TBarSymbol;

struct TSnapSource {
  SymbolLayout Layout;
  SymbolInk Ink;           // its pattern pointer points at `Pattern` of this value
  std::string Pattern;
  TFont Font;
  QSize Picture;           // the whole picture before it is turned, screen pixels
  int Scale = 1;           // pixels per module on screen
  int Angle = 0;           // turn and mirror of the picture as shown
  bool Reverse = false;
  bool Transparent = false;

  TSnapSource() = default;
  TSnapSource(const TSnapSource &other) { *this = other; }
  TSnapSource &operator=(const TSnapSource &other);
};

// The symbol as its last drawing left it; nothing useful unless it is displayed.
TSnapSource SnapSourceOf(const TBarSymbol &symbol);

}  // namespace plomix
