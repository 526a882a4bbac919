#include "PrintTxt/TextLayout.h"

#include <cstdlib>
#include <string>

#include "Common/ShiftJis.h"
#include "PrintTxt/TextRows.h"
#include "PrintTxt/TextSurface.h"

namespace plomix {
namespace {

// A line is first measured whole only up to this many bytes; a longer one is probed at
// doubling lengths, so that a megabyte line is never shaped whole for every row.
constexpr std::size_t kFirstProbe = 256;
// No row holds more bytes than this, so a row never looks further for its line's end.
constexpr std::size_t kLongestRow = 1 << 16;

bool ArgumentsInRange(std::string_view text, int tabWidth, int lineNumberWidth) {
  return !text.empty() && tabWidth >= 0 && tabWidth <= kMaxTabWidth &&
         std::abs(lineNumberWidth) <= kMaxLineNumberWidth;
}

// The index of the last byte of the longest prefix of `line` that fits `available`
// pixels once its TABs are expanded; -1 for an empty line. At least one byte is taken.
// A short line is measured whole first; a long one is probed from the length a row of
// half-width characters would have, doubling, before the binary search between.
long LastFittingByte(const TTextSurface &surface, std::string_view line, int tabWidth,
                     int available) {
  const auto fits = [&](std::size_t length) {
    return surface.TextWidth(ExpandTabs(line.substr(0, length), tabWidth)) <= available;
  };
  const std::size_t n = line.size();
  const std::size_t halfWidths = 2 * static_cast<std::size_t>(available) /
                                 std::max(1, surface.KanjiWidth()) + 1;
  const std::size_t firstProbe = n <= kFirstProbe ? n : std::min(n, halfWidths);
  long lo = 0;
  long hi = 0;
  for (std::size_t length = firstProbe;; length = std::min(n, length * 2)) {
    if (!fits(length)) {
      hi = static_cast<long>(length) - 1;
      break;
    }
    if (length == n) return static_cast<long>(n) - 1;
    lo = static_cast<long>(length) - 1;
  }
  // lo + 1 bytes fit (or lo is 0), hi + 1 bytes do not.
  while (hi - lo > 1) {
    const long mid = (lo + hi) / 2;
    if (fits(static_cast<std::size_t>(mid) + 1)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return lo;
}

}  // namespace

std::size_t LayoutLine(TTextSurface &surface, std::string_view text, const TColumnRect &rect,
                       int row, int tabWidth, int lineNumberWidth, int lineNumber,
                       bool measureOnly) {
  if (!ArgumentsInRange(text, tabWidth, lineNumberWidth)) return 0;
  const std::string prefix = FormatLineNumber(lineNumber, lineNumberWidth);
  const int available = rect.Right - rect.Left + 1 - surface.PrefixWidth(prefix);
  if (surface.KanjiWidth() > available) return 0;
  const int height = surface.TextHeight();
  const long y = static_cast<long>(row - 1) * height;
  if (height <= 0 || y < 0 || y + height - 1 > rect.Bottom - rect.Top) return 0;

  // The line's end is looked for only as far as a row can reach; beyond, the line
  // goes on (one more byte of it is kept for the double-byte test).
  const std::size_t n = std::min(LineLength(text.substr(0, kLongestRow + 2)), kLongestRow);
  const std::string_view line = text.substr(0, n);
  const std::string_view lineOn = text.substr(0, text.substr(n, 2) == "\r\n" ? n : n + 1);
  long k = LastFittingByte(surface, line, tabWidth, available);
  if (k >= 0 && IsDoubleByteStart(lineOn, static_cast<std::size_t>(k))) --k;
  // A first character wider than the row still gets a row of its own: refusing it
  // would end the whole layout there and lose the rest of the text.
  if (k < 0 && !line.empty()) k = IsDoubleByteStart(lineOn, 0) ? 1 : 0;

  std::size_t used = static_cast<std::size_t>(k + 1);
  if (text.substr(used, 2) == "\r\n") used += 2;
  if (!measureOnly) {
    const std::string shown = prefix + ExpandTabs(text.substr(0, k + 1), tabWidth);
    surface.TextOut(rect.Left, rect.Top + static_cast<int>(y), SjisToUnicode(shown));
  }
  return used;
}

TColumnUse LayoutColumn(TTextSurface &surface, std::string_view text, const TColumnRect &rect,
                        bool measureOnly, int firstLine, int lineNumberWidth, int tabWidth) {
  TColumnUse use;
  const int height = surface.TextHeight();
  if (!ArgumentsInRange(text, tabWidth, lineNumberWidth) || height <= 0) return use;
  const int rows = (rect.Bottom - rect.Top + 1) / height;
  for (int row = 1; row <= rows && use.Bytes < text.size(); ++row) {
    const std::size_t used = LayoutLine(surface, text.substr(use.Bytes), rect, row, tabWidth,
                                        lineNumberWidth, firstLine + row - 1, measureOnly);
    if (used == 0) break;
    use.Bytes += used;
    ++use.Lines;
  }
  return use;
}

}  // namespace plomix
