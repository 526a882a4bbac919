#pragma once
// Kanji numerals as Arabic digits: "三" 3, "十二" 12, "二十" 20, "百五" 105, and the
// positional form "一〇五" 105.
#include <optional>
#include <string>
#include <string_view>

namespace plomix::address {

bool IsKanjiNumeral(char32_t c);

// The decimal digits of a run of kanji numerals, or nothing when the run is not a number
// (empty, a multiplier twice in the wrong order, a positional run mixed with 十百千).
std::optional<std::string> KanjiNumberDigits(std::u32string_view run);

}  // namespace plomix::address
