#pragma once
// Font sizes are stored in points and drawn in pixels at the screen's dpi, as the
// system's fonts are: pixels = points x dpi / 72, rounded.
#include <QFont>

namespace plomix {

int FontSizePoints(const QFont &font, int dpi);
void SetFontSizePoints(QFont &font, int points, int dpi);

}  // namespace plomix
