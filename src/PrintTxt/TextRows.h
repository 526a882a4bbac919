#pragma once
// The byte-level text helpers of the text list printer. Text is Shift-JIS bytes; lines
// end with CR LF; every count and position is in bytes.
#include <string>
#include <string_view>

namespace plomix {

// The line-number prefix of a row: empty for width 0; otherwise the number right-aligned
// in |width| characters followed by ": ". Digits beyond the field drop away from the left;
// a negative width pads with zeros instead of blanks.
std::string FormatLineNumber(int lineNumber, int width);

// `text` with each TAB replaced by blanks up to the next multiple of `tabWidth` bytes
// (counted from the start of `text`); a TAB as the last byte becomes one blank; with
// `tabWidth` 0 TABs are dropped.
std::string ExpandTabs(std::string_view text, int tabWidth);

// The number of bytes before the first CR LF pair, or the whole length when there is
// none. A CR that no LF follows is an ordinary byte.
std::size_t LineLength(std::string_view text);

// True when byte `k` of `line` starts a double-byte character whose second byte lies
// within the line. Scans from the start of the line, so a trail byte that looks like a
// lead byte is not mistaken for one.
bool IsDoubleByteStart(std::string_view line, std::size_t k);

// The part of a path after its last "\", "/" or ":" (double-byte characters whose second
// byte is "\" are not separators).
std::string FileNamePart(std::string_view path);

}  // namespace plomix
