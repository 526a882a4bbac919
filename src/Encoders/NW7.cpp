// NW-7 (Codabar): 20 characters, each seven elements and a narrow gap; start and stop
// letters A..D; optional modulo-16 check character.
#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

constexpr std::string_view kCharset = "0123456789-$:/.+ABCD";

constexpr std::array<std::string_view, 20> kRows = {
    "10101230", "10103210", "10121030", "32101010", "10301210", "30101210", "12101030",
    "12103010", "12301010", "30121010", "10123010", "10321010", "30103030", "30301030",
    "30303010", "10303030", "10321210", "12121030", "10121230", "10123210"};

static_assert(kCharset.size() == kRows.size());
static_assert(RowsHaveLength(kRows, 8) && RowsAlternate(kRows));

// Start and stop letters are always A..D; anything else counts as A.
int LetterValue(char c) { return (c >= 'A' && c <= 'D') ? IndexIn(kCharset, c) : IndexIn(kCharset, 'A'); }

}  // namespace

EncodeResult EncodeNW7(const EncodeInput &in) {
  EncodeResult out;
  if (in.code.empty()) return Refused(Refusal::EmptyCode);

  const int start = LetterValue(in.startChar);
  const int stop = LetterValue(in.stopChar);
  std::string pattern;
  pattern.reserve(8 * (in.code.size() + 3));
  AppendRow(pattern, kRows[start]);
  int sum = start + stop;
  for (char c : in.code) {
    const int value = IndexIn(kCharset, c);
    if (value < 0) return Refused(Refusal::CharacterNotAllowed);
    sum += value;
    AppendRow(pattern, kRows[value]);
  }
  out.symbol = kCharset[start] + in.code;
  if (in.cd) {
    const int r = sum % 16;
    const int check = r == 0 ? 0 : 16 - r;
    AppendRow(pattern, kRows[check]);
    out.symbol += kCharset[check];
    out.cdn = check;
  }
  AppendRow(pattern, kRows[stop]);
  out.symbol += kCharset[stop];
  out.pattern = std::move(pattern);
  return out;
}

}  // namespace plomix
