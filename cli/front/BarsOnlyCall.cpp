#include "cli/front/BarsOnlyCall.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "Encoders/SymbologyTable.h"
#include "cli/front/OptionTable.h"

namespace plomix::cli {
namespace {

// Digits only, as a number within `range` (a sign, a space or an overflow: not ours).
std::optional<int> ReadWhole(std::string_view text, IntRange range) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  int n = 0;
  std::from_chars(text.data(), text.data() + text.size(), n);
  return range.Contains(n) ? std::optional<int>(n) : std::nullopt;
}

std::optional<char> ReadLetter(std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  const char c = static_cast<char>(text[0] >= 'a' && text[0] <= 'z' ? text[0] - 'a' + 'A' : text[0]);
  return c >= 'A' && c <= 'D' ? std::optional<char>(c) : std::nullopt;
}

std::optional<std::uint32_t> ReadColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  const auto [end, problem] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
  if (problem != std::errc() || end != text.data() + 7 || text[1] == '-' || text[1] == '+') return std::nullopt;
  return 0xFF000000u | rgb;
}

std::optional<TBarTypes> ReadType(std::string_view text) {
  if (!text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos) {
    const auto n = ReadWhole(text, {0, kBarTypeCount - 1});
    return n ? std::optional<TBarTypes>(static_cast<TBarTypes>(*n)) : std::nullopt;
  }
  return SymbologyNamed(text);
}

bool IsPrintableAscii(std::string_view text) {
  for (char c : text)
    if (c < 0x20 || c > 0x7E) return false;
  return true;
}

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF): such a
// file name is quoted in a message exactly as given, by either program.
bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 1;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) return false;
    for (std::size_t k = 2; k < length; ++k)
      if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return false;
    i += length;
  }
  return true;
}

// The picture file a name asks for, as the full program reads its extension (the part of
// the last path element after its last dot, in any case); Other for the rest.
enum class Extension { Bmp, Png, Other };
Extension ExtensionOf(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
  const std::size_t dot = last.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return Extension::Other;
  std::string suffix(last.substr(dot + 1));
  for (char &c : suffix) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (suffix == "bmp") return Extension::Bmp;
  if (suffix == "png") return Extension::Png;
  return Extension::Other;
}

// Applies one option with its value; false when the front does not serve it.
bool Apply(BarsOnlyCall &call, const OptionRow &row, std::string_view value, bool &noText) {
  const std::string_view name = row.name;
  auto whole = [&](int &field) {
    const auto n = ReadWhole(value, row.range);
    if (n) field = *n;
    return n.has_value();
  };
  auto letter = [&](char &field) {
    const auto c = ReadLetter(value);
    if (c) field = *c;
    return c.has_value();
  };
  auto colour = [&](std::uint32_t &field) {
    const auto c = ReadColour(value);
    if (c) field = *c;
    return c.has_value();
  };
  if (name == "type") {
    const auto type = ReadType(value);
    if (type) call.type = *type;
    return type.has_value();
  }
  if (name == "cd") return call.cd = true;
  if (name == "no-cd") return !(call.cd = false);
  if (name == "start") return letter(call.startChar);  // a label number needs --sheet
  if (name == "stop") return letter(call.stopChar);
  if (name == "scale") return whole(call.scale);
  if (name == "ratio") return whole(call.ratio);
  if (name == "height") return whole(call.height);
  if (name == "frame") return whole(call.frame);
  if (name == "angle") return whole(call.angle) && call.angle % 90 == 0;
  if (name == "reverse") return call.reverse = true;
  if (name == "no-text") return noText = true;
  if (name == "space-left") return whole(call.spaceLeft);
  if (name == "space-right") return whole(call.spaceRight);
  if (name == "space-up") return whole(call.spaceUp);
  if (name == "space-down") return whole(call.spaceDown);
  if (name == "bar-color") return colour(call.bar);
  if (name == "back-color") return colour(call.back);
  if (name == "picture") return value == "bmp" || value == "BMP" || value == "Bmp";
  if (name == "output") {
    call.output = value;
    return true;
  }
  return false;  // comments, batches, sheets, --info, --verify, --help, ...
}

}  // namespace

std::optional<BarsOnlyCall> ReadBarsOnlyCall(int argc, const char *const *args) {
  BarsOnlyCall call;
  bool noText = false, codeGiven = false;
  for (int i = 0; i < argc; ++i) {
    const std::string_view arg = args[i];
    if (arg.empty() || arg[0] != '-') {
      if (codeGiven || arg.empty() || !IsPrintableAscii(arg)) return std::nullopt;
      call.code = arg;
      codeGiven = true;
      continue;
    }
    // Only the forms read the same way by every parser: --name, --name=value, --name value
    // and -o value. "--", "-", bundled letters and the rest go to the full program.
    std::string_view name, value;
    bool glued = false;
    if (arg.starts_with("--") && arg.size() > 2) {
      name = arg.substr(2);
      if (const std::size_t eq = name.find('='); eq != std::string_view::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
        glued = true;
      }
      if (name.size() < 2) return std::nullopt;
    } else if (arg == "-o") {
      name = "o";
    } else {
      return std::nullopt;
    }
    const OptionRow *row = OptionNamed(name);
    if (row == nullptr) return std::nullopt;
    const bool takesValue = row->kind != OptionKind::Flag;
    if (glued != takesValue && (glued || i + 1 >= argc)) return std::nullopt;
    if (takesValue && !glued) value = args[++i];
    if (!Apply(call, *row, value, noText)) return std::nullopt;
  }
  if (!codeGiven || !noText) return std::nullopt;
  if (!call.output.empty()) {
    if (!IsWellFormedUtf8(call.output)) return std::nullopt;  // quoted as typed in messages
    switch (ExtensionOf(call.output)) {
      case Extension::Bmp: call.file = BarsOnlyFile::Bmp; break;
      case Extension::Png: call.file = BarsOnlyFile::Png; break;
      case Extension::Other: return std::nullopt;
    }
  }
  return call;
}

}  // namespace plomix::cli
