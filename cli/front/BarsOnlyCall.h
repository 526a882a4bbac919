#pragma once
// The calls plomix-cli's front serves itself: one code without text or comments, drawn
// as a bitmap into a .bmp or .png file (or into no file). Everything else, and every call
// the front is not sure of (an option it does not serve, a value it does not read exactly
// as the full program would, any error), goes to the full program, which gives its
// answer and its messages as always: so a bad call reads the same whichever way it came.
#include <optional>
#include <string>

#include "Encoders/BarTypes.h"

namespace plomix::cli {

enum class BarsOnlyFile { None, Bmp, Png };

struct BarsOnlyCall {
  std::string code;  // printable ASCII: the same bytes in Shift-JIS
  TBarTypes type = cbarJAN;
  bool cd = true;
  char startChar = 'A', stopChar = 'A';
  int scale = 1, ratio = 20, height = 100, frame = 0, angle = 0;
  bool reverse = false;
  int spaceLeft = 10, spaceRight = 10, spaceUp = 10, spaceDown = 10;
  std::uint32_t bar = 0xFF000000u, back = 0xFFFFFFFFu;  // 0xAARRGGBB
  std::string output;  // the file name's bytes (UTF-8); empty: no file
  BarsOnlyFile file = BarsOnlyFile::None;
};

// The call when the front can serve it, else nothing (the full program runs). `args` are
// the arguments after the program name.
std::optional<BarsOnlyCall> ReadBarsOnlyCall(int argc, const char *const *args);

}  // namespace plomix::cli
