#pragma once
// Where each symbology's section starts in Readme.txt (zero-based line), by BarType.
#include <array>

namespace plomix {

constexpr std::array<int, 12> kReadmeSectionLines = {60,  80,  100, 165, 185, 205,
                                                     225, 245, 265, 285, 305, 449};

constexpr int ReadmeSectionLine(int barType) {
  return barType >= 0 && barType < static_cast<int>(kReadmeSectionLines.size())
             ? kReadmeSectionLines[barType]
             : 0;
}

}  // namespace plomix
