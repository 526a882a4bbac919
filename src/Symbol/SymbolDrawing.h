#pragma once
// Draws a laid-out symbol on any canvas: background, bars, text, frame and comments. The
// bars' part is BarLayout/BarPainting.h's, the one drawing of bars for every output.
#include <QColor>
#include <QRect>
#include <QString>
#include <string>

#include "Symbol/BarCanvas.h"
#include "Encoders/BarTypes.h"
#include "Symbol/SymbolLayout.h"
#include "Common/Fonts.h"

namespace plomix {

// What is drawn where the layout says. Empty texts are not written.
struct SymbolInk {
  TBarTypes type = cbarJAN;
  int scale = 1;
  const std::string *pattern = nullptr;  // for symbologies that draw their own elements
  QString symbolText, commentUp, commentDown;
  const TFont *font = nullptr;
  QColor bar;
  QColor back;
  QRect background;  // filled with `back` under the symbol; none when empty
};

void DrawSymbol(TBarCanvas &canvas, const SymbolLayout &layout, const SymbolInk &ink);

}  // namespace plomix
