#pragma once
// The line rules of the program's text files (data files and the environment file):
// on reading, a line ends at CR, at LF or at CR LF, a NUL byte ends the text, and a
// last line without a line end still counts; on writing, every line, the last one
// too, ends with CR LF, and an empty list gives an empty file. Bytes are kept as they
// are (Shift-JIS text, never converted).
#include <string>
#include <string_view>
#include <vector>

namespace plomix {

// Splits file bytes into lines. "" gives no lines; "a\r\n" gives one; "a\r\n\r\n" two.
std::vector<std::string> SplitTextLines(std::string_view bytes);

// Joins lines for writing: each line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string> &lines);

}  // namespace plomix
