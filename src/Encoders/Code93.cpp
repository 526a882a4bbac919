// Code 93: 43 data characters and four shift characters written as "<$>", "<%>", "</>"
// and "<+>"; two modulo-47 check characters C and K.
#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

// Value order; "!#&@" stand for the shift characters ($) (%) (/) (+) (values 43..46).
constexpr std::string_view kCharset = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%!#&@";
constexpr std::size_t kDataCount = 43;
constexpr std::string_view kShiftNames = "$%/+";

constexpr std::array<std::string_view, 47> kRows = {
    "141012", "101214", "101412", "101610", "121014", "121212", "121410", "101016",
    "141210", "161010", "301014", "301212", "301410", "321012", "321210", "341010",
    "103014", "103212", "103410", "123012", "143010", "101034", "101232", "101430",
    "121032", "141030", "303012", "303210", "301032", "301230", "321030", "323010",
    "103032", "103230", "123030", "125010", "121050", "501012", "501210", "521010",
    "103050", "105030", "301050", "121230", "503010", "501030", "123210"};
constexpr std::string_view kStart = "101070";
constexpr std::string_view kStop = "1010701";

static_assert(kCharset.size() == kRows.size() && kShiftNames.size() == 4);
static_assert(RowsHaveLength(kRows, 6) && RowsHaveModules(kRows, 9));
static_assert(ModuleCount(kStart) == 9 && ModuleCount(kStop) == 10);
static_assert(RowsAlternate(kRows) && RowAlternates(kStart) && RowAlternates(kStop));

// Sum of value × weight, numbering from the rightmost value 1 up to `maxWeight`, then
// again from 1; modulo 47.
int WeightedCheck(const std::vector<int> &values, int maxWeight) {
  int sum = 0, weight = 0;
  for (auto it = values.rbegin(); it != values.rend(); ++it) {
    weight = weight % maxWeight + 1;
    sum = (sum + *it * weight) % 47;
  }
  return sum;
}

// Text of a check value: its character, or the typed form of a shift character.
std::string CheckText(int value) {
  if (value < static_cast<int>(kDataCount)) return std::string(1, kCharset[static_cast<std::size_t>(value)]);
  return {'<', kShiftNames[static_cast<std::size_t>(value) - kDataCount], '>'};
}

}  // namespace

std::optional<std::vector<int>> ParseCode93(std::string_view text, Refusal *refusal) {
  Refusal ignored;
  Refusal &why = refusal != nullptr ? *refusal : ignored;
  std::vector<int> values;
  values.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<') {
      why = Refusal::NotationError;
      if (i + 2 >= text.size() || text[i + 2] != '>') return std::nullopt;
      const int shift = IndexIn(kShiftNames, text[i + 1]);
      if (shift < 0) return std::nullopt;
      values.push_back(static_cast<int>(kDataCount) + shift);
      i += 2;
      continue;
    }
    const int value = IndexIn(kCharset.substr(0, kDataCount), text[i]);
    why = Refusal::CharacterNotAllowed;
    if (value < 0) return std::nullopt;
    values.push_back(value);
  }
  return values;
}

EncodeResult EncodeCode93(const EncodeInput &in) {
  EncodeResult out;
  if (in.code.empty()) return Refused(Refusal::EmptyCode);
  Refusal refusal = Refusal::None;
  std::optional<std::vector<int>> parsed = ParseCode93(in.code, &refusal);
  if (!parsed) return Refused(refusal);
  std::vector<int> &values = *parsed;

  const int c = WeightedCheck(values, 20);
  values.push_back(c);
  const int k = WeightedCheck(values, 15);
  values.push_back(k);

  std::string pattern;
  pattern.reserve(6 * (values.size() + 1) + kStop.size());
  AppendRow(pattern, kStart);
  for (int value : values) AppendRow(pattern, kRows[static_cast<std::size_t>(value)]);
  AppendRow(pattern, kStop);
  out.pattern = std::move(pattern);
  out.symbol = "(" + in.code + CheckText(c) + CheckText(k) + ")";
  out.cdn = c + 100 * k;
  return out;
}

}  // namespace plomix
