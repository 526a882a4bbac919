// Code 39: 43 data characters plus the start/stop "*", each nine elements (three of
// them wide) and a narrow inter-character gap; optional modulo-43 check character.
#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

constexpr std::string_view kCharset = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

// Rows in value order; the last row is the start/stop character "*".
constexpr std::array<std::string_view, 44> kRows = {
    "1012303010", "3012101030", "1032101030", "3032101010", "1012301030", "3012301010",
    "1032301010", "1012103030", "3012103010", "1032103010", "3010121030", "1030121030",
    "3030121010", "1010321030", "3010321010", "1030321010", "1010123030", "3010123010",
    "1030123010", "1010323010", "3010101230", "1030101230", "3030101210", "1010301230",
    "3010301210", "1030301210", "1010103230", "3010103210", "1030103210", "1010303210",
    "3210101030", "1230101030", "3230101010", "1210301030", "3210301010", "1230301010",
    "1210103030", "3210103010", "1230103010", "1212121010", "1212101210", "1210121210",
    "1012121210", "1210303010"};
constexpr std::size_t kStartStop = 43;

static_assert(kCharset.size() == 43);
static_assert(RowsHaveLength(kRows, 10));
// Nine elements of which three are wide, plus the narrow gap: 13 modules.
static_assert(RowsHaveModules(kRows, 13));
static_assert(RowsAlternate(kRows));

}  // namespace

EncodeResult EncodeCode39(const EncodeInput &in) {
  EncodeResult out;
  if (in.code.empty()) return Refused(Refusal::EmptyCode);

  std::string pattern;
  pattern.reserve(10 * (in.code.size() + 3));
  AppendRow(pattern, kRows[kStartStop]);
  int sum = 0;
  for (char c : in.code) {
    const int value = IndexIn(kCharset, c);
    if (value < 0) return Refused(Refusal::CharacterNotAllowed);
    sum += value;
    AppendRow(pattern, kRows[value]);
  }
  out.symbol = "*" + in.code;
  if (in.cd) {
    const int check = sum % 43;
    AppendRow(pattern, kRows[check]);
    out.symbol += kCharset[check];
    out.cdn = check;
  }
  AppendRow(pattern, kRows[kStartStop]);
  out.symbol += '*';
  out.pattern = std::move(pattern);
  return out;
}

}  // namespace plomix
