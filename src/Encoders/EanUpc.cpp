// JAN/EAN (EAN-13, EAN-8) and UPC (UPC-A, UPC-E): seven one-module elements per digit
// from the three EAN/UPC character sets, always with the modulo-10 check digit.
#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

using DigitRows = std::array<std::string_view, 10>;

// "1" is a one-module bar, "0" a one-module space.
constexpr DigitRows kSetA = {"0001101", "0011001", "0010011", "0111101", "0100011",
                             "0110001", "0101111", "0111011", "0110111", "0001011"};
constexpr DigitRows kSetB = {"0100111", "0110011", "0011011", "0100001", "0011101",
                             "0111001", "0000101", "0010001", "0001001", "0010111"};
constexpr DigitRows kSetC = {"1110010", "1100110", "1101100", "1000010", "1011100",
                             "1001110", "1010000", "1000100", "1001000", "1110100"};
// Sets of the six left-hand EAN-13 digits by the leading digit: "1" = set A, "0" = set B.
constexpr DigitRows kEan13Parity = {"111111", "110100", "110010", "110001", "101100",
                                    "100110", "100011", "101010", "101001", "100101"};
// Sets of the six UPC-E digits by the check digit (number system 0).
constexpr DigitRows kUpcEParity = {"000111", "001011", "001101", "001110", "010011",
                                   "011001", "011100", "010101", "010110", "011010"};

constexpr std::string_view kStartGuard = "101";
constexpr std::string_view kCentreGuard = "01010";
constexpr std::string_view kEnd = "1010";         // end guard and one space module
constexpr std::string_view kUpcEEnd = "0101010";  // UPC-E end guard and one space module

// Set C is set A inverted, set B is set C reversed: the standard's construction.
constexpr bool SetsAreConsistent() {
  for (std::size_t d = 0; d < 10; ++d)
    for (std::size_t i = 0; i < 7; ++i) {
      if ((kSetA[d][i] == '1') == (kSetC[d][i] == '1')) return false;
      if (kSetB[d][i] != kSetC[d][6 - i]) return false;
    }
  return true;
}
static_assert(RowsHaveLength(kSetA, 7) && RowsHaveLength(kSetB, 7) && RowsHaveLength(kSetC, 7));
static_assert(RowsHaveLength(kEan13Parity, 6) && RowsHaveLength(kUpcEParity, 6));
static_assert(SetsAreConsistent());

void AppendDigit(std::string &pattern, const DigitRows &set, char digit) {
  AppendRow(pattern, set[static_cast<std::size_t>(digit - '0')]);
}

// The digits `from`..`to` (0-based, inclusive) of `number`, each from set A or B as
// `parity` says, position by position.
void AppendWithParity(std::string &pattern, const std::string &number, std::size_t from,
                      std::string_view parity) {
  for (std::size_t i = 0; i < parity.size(); ++i)
    AppendDigit(pattern, parity[i] == '1' ? kSetA : kSetB, number[from + i]);
}

void AppendRightHalf(std::string &pattern, const std::string &number, std::size_t from,
                     std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) AppendDigit(pattern, kSetC, number[from + i]);
}

// "101", the left digits from set A, "01010", the right digits from set C, "1010":
// EAN-8 and UPC-A.
std::string TwoHalvesAllSetA(const std::string &number) {
  const std::size_t half = number.size() / 2;
  std::string pattern(kStartGuard);
  AppendWithParity(pattern, number, 0, std::string(half, '1'));
  AppendRow(pattern, kCentreGuard);
  AppendRightHalf(pattern, number, half, half);
  AppendRow(pattern, kEnd);
  return pattern;
}

EncodeResult WithCheckDigit(const std::string &number, int check) {
  EncodeResult out;
  out.symbol = number + static_cast<char>('0' + check);
  out.cdn = check;
  return out;
}

// Why a code of `longLength` or `shortLength` digits is refused, if it is.
Refusal DigitsRefusal(const std::string &code, std::size_t longLength, std::size_t shortLength) {
  if (code.empty()) return Refusal::EmptyCode;
  if (!AllDigits(code)) return Refusal::CharacterNotAllowed;
  if (code.size() != longLength && code.size() != shortLength) return Refusal::WrongLength;
  return Refusal::None;
}

}  // namespace

EncodeResult EncodeJAN(const EncodeInput &in) {
  const std::string &code = in.code;
  if (const Refusal refusal = DigitsRefusal(code, 12, 7); refusal != Refusal::None) return Refused(refusal);
  EncodeResult out = WithCheckDigit(code, Modulo10CheckDigit(code));
  const std::string &number = out.symbol;
  if (number.size() == 13) {
    // The leading digit is not drawn: it only picks the sets of the left half.
    std::string pattern(kStartGuard);
    AppendWithParity(pattern, number, 1, kEan13Parity[static_cast<std::size_t>(number[0] - '0')]);
    AppendRow(pattern, kCentreGuard);
    AppendRightHalf(pattern, number, 7, 6);
    AppendRow(pattern, kEnd);
    out.pattern = std::move(pattern);
  } else {
    out.pattern = TwoHalvesAllSetA(number);
  }
  return out;
}

EncodeResult EncodeUPC(const EncodeInput &in) {
  const std::string &code = in.code;
  if (const Refusal refusal = DigitsRefusal(code, 11, 7); refusal != Refusal::None) return Refused(refusal);
  if (code.size() == 11) {
    EncodeResult out = WithCheckDigit(code, Modulo10CheckDigit(code));
    out.pattern = TwoHalvesAllSetA(out.symbol);
    return out;
  }
  const std::string expansion = UPCEToUPCA(code);
  if (expansion.empty()) return Refused(Refusal::NotationError);
  const int check = Modulo10CheckDigit(expansion);
  EncodeResult out = WithCheckDigit(code, check);
  // Neither the number system digit nor the check digit is drawn: the check digit
  // is carried by the parity of the six digits.
  std::string pattern(kStartGuard);
  AppendWithParity(pattern, code, 1, kUpcEParity[static_cast<std::size_t>(check)]);
  AppendRow(pattern, kUpcEEnd);
  out.pattern = std::move(pattern);
  return out;
}

std::string UPCAToUPCE(const std::string &a) {
  if (a.size() != 11 || a[0] != '0') return {};
  // d(n) is the n-th digit counted from 1, as the rules are written.
  auto d = [&a](std::size_t n) { return a[n - 1]; };
  auto zeros = [&a](std::size_t from, std::size_t to) {
    return a.find_first_not_of('0', from - 1) > to - 1;
  };
  auto oneOf = [](char c, std::string_view set) { return set.find(c) != std::string_view::npos; };
  if (zeros(7, 10) && d(6) != '0' && oneOf(d(11), "56789")) return a.substr(0, 6) + d(11);
  if (zeros(6, 10) && d(5) != '0') return a.substr(0, 5) + d(11) + '4';
  if (zeros(5, 9) && oneOf(d(4), "3456789")) return a.substr(0, 4) + d(10) + d(11) + '3';
  if (zeros(5, 8) && oneOf(d(4), "012")) return a.substr(0, 3) + d(9) + d(10) + d(11) + d(4);
  return {};
}

std::string UPCEToUPCA(const std::string &e) {
  if (e.size() != 7 || e[0] != '0') return {};
  auto oneOf = [](char c, std::string_view set) { return set.find(c) != std::string_view::npos; };
  const char last = e[6];
  if (oneOf(last, "56789") && e[5] != '0') return e.substr(0, 6) + "0000" + last;
  if (last == '4' && e[4] != '0') return e.substr(0, 5) + "00000" + e[5];
  if (last == '3' && oneOf(e[3], "3456789")) return e.substr(0, 4) + "00000" + e.substr(4, 2);
  if (oneOf(last, "012")) return e.substr(0, 3) + last + "0000" + e.substr(3, 3);
  return {};
}

}  // namespace plomix
