#pragma once
// Fonts keep their Windows names in settings ("ＭＳ Ｐゴシック"); the toolkit draws them
// with the metric-compatible IPA fonts.
#include <QFont>

#include "Common/Colors.h"

namespace plomix {

// Maps the Windows Japanese font names to the IPA fonts. Call once after the
// application object exists.
void InstallFontSubstitutions();

// A font with its colour, as the drawing uses it: text is written in the font's colour.
struct TFont {
  QFont Font;
  TColor Color = clWindowText;

  bool operator==(const TFont &) const = default;
};

// The design-time font of the program's symbols: "ＭＳ Ｐゴシック", 12 pixels high.
TFont DefaultSymbolFont();

}  // namespace plomix
