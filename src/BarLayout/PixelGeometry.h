#pragma once
// Points, sizes and rectangles in whole pixels, with no toolkit type. A rectangle's
// right and bottom are its last column and row (right = x + width - 1), as the toolkit's
// rectangles count them, so that both sides of the program agree on every edge.
#include <algorithm>
#include <ostream>

namespace plomix {

struct PixelPoint {
  int x = 0, y = 0;
  friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
  friend PixelPoint operator+(PixelPoint a, PixelPoint b) { return {a.x + b.x, a.y + b.y}; }
  friend PixelPoint operator-(PixelPoint a, PixelPoint b) { return {a.x - b.x, a.y - b.y}; }
};

struct PixelSize {
  int width = 0, height = 0;
  friend bool operator==(const PixelSize &, const PixelSize &) = default;
};

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;

  // The rectangle from the corner (left, top) to the corner (right, bottom), both inside.
  static constexpr PixelRect Spanning(int left, int top, int right, int bottom) {
    return {left, top, right - left + 1, bottom - top + 1};
  }
  constexpr int Right() const { return x + width - 1; }
  constexpr int Bottom() const { return y + height - 1; }
  constexpr bool IsEmpty() const { return width <= 0 || height <= 0; }
  constexpr bool IsNull() const { return width == 0 && height == 0; }
  constexpr bool Contains(const PixelRect &r) const {
    return !r.IsEmpty() && r.x >= x && r.y >= y && r.Right() <= Right() && r.Bottom() <= Bottom();
  }
  // The part of this rectangle inside `r`; empty when they do not meet.
  constexpr PixelRect Intersected(const PixelRect &r) const {
    if (IsEmpty() || r.IsEmpty()) return {};
    const int left = std::max(x, r.x), top = std::max(y, r.y);
    const int right = std::min(Right(), r.Right()), bottom = std::min(Bottom(), r.Bottom());
    if (right < left || bottom < top) return {};
    return Spanning(left, top, right, bottom);
  }
  constexpr PixelRect Translated(PixelPoint d) const { return {x + d.x, y + d.y, width, height}; }
  friend bool operator==(const PixelRect &, const PixelRect &) = default;
};

// For test failure messages.
inline std::ostream &operator<<(std::ostream &out, const PixelPoint &p) { return out << '(' << p.x << ", " << p.y << ')'; }
inline std::ostream &operator<<(std::ostream &out, const PixelSize &s) { return out << s.width << 'x' << s.height; }
inline std::ostream &operator<<(std::ostream &out, const PixelRect &r) {
  return out << r.width << 'x' << r.height << '+' << r.x << '+' << r.y;
}

}  // namespace plomix
