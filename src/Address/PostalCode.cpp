#include "Address/PostalCode.h"

#include "Address/AddressText.h"

namespace plomix::address {

std::optional<LeadingPostalCode> ReadLeadingPostalCode(std::u32string_view text) {
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  skipBlanks();
  if (i < text.size() && text[i] == U'〒') {
    ++i;
    skipBlanks();
  }
  std::string code;
  auto takeDigits = [&](int count) {
    for (int k = 0; k < count; ++k, ++i) {
      if (i >= text.size() || !IsAsciiDigit(text[i])) return false;
      code.push_back(static_cast<char>(text[i]));
    }
    return true;
  };
  if (!takeDigits(3)) return std::nullopt;
  if (i < text.size() && text[i] == U'-') ++i;
  if (!takeDigits(4)) return std::nullopt;
  if (i < text.size() && (IsAsciiDigit(text[i]) || text[i] == U'-')) return std::nullopt;  // not 3 + 4 digits
  skipBlanks();
  return LeadingPostalCode{code, i};
}

std::optional<std::string> ReadPostalCode(std::u32string_view text) {
  const auto leading = ReadLeadingPostalCode(text);
  if (!leading || leading->end != text.size()) return std::nullopt;
  return leading->code;
}

bool LooksRepresentative(std::string_view code) { return code.size() == 7 && code.ends_with("00"); }

bool LooksIndividual(std::string_view code) { return code.size() == 7 && (code[3] == '8' || code[3] == '9'); }

}  // namespace plomix::address
