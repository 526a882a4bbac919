#pragma once
// Address text as Unicode code points: UTF-8 in and out, and the width folding every
// rule works on (full-width digits, letters and hyphens as their half-width forms).
#include <string>
#include <string_view>

namespace plomix::address {

// UTF-8 to code points; a byte that starts no valid sequence becomes U+FFFD.
std::u32string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::u32string_view text);

// Full-width ASCII forms to ASCII, the ideographic space to a blank, and the dashes an
// address is written with ("－", "‐", "−", and "ー" or "ｰ" after a digit) to "-".
std::u32string FoldWidth(std::u32string_view text);

constexpr bool IsAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
constexpr bool IsAsciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }
constexpr bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

}  // namespace plomix::address
