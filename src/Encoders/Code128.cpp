// Code 128 with the angle-bracket notation: control characters, function codes and
// code-set changes are written as names in "<" ">"; set C data as digit pairs "<12>".
// Always a modulo-103 check character.
#include <array>

#include "Encoders/Encoders.h"

namespace plomix {
namespace {

// Symbol characters 0..102, then the start characters of sets A, B and C (103..105).
constexpr std::array<std::string_view, 106> kRows = {
    "303232", "323032", "323230", "121234", "121432", "141232", "123214",
    "123412", "143212", "321214", "321412", "341212", "103252", "123052",
    "123250", "105232", "125032", "125230", "325210", "321052", "321250",
    "305212", "325012", "503050", "501232", "521032", "521230", "503212",
    "523012", "523210", "303034", "303430", "343030", "101434", "141034",
    "141430", "103414", "143014", "143410", "301414", "341014", "341410",
    "103054", "103450", "143050", "105034", "105430", "145030", "505030",
    "301450", "341050", "305014", "305410", "305050", "501034", "501430",
    "541030", "503014", "503410", "543010", "507010", "321610", "741010",
    "101236", "101632", "121036", "121630", "161032", "161230", "103216",
    "103612", "123016", "123610", "163012", "163210", "361210", "321016",
    "705010", "361012", "147010", "101272", "121072", "121270", "107212",
    "127012", "127210", "701212", "721012", "721210", "303070", "307030",
    "703030", "101074", "101470", "141070", "107014", "107410", "701014",
    "701410", "105070", "107050", "501070", "701050", "301612", "301216",
    "301252"};
constexpr std::string_view kStop = "3450103";
constexpr int kStartA = 103;

// Every symbol character has an even number of bar modules: the standard's parity rule,
// which a mistyped row would break.
constexpr bool BarModulesEven() {
  for (auto row : kRows) {
    int bars = 0;
    for (std::size_t i = 0; i < row.size(); i += 2) bars += (row[i] - '0') / 2 + 1;
    if (bars % 2 != 0) return false;
  }
  return true;
}
constexpr bool RowsDistinct() {
  for (std::size_t i = 0; i < kRows.size(); ++i)
    for (std::size_t j = i + 1; j < kRows.size(); ++j)
      if (kRows[i] == kRows[j]) return false;
  return true;
}
static_assert(RowsHaveLength(kRows, 6) && RowsHaveModules(kRows, 11));
static_assert(BarModulesEven() && RowsDistinct());
static_assert(ModuleCount(kStop) == 13);
static_assert(RowsAlternate(kRows) && RowAlternates(kStop));

enum CodeSet { SetA = 0, SetB = 1, SetC = 2 };

// Set A values 64..95 (value 69 is spelled "ENO").
constexpr std::array<std::string_view, 32> kControlNames = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENO", "ACK", "BEL", "BS",  "HT",  "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
// Names of values 96..102 in each set.
constexpr std::array<std::string_view, 7> kSetAFunctions = {"FNC3",  "FNC2", "SHIFT", "CODEC",
                                                            "CODEB", "FNC4", "FNC1"};
constexpr std::array<std::string_view, 7> kSetBFunctions = {"FNC3", "FNC2",  "SHIFT", "CODEC",
                                                            "FNC4", "CODEA", "FNC1"};
// Names of values 100..102 in set C.
constexpr std::array<std::string_view, 3> kSetCFunctions = {"CODEB", "CODEA", "FNC1"};

int FindName(std::string_view token, const std::string_view *names, std::size_t count, int first) {
  for (std::size_t i = 0; i < count; ++i)
    if (names[i] == token) return first + static_cast<int>(i);
  return -1;
}

// The lowest value whose text in `set` equals the token, or -1.
int ValueOf(std::string_view token, CodeSet set) {
  if (set == SetC) {
    if (token.size() == 2 && AllDigits(token)) return (token[0] - '0') * 10 + (token[1] - '0');
    return FindName(token, kSetCFunctions.data(), kSetCFunctions.size(), 100);
  }
  if (token.size() == 1) {
    const int c = static_cast<unsigned char>(token[0]);
    if (set == SetA && c >= 32 && c <= 95) return c - 32;
    if (set == SetB && c >= 32 && c <= 126) return c - 32;
    return -1;
  }
  if (set == SetA) {
    const int control = FindName(token, kControlNames.data(), kControlNames.size(), 64);
    if (control >= 0) return control;
    return FindName(token, kSetAFunctions.data(), kSetAFunctions.size(), 96);
  }
  if (token == "DEL") return 95;
  return FindName(token, kSetBFunctions.data(), kSetBFunctions.size(), 96);
}

// Text of `value` in `set`, as the notation writes it.
std::string TextOf(int value, CodeSet set) {
  std::string text;
  if (set == SetC) {
    if (value < 100) {
      text = {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
    } else {
      text = kSetCFunctions[static_cast<std::size_t>(value - 100)];
    }
  } else if (value <= (set == SetA ? 63 : 94)) {
    text = std::string(1, static_cast<char>(value + 32));
  } else if (set == SetA) {
    text = value < 96 ? kControlNames[static_cast<std::size_t>(value - 64)]
                      : kSetAFunctions[static_cast<std::size_t>(value - 96)];
  } else {
    text = value == 95 ? std::string("DEL") : std::string(kSetBFunctions[static_cast<std::size_t>(value - 96)]);
  }
  if (text.size() >= 2) return "<" + text + ">";
  if (text == "<") return "<<";
  if (text == ">") return ">>";
  return text;
}

}  // namespace

std::string ReadCode128Token(std::string_view text, std::size_t &pos) {
  const char c = text[pos++];
  if (c == '>') {
    // ">" takes the next character literally; at the end it yields no token.
    if (pos >= text.size()) return {};
    return std::string(1, text[pos++]);
  }
  if (c != '<') return std::string(1, c);
  if (pos >= text.size()) return {};
  if (text[pos] == '<') {
    ++pos;
    return "<";
  }
  // A name: from the character after "<" (always part of it, even a ">") to the next ">".
  const std::size_t close = text.find('>', pos + 1);
  const std::size_t end = close == std::string_view::npos ? text.size() : close;
  std::string token(text.substr(pos, end - pos));
  for (char &t : token)
    if (t >= 'a' && t <= 'z') t = static_cast<char>(t - 'a' + 'A');
  pos = close == std::string_view::npos ? text.size() : close + 1;
  return token;
}

EncodeResult EncodeCode128(const EncodeInput &in) {
  EncodeResult out;
  if (in.code.empty()) return Refused(Refusal::EmptyCode);
  char startChar = in.startChar;
  if (startChar < 'A' || startChar > 'C') {
    startChar = 'A';
    out.startChar = 'A';
  }
  CodeSet set = static_cast<CodeSet>(startChar - 'A');

  std::string pattern;
  pattern.reserve(6 * (in.code.size() + 2) + kStop.size());
  AppendRow(pattern, kRows[static_cast<std::size_t>(kStartA + set)]);
  int checksum = kStartA + set;
  int position = 0;
  bool shiftPending = false;
  CodeSet returnSet = set;

  for (std::size_t pos = 0; pos < in.code.size();) {
    const std::string token = ReadCode128Token(in.code, pos);
    const int value = ValueOf(token, set);
    if (value < 0) {
      // One character outside the set, or a name (or a lone "<" or ">") it does not know.
      out.refusal = token.size() == 1 ? Refusal::CharacterNotAllowed : Refusal::NotationError;
      return out;
    }
    // Kept reduced: the check value only needs the sum modulo 103.
    position = (position + 1) % 103;
    checksum = (checksum + value * position) % 103;
    AppendRow(pattern, kRows[static_cast<std::size_t>(value)]);

    if (token == "SHIFT") {
      returnSet = set;
      set = set == SetA ? SetB : SetA;
      shiftPending = true;
    } else if (token == "CODEA") {
      set = SetA;
    } else if (token == "CODEB") {
      set = SetB;
    } else if (token == "CODEC") {
      set = SetC;
    } else if (shiftPending) {
      set = returnSet;
      shiftPending = false;
    }
  }

  const int check = checksum % 103;
  AppendRow(pattern, kRows[static_cast<std::size_t>(check)]);
  AppendRow(pattern, kStop);
  out.pattern = std::move(pattern);
  out.symbol = startChar + in.code + TextOf(check, set);
  out.cdn = check;
  return out;
}

}  // namespace plomix
