#pragma once
// Searching the data list's cells. Cells are numbered row by row, three to a row:
// k = (row - 1) * 3 + (column - 1). Text is Shift-JIS bytes: a match starts on a
// character boundary, never on the second byte of a double-byte character.
#include <functional>
#include <string_view>

namespace plomix {

// True when `needle` occurs in `text` at a character boundary (an empty needle always).
bool ContainsOnCharBoundary(std::string_view text, std::string_view needle);

// Tests cells start+1 .. last (forward) or start-1 .. 0 (backward), no wrap-around;
// `cell(k)` gives cell k's text. Exact: the whole cell equals `text`; otherwise `text`
// occurs in it. Returns the first matching k, or -1.
int FindCellIndex(int start, int last, bool forward, std::string_view text, bool exact,
                  const std::function<std::string_view(int k)> &cell);

}  // namespace plomix
