#pragma once
// Where every column of the text begins, found once by measuring, so that each page is
// drawn by jumping straight to its columns.
#include <string_view>
#include <vector>

#include "PrintTxt/TextLayout.h"

namespace plomix {

struct TColumnIndex {
  // One entry per column plus an end entry (the offset and line after the last column).
  std::vector<std::size_t> ColumnStart;  // byte offset in the text
  std::vector<int> ColumnFirstLine;      // number of the column's first row
  int Count() const { return ColumnStart.empty() ? 0 : static_cast<int>(ColumnStart.size()) - 1; }
};

// Lays the whole text out in columns of `rect`'s size, measuring only. Empty when the
// text is empty or some column could take no byte (nothing fits).
TColumnIndex BuildColumnIndex(TTextSurface &surface, std::string_view text,
                              const TColumnRect &rect, int lineNumberWidth, int tabWidth);

}  // namespace plomix
