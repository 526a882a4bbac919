#pragma once
// Reading drawn bitmaps back: runs of bar and background pixels along a row or column.
#include <QImage>
#include <string>
#include <vector>

namespace plomix::test {

struct Run {
  bool bar;
  int length;
  bool operator==(const Run &) const = default;
};

// Runs of pixels equal to `barColor` (bar) and of any other colour along row y.
inline std::vector<Run> RowRuns(const QImage &image, int y, QRgb barColor = 0xFF000000) {
  std::vector<Run> runs;
  for (int x = 0; x < image.width(); ++x) {
    const bool bar = image.pixel(x, y) == barColor;
    if (runs.empty() || runs.back().bar != bar) runs.push_back({bar, 0});
    ++runs.back().length;
  }
  return runs;
}

// First and last x of `color` on row y, or {-1, -1}.
inline std::pair<int, int> ColorSpan(const QImage &image, int y, QRgb color) {
  int first = -1, last = -1;
  for (int x = 0; x < image.width(); ++x)
    if (image.pixel(x, y) == color) {
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

// Rows (first, last) on which column x has `color`, or {-1, -1}.
inline std::pair<int, int> ColumnSpan(const QImage &image, int x, QRgb color) {
  int first = -1, last = -1;
  for (int y = 0; y < image.height(); ++y)
    if (image.pixel(x, y) == color) {
      if (first < 0) first = y;
      last = y;
    }
  return {first, last};
}

// The bounding rectangle of pixels that are neither of the two colours (text).
inline QRect InkOutside(const QImage &image, QRgb a, QRgb b, QRect within) {
  QRect box;
  for (int y = within.top(); y <= within.bottom(); ++y)
    for (int x = within.left(); x <= within.right(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (p != a && p != b) box = box.united(QRect(x, y, 1, 1));
    }
  return box;
}

}  // namespace plomix::test
