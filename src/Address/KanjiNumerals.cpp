#include "Address/KanjiNumerals.h"

namespace plomix::address {
namespace {

int DigitValue(char32_t c) {
  switch (c) {
    case U'〇': case U'零': return 0;
    case U'一': case U'壱': return 1;
    case U'二': case U'弐': return 2;
    case U'三': case U'参': return 3;
    case U'四': return 4;
    case U'五': return 5;
    case U'六': return 6;
    case U'七': return 7;
    case U'八': return 8;
    case U'九': return 9;
    default: return -1;
  }
}

int MultiplierValue(char32_t c) { return c == U'十' ? 10 : c == U'百' ? 100 : c == U'千' ? 1000 : 0; }

}  // namespace

bool IsKanjiNumeral(char32_t c) { return DigitValue(c) >= 0 || MultiplierValue(c) > 0; }

std::optional<std::string> KanjiNumberDigits(std::u32string_view run) {
  if (run.empty()) return std::nullopt;
  bool hasMultiplier = false;
  for (const char32_t c : run) {
    if (!IsKanjiNumeral(c)) return std::nullopt;
    hasMultiplier = hasMultiplier || MultiplierValue(c) > 0;
  }
  if (!hasMultiplier) {  // written digit by digit: 一〇五
    std::string digits;
    for (const char32_t c : run) digits.push_back(static_cast<char>('0' + DigitValue(c)));
    return digits;
  }
  // 二千三百五 = 2×1000 + 3×100 + 5; each multiplier smaller than the one before it.
  long total = 0;
  int pending = -1;  // a digit waiting for its multiplier
  int lastMultiplier = 10000;
  for (const char32_t c : run) {
    if (const int m = MultiplierValue(c)) {
      if (m >= lastMultiplier) return std::nullopt;
      total += static_cast<long>(pending < 0 ? 1 : pending) * m;
      pending = -1;
      lastMultiplier = m;
    } else {
      if (pending >= 0) return std::nullopt;  // two digits in a row beside a multiplier
      pending = DigitValue(c);
    }
  }
  if (pending >= 0) total += pending;
  return std::to_string(total);
}

}  // namespace plomix::address
