#pragma once
// The postal code at the start of an address line: "〒100-0013", "1000013",
// "１００－００１３", with or without a blank before the address.
#include <optional>
#include <string>
#include <string_view>

namespace plomix::address {

struct LeadingPostalCode {
  std::string code;     // seven ASCII digits
  std::size_t end = 0;  // where the address starts, after the code and its blanks
};

// The postal code that starts `text` (width-folded). Nothing when the text does not start
// with 〒 or a digit, or the digits there are not 3 + 4 (a hyphen between them or not).
std::optional<LeadingPostalCode> ReadLeadingPostalCode(std::u32string_view text);

// The seven digits of a postal code written on its own ("100-0013", "〒1000013"), or
// nothing when it is not one.
std::optional<std::string> ReadPostalCode(std::u32string_view text);

// A postal code whose last two digits are 00: the representative code of a whole city,
// for which no customer barcode is printed.
bool LooksRepresentative(std::string_view code);

// A code of the large-office and post-office-box ranges (8xxx and 9xxx after the first
// three digits): its own number, not a town's.
bool LooksIndividual(std::string_view code);

}  // namespace plomix::address
