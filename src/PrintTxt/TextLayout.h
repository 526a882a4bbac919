#pragma once
// Laying text out in a column: rows of the longest run of bytes that fits the column's
// width, each with its own line number. The same code measures (for the column index)
// and draws (for the pages), so what was measured is what reaches the paper.
#include <string_view>

namespace plomix {

class TTextSurface;

// A column in device pixels; Right and Bottom are the far edges (Left + width).
struct TColumnRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct TColumnUse {
  std::size_t Bytes = 0;  // bytes of text the column took
  int Lines = 0;          // rows it filled
};

constexpr int kMaxTabWidth = 32;
constexpr int kMaxLineNumberWidth = 8;

// Lays out row `row` (from 1) of `rect` from the start of `text`: the longest run of the
// current line that fits beside the line-number prefix, never splitting a double-byte
// character; the line's CR LF goes with the row that takes the rest of the line. Writes
// the row unless `measureOnly`. Returns the bytes used, 0 when nothing fits or an
// argument is out of range.
std::size_t LayoutLine(TTextSurface &surface, std::string_view text, const TColumnRect &rect,
                       int row, int tabWidth, int lineNumberWidth, int lineNumber,
                       bool measureOnly);

// Fills the rows of `rect` from the start of `text`, numbering them from `firstLine`.
TColumnUse LayoutColumn(TTextSurface &surface, std::string_view text, const TColumnRect &rect,
                        bool measureOnly, int firstLine, int lineNumberWidth, int tabWidth);

}  // namespace plomix
