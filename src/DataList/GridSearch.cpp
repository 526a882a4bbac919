#include "DataList/GridSearch.h"

#include "Common/ShiftJis.h"

namespace plomix {

bool ContainsOnCharBoundary(std::string_view text, std::string_view needle) {
  std::size_t boundary = 0;  // the character start at or after every position tried so far
  for (std::size_t at = text.find(needle); at != std::string_view::npos;
       at = text.find(needle, at + 1)) {
    while (boundary < at)
      boundary += IsSjisLeadByte(static_cast<unsigned char>(text[boundary])) ? 2 : 1;
    if (boundary == at) return true;
  }
  return false;
}

int FindCellIndex(int start, int last, bool forward, std::string_view text, bool exact,
                  const std::function<std::string_view(int k)> &cell) {
  const int step = forward ? 1 : -1;
  const int end = forward ? last + 1 : -1;
  for (int k = start + step; forward ? k < end : k > end; k += step) {
    const std::string_view value = cell(k);
    if (exact ? value == text : ContainsOnCharBoundary(value, text)) return k;
  }
  return -1;
}

}  // namespace plomix
