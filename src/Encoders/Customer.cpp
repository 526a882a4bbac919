// The Japanese postal customer barcode: 20 character positions (letters take a control
// code and a digit), padded with CC4, a modulo-19 check character, start and stop codes.
// Its pattern digits are bar shapes (4 top, 2 middle, 1 bottom third), one per column.
#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

// Values 0..9 digits, 10 hyphen, 11..18 control codes CC1..CC8: three bars, each
// followed by an empty column.
constexpr std::array<std::string_view, 19> kRows = {
    "702020", "707020", "703060", "307060", "706030", "702070", "306070",
    "607030", "603070", "207070", "207020", "306020", "302060", "603020",
    "203060", "602030", "206030", "202070", "707070"};
constexpr std::string_view kStart = "007030";
constexpr std::string_view kStop = "307000";
// Text of the check character by value: control codes show as a space.
constexpr std::string_view kCheckTexts = "0123456789-        ";

constexpr int kHyphen = 10;
constexpr int kCC1 = 11;
constexpr int kCC4 = 14;
constexpr std::size_t kPositions = 20;

// Only long bars (7), ascenders (6), descenders (3) and timing bars (2), each followed by
// an empty column.
constexpr bool RowsAreBarsOnPitch(std::string_view row) {
  for (std::size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (i % 2 == 1 ? c != '0' : (c != '7' && c != '6' && c != '3' && c != '2')) return false;
  }
  return true;
}
constexpr bool AllRowsOnPitch() {
  for (auto row : kRows)
    if (!RowsAreBarsOnPitch(row)) return false;
  return true;
}
static_assert(RowsHaveLength(kRows, 6) && AllRowsOnPitch());
static_assert(kCheckTexts.size() == kRows.size());

// First byte of a Shift-JIS double-byte character.
bool IsLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace

EncodeResult EncodeCustomer(const EncodeInput &in) {
  // The symbol build never encodes an empty code; it is refused here as everywhere.
  if (in.code.empty()) return Refused(Refusal::EmptyCode);
  std::string working = in.code;
  if (working.size() < kPositions) working.resize(kPositions, ' ');

  EncodeResult out;
  std::string pattern(kStart);
  pattern.reserve(kStart.size() + 6 * (kPositions + 1) + kStop.size());
  std::size_t used = 0;
  int sum = 0;
  auto append = [&](int value) {
    AppendRow(pattern, kRows[static_cast<std::size_t>(value)]);
    sum += value;
    ++used;
  };
  for (std::size_t i = 0; i < kPositions && used < kPositions; ++i) {
    const char c = working[i];
    if (c == ' ') {
      append(kCC4);
    } else if (c >= '0' && c <= '9') {
      append(c - '0');
    } else if (c == '-') {
      append(kHyphen);
    } else if (c >= 'A' && c <= 'Z') {
      const int k = c - 'A';
      if (used <= kPositions - 2) {
        append(kCC1 + k / 10);
        append(k % 10);
      } else {
        append(kCC4);  // a letter needs two positions; only one is left
      }
    } else if (IsLeadByte(c)) {
      ++i;  // a double-byte character is skipped whole, its second byte included
    }
  }
  const int check = sum % 19 == 0 ? 0 : 19 - sum % 19;
  AppendRow(pattern, kRows[static_cast<std::size_t>(check)]);
  AppendRow(pattern, kStop);
  out.pattern = std::move(pattern);
  out.symbol = working + kCheckTexts[static_cast<std::size_t>(check)];
  out.cdn = check;
  return out;
}

}  // namespace plomix
