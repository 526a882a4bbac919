#pragma once
// The encoders' inputs and results and the helpers they share. Encoders are pure functions:
// no Qt, no state; strings are Shift-JIS (CP932) bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plomix {

struct EncodeInput {
  std::string code;       // the barcode string
  bool cd = false;        // append the optional check character
  char startChar = 'A';   // NW-7 start letter, Code 128 start set ('A'..'D')
  char stopChar = 'A';    // NW-7 stop letter ('A'..'D')
};

// Why a code was refused.
enum class Refusal : std::uint8_t {
  None,
  EmptyCode,
  CharacterNotAllowed,  // a character the symbology cannot carry
  WrongLength,          // the symbology takes a fixed number of characters
  NotationError,        // a malformed escape such as Code 93's <X> or a number it cannot expand
};

constexpr std::string_view RefusalText(Refusal refusal) {
  switch (refusal) {
    case Refusal::EmptyCode: return "the code is empty";
    case Refusal::CharacterNotAllowed: return "a character is not allowed";
    case Refusal::WrongLength: return "the length is wrong";
    case Refusal::NotationError: return "the notation is wrong";
    case Refusal::None: break;
  }
  return {};
}

struct EncodeResult {
  std::string pattern;    // element pattern; empty = the code cannot be encoded
  std::string symbol;     // human-readable text
  int cdn = -1;           // check value; -1 = none
  char startChar = 0;     // corrected start character to write back; 0 = leave as it is
  Refusal refusal = Refusal::None;  // why `pattern` is empty
};

inline EncodeResult Refused(Refusal refusal) {
  EncodeResult out;
  out.refusal = refusal;
  return out;
}

using EncodeFunction = EncodeResult (*)(const EncodeInput &);

// Appends the element digits of one table row.
inline void AppendRow(std::string &pattern, std::string_view row) { pattern.append(row); }

// Position of `c` in `charset`, or -1.
inline int IndexIn(std::string_view charset, char c) {
  const std::size_t pos = charset.find(c);
  return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

// Sum of the module widths of an element row: digit d is (d / 2) + 1 modules.
constexpr int ModuleCount(std::string_view row) {
  int modules = 0;
  for (char c : row) modules += (c - '0') / 2 + 1;
  return modules;
}

// True when every character of `text` is one of "0123456789".
inline bool AllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Modulo-10 check digit of a digit string: weights 3, 1, 3, ... from the rightmost
// digit; (10 - sum mod 10) mod 10. The caller has checked that every character is a digit.
inline int Modulo10CheckDigit(std::string_view digits) {
  int sum = 0, weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return (10 - sum % 10) % 10;
}

// True when every row of a table is `length` digits long.
template <std::size_t N>
constexpr bool RowsHaveLength(const std::array<std::string_view, N> &rows, std::size_t length) {
  for (auto row : rows)
    if (row.size() != length) return false;
  return true;
}

// True when a width-coded row starts with a bar and then alternates: odd digits are bars,
// even digits spaces. A 0<->1 typo keeps a row's length and module count; not this.
constexpr bool RowAlternates(std::string_view row) {
  for (std::size_t i = 0; i < row.size(); ++i)
    if (((row[i] - '0') % 2 == 1) != (i % 2 == 0)) return false;
  return true;
}

template <std::size_t N>
constexpr bool RowsAlternate(const std::array<std::string_view, N> &rows) {
  for (auto row : rows)
    if (!RowAlternates(row)) return false;
  return true;
}

// True when every row of a table is `modules` modules wide.
template <std::size_t N>
constexpr bool RowsHaveModules(const std::array<std::string_view, N> &rows, int modules) {
  for (auto row : rows)
    if (ModuleCount(row) != modules) return false;
  return true;
}

}  // namespace plomix
