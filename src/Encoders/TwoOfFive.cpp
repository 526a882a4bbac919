// The 2 of 5 family: ITF (interleaved), CTF (industrial), IATA, Matrix and NEC. Every
// digit has five width-carrying elements of which two are wide; the variants differ only
// in their start/stop patterns, their digit rows, interleaving and the check digit rule.
#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

using DigitRows = std::array<std::string_view, 10>;

// ITF: the first digit of a pair gives the five bar widths, the second the five spaces.
constexpr DigitRows kItfBars = {"11331", "31113", "13113", "33111", "11313",
                                "31311", "13311", "11133", "31131", "13131"};
constexpr DigitRows kItfSpaces = {"00220", "20002", "02002", "22000", "00202",
                                  "20200", "02200", "00022", "20020", "02020"};
// CTF and IATA: five bars, each followed by a narrow space.
constexpr DigitRows kIndustrialRows = {"1010303010", "3010101030", "1030101030", "3030101010",
                                       "1010301030", "3010301010", "1030301010", "1010103030",
                                       "3010103010", "1030103010"};
// Matrix and NEC: bar, space, bar, space, bar, then a narrow gap.
constexpr DigitRows kMatrixRows = {"103210", "301030", "121030", "321010", "103030",
                                   "303010", "123010", "101230", "301210", "121210"};
constexpr DigitRows kNecRows = {"321010", "101230", "103030", "103210", "121030",
                                "121210", "123010", "301030", "301210", "303010"};

// Every ITF bar row and its space row are the same wide/narrow sequence.
constexpr bool ItfRowsAgree() {
  for (std::size_t d = 0; d < 10; ++d)
    for (std::size_t i = 0; i < 5; ++i)
      if ((kItfBars[d][i] == '3') != (kItfSpaces[d][i] == '2')) return false;
  return true;
}
// Exactly `wide` elements of each row are wider than one module.
constexpr bool RowsHaveWide(const DigitRows &rows, int wide) {
  for (auto row : rows) {
    int count = 0;
    for (char c : row) count += c >= '2';
    if (count != wide) return false;
  }
  return true;
}
static_assert(RowsHaveLength(kItfBars, 5) && RowsHaveLength(kItfSpaces, 5) && ItfRowsAgree());
static_assert(RowsHaveWide(kItfBars, 2));
static_assert(RowsHaveLength(kIndustrialRows, 10) && RowsHaveModules(kIndustrialRows, 12));
static_assert(RowsHaveLength(kMatrixRows, 6) && RowsHaveModules(kMatrixRows, 8));
static_assert(RowsHaveLength(kNecRows, 6) && RowsHaveModules(kNecRows, 8));
static_assert(RowsAlternate(kIndustrialRows) && RowsAlternate(kMatrixRows) && RowsAlternate(kNecRows));
static_assert(RowsHaveWide(kIndustrialRows, 2) && RowsHaveWide(kMatrixRows, 2) &&
              RowsHaveWide(kNecRows, 2));

enum class CheckDigit { Optional, Always };

struct TwoOfFiveVariant {
  std::string_view start, stop;
  const DigitRows *rows;  // nullptr: interleaved pairs (ITF)
  CheckDigit check;
};

constexpr TwoOfFiveVariant kItf{"1010", "301", nullptr, CheckDigit::Optional};
constexpr TwoOfFiveVariant kCtf{"303010", "30103", &kIndustrialRows, CheckDigit::Optional};
constexpr TwoOfFiveVariant kIata{"1010", "301", &kIndustrialRows, CheckDigit::Always};
constexpr TwoOfFiveVariant kMatrix{"301010", "30101", &kMatrixRows, CheckDigit::Optional};
constexpr TwoOfFiveVariant kNec{"3030", "123", &kNecRows, CheckDigit::Optional};

std::size_t DigitIndex(char c) { return static_cast<std::size_t>(c - '0'); }

void AppendInterleavedPairs(std::string &pattern, const std::string &data) {
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const std::string_view bars = kItfBars[DigitIndex(data[i])];
    const std::string_view spaces = kItfSpaces[DigitIndex(data[i + 1])];
    for (std::size_t k = 0; k < 5; ++k) {
      pattern += bars[k];
      pattern += spaces[k];
    }
  }
}

EncodeResult EncodeTwoOfFive(const EncodeInput &in, const TwoOfFiveVariant &variant) {
  if (in.code.empty()) return Refused(Refusal::EmptyCode);
  if (!AllDigits(in.code)) return Refused(Refusal::CharacterNotAllowed);
  const bool withCheck = variant.check == CheckDigit::Always || in.cd;
  std::string data;
  data.reserve(in.code.size() + 2);
  // Interleaving needs an even count of digits: a leading zero makes it up.
  if (variant.rows == nullptr && (in.code.size() + (withCheck ? 1 : 0)) % 2 == 1) data += '0';
  data += in.code;

  EncodeResult out;
  if (withCheck) {
    out.cdn = Modulo10CheckDigit(data);
    data += static_cast<char>('0' + out.cdn);
  }
  std::string pattern;
  const std::size_t rowLength = variant.rows ? (*variant.rows)[0].size() : 5;
  pattern.reserve(variant.start.size() + rowLength * data.size() + variant.stop.size());
  AppendRow(pattern, variant.start);
  if (variant.rows == nullptr)
    AppendInterleavedPairs(pattern, data);
  else
    for (char c : data) AppendRow(pattern, (*variant.rows)[DigitIndex(c)]);
  AppendRow(pattern, variant.stop);
  out.pattern = std::move(pattern);
  out.symbol = std::move(data);
  return out;
}

}  // namespace

EncodeResult EncodeITF(const EncodeInput &in) { return EncodeTwoOfFive(in, kItf); }
EncodeResult EncodeCTF(const EncodeInput &in) { return EncodeTwoOfFive(in, kCtf); }
EncodeResult EncodeIATA(const EncodeInput &in) { return EncodeTwoOfFive(in, kIata); }
EncodeResult EncodeMatrix(const EncodeInput &in) { return EncodeTwoOfFive(in, kMatrix); }
EncodeResult EncodeNEC(const EncodeInput &in) { return EncodeTwoOfFive(in, kNec); }

}  // namespace plomix
