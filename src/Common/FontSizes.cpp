#include "Common/FontSizes.h"

#include <cmath>

namespace plomix {

int FontSizePoints(const QFont &font, int dpi) {
  if (font.pixelSize() > 0) return static_cast<int>(std::lround(font.pixelSize() * 72.0 / dpi));
  return static_cast<int>(std::lround(font.pointSizeF()));
}

void SetFontSizePoints(QFont &font, int points, int dpi) {
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
}

}  // namespace plomix
