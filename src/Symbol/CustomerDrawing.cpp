#include "Symbol/CustomerDrawing.h"

#include "Symbol/BarCanvas.h"

namespace plomix {

int CustomerPatternWidth(const std::string &pattern, int scale) {
  const std::size_t first = pattern.find_first_not_of('0');
  if (first == std::string::npos) return 0;
  const std::size_t last = pattern.find_last_not_of('0');
  // With the start code's two empty columns this reaches from the origin to the right
  // edge of the last bar.
  return static_cast<int>(last - first + 2) * scale;
}

void DrawCustomerElement(TBarCanvas &canvas, int left, int top, int barOffset, int position,
                         int scale, char digit, int, const QColor &color) {
  const int bits = digit - '0';
  if (bits <= 0 || bits > 7) return;
  // Column i lies one column left of i × scale: the start code's first column is empty.
  const int x = left + barOffset + (position - 1) * scale;
  const int third = 2 * scale;
  // Bits from the top: 4 top third, 2 middle, 1 bottom. Adjacent thirds make one bar.
  int firstThird = -1;
  for (int t = 0; t <= 3; ++t) {
    const bool filled = t < 3 && (bits & (4 >> t)) != 0;
    if (filled && firstThird < 0) firstThird = t;
    if (!filled && firstThird >= 0) {
      canvas.FillRect(QRect(x, top + firstThird * third, scale, (t - firstThird) * third), color);
      firstThird = -1;
    }
  }
}

}  // namespace plomix
