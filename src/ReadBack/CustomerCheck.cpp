#include "ReadBack/CustomerCheck.h"

namespace plomix::readback {
namespace {

constexpr int kMiddleThird = 2;  // the digit's bit for the middle third, which every bar inks

QString ShapeName(int digit) {
  switch (digit) {
    case 0: return QStringLiteral("no bar");
    case 2: return QStringLiteral("a timing bar");
    case 3: return QStringLiteral("a descender");
    case 6: return QStringLiteral("an ascender");
    case 7: return QStringLiteral("a long bar");
    default: return QStringLiteral("a broken bar");
  }
}

// The runs of a row through the middle third: every bar, each `scale` wide.
Runs MiddleRowRuns(const std::string &pattern, std::size_t first, std::size_t last, int scale) {
  Runs runs;
  for (std::size_t i = first; i <= last; ++i) {
    const bool bar = ((pattern[i] - '0') & kMiddleThird) != 0;
    if (!runs.empty() && runs.back().first == bar)
      runs.back().second += scale;
    else
      runs.push_back({bar, scale});
  }
  return runs;
}

// The digit that column `x` (`scale` wide) shows in the bar rows from `top`: a third's bit
// when all its pixels are ink, -1 when a third is partly inked.
int ReadColumn(const QImage &image, const InkTest &ink, int x, int top, int scale) {
  int digit = 0;
  for (int third = 0; third < 3; ++third) {
    int inked = 0;
    for (int y = top + third * 2 * scale; y < top + (third + 1) * 2 * scale; ++y) {
      const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
      for (int dx = 0; dx < scale; ++dx) inked += ink(row[x + dx]) ? 1 : 0;
    }
    if (inked == 2 * scale * scale) digit |= 4 >> third;
    else if (inked != 0) return -1;
  }
  return digit;
}

}  // namespace

std::optional<QString> CustomerShapesProblem(const QImage &upright, const std::string &pattern, int scale,
                                             const InkTest &ink) {
  const std::size_t first = pattern.find_first_not_of('0'), last = pattern.find_last_not_of('0');
  if (first == std::string::npos || scale < 1) return QStringLiteral("the encoder drew no bars");
  const QImage image = upright.convertToFormat(QImage::Format_RGB32);
  const Runs middle = MiddleRowRuns(pattern, first, last, scale);
  const int third = 2 * scale;
  std::optional<QString> problem;
  Runs row;
  // Each row through the middle third finds where the bars stand; the bars' top then lies
  // one third above the first such row.
  for (int y = third; y + 2 * third <= image.height(); ++y) {
    RowRuns(image, y, ink, row);
    const std::optional<int> left = FindRuns(row, middle);
    if (!left) continue;
    const int top = y - third;
    std::optional<QString> here;
    for (std::size_t i = first; i <= last && !here; ++i) {
      const int read = ReadColumn(image, ink, *left + static_cast<int>(i - first) * scale, top, scale);
      const int drawn = pattern[i] - '0';
      if (read != drawn)
        here = QStringLiteral("column %1 of the pattern reads as %2 where the encoder drew %3")
                   .arg(i)
                   .arg(ShapeName(read), ShapeName(drawn));
    }
    if (!here) return std::nullopt;
    if (!problem) problem = here;
  }
  return problem ? problem
                 : QStringLiteral("no row of the picture holds the encoder's bars %1 pixel%2 wide on their pitch")
                       .arg(scale)
                       .arg(scale == 1 ? "" : "s");
}

}  // namespace plomix::readback
