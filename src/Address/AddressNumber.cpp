#include "Address/AddressNumber.h"

#include <array>

#include "Address/AddressText.h"
#include "Address/KanjiNumerals.h"

namespace plomix::address {
namespace {

// The words after which a kanji numeral is a number of the address, longest first so
// that 丁目 wins over 丁 and 番地 over 番.
constexpr std::array<std::u32string_view, 9> kUnits = {U"丁目", U"番地", U"地割", U"丁", U"番",
                                                       U"号", U"線", U"の", U"ノ"};

bool StartsWithUnit(std::u32string_view text) {
  for (const std::u32string_view unit : kUnits)
    if (text.starts_with(unit)) return true;
  return false;
}

// Signs dropped before anything else, closing up the text: & / ・ . (and the half-width
// middle dot).
bool IsDroppedSign(char32_t c) { return c == U'&' || c == U'/' || c == U'・' || c == U'.' || c == U'\uFF65'; }

bool IsUpper(char32_t c) { return c >= U'A' && c <= U'Z'; }

}  // namespace

std::u32string ConvertNumeralsBeforeUnits(std::u32string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (!IsKanjiNumeral(text[i])) {
      out.push_back(text[i++]);
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsKanjiNumeral(text[end])) ++end;
    const std::u32string_view run = text.substr(i, end - i);
    const auto digits = StartsWithUnit(text.substr(end)) ? KanjiNumberDigits(run) : std::nullopt;
    if (digits)
      out.append(digits->begin(), digits->end());
    else
      out.append(run);
    i = end;
  }
  return out;
}

std::string ExtractAddressNumber(std::u32string_view addressB) {
  // Kanji numerals before the unit words become digits, then letters are capitalised
  // and & / ・ . dropped.
  std::u32string text = ConvertNumeralsBeforeUnits(FoldWidth(addressB));
  std::u32string cleaned;
  cleaned.reserve(text.size());
  for (char32_t c : text) {
    if (IsDroppedSign(c)) continue;
    if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
    cleaned.push_back(c);
  }

  // Digits, hyphens and lone letters are kept; an F right after a digit is a floor
  // ("2F") and, like everything else (kanji, kana, blanks, runs of two or more letters),
  // separates. Separators before a kept character become one hyphen; at the end, nothing.
  std::string out;
  bool separatorPending = false;
  for (std::size_t i = 0; i < cleaned.size(); ++i) {
    const char32_t c = cleaned[i];
    bool kept = IsAsciiDigit(c) || c == U'-';
    if (IsUpper(c)) {
      const bool letterBefore = i > 0 && IsUpper(cleaned[i - 1]);
      const bool letterAfter = i + 1 < cleaned.size() && IsUpper(cleaned[i + 1]);
      const bool floor = c == U'F' && i > 0 && IsAsciiDigit(cleaned[i - 1]);
      kept = !letterBefore && !letterAfter && !floor;
    }
    if (!kept) {
      separatorPending = true;
      continue;
    }
    if (separatorPending) out.push_back('-');
    separatorPending = false;
    out.push_back(static_cast<char>(c));
  }

  // Hyphen runs become one hyphen; hyphens next to a letter, at the start and at the end go.
  std::string merged;
  for (const char c : out) {
    if (c == '-' && (merged.empty() || merged.back() == '-' || IsUpper(static_cast<unsigned char>(merged.back()))))
      continue;
    if (IsUpper(static_cast<unsigned char>(c)) && !merged.empty() && merged.back() == '-') merged.pop_back();
    merged.push_back(c);
  }
  while (!merged.empty() && merged.back() == '-') merged.pop_back();
  return merged;
}

}  // namespace plomix::address
