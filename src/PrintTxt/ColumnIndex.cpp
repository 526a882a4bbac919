#include "PrintTxt/ColumnIndex.h"

namespace plomix {

TColumnIndex BuildColumnIndex(TTextSurface &surface, std::string_view text,
                              const TColumnRect &rect, int lineNumberWidth, int tabWidth) {
  TColumnIndex index;
  std::size_t position = 0;
  int line = 1;
  while (position < text.size()) {
    index.ColumnStart.push_back(position);
    index.ColumnFirstLine.push_back(line);
    const TColumnUse use = LayoutColumn(surface, text.substr(position), rect, true, line,
                                        lineNumberWidth, tabWidth);
    if (use.Bytes == 0) return {};
    position += use.Bytes;
    line += use.Lines;
  }
  if (index.ColumnStart.empty()) return {};
  index.ColumnStart.push_back(position);
  index.ColumnFirstLine.push_back(line);
  return index;
}

}  // namespace plomix
