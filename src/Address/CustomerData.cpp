#include "Address/CustomerData.h"

#include <optional>

#include "Address/AddressNumber.h"
#include "Address/AddressSplit.h"
#include "Address/AddressText.h"
#include "Address/PostalCode.h"
#include "Address/PostalDictionary.h"

namespace plomix::address {
namespace {

constexpr int kSymbolPositions = 20;

std::string Hyphenated(std::string_view code) {
  return std::string(code.substr(0, 3)) + "-" + std::string(code.substr(3));
}

// The post-office box number written in the address ("私書箱215号"), up to four digits.
std::optional<std::string> BoxNumber(std::u32string_view text) {
  const std::size_t at = text.find(U"私書箱");
  if (at == std::u32string_view::npos) return std::nullopt;
  std::size_t i = at + 3;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::string digits;
  while (i < text.size() && IsAsciiDigit(text[i]) && digits.size() < 4) digits.push_back(static_cast<char>(text[i++]));
  if (digits.empty()) return std::nullopt;
  return digits;
}

}  // namespace

std::string LimitToSymbolPositions(std::string_view data) {
  std::string out;
  int used = 0;
  for (const char c : data) {
    if (used >= kSymbolPositions) break;
    out.push_back(c);
    used += (c >= 'A' && c <= 'Z') ? 2 : 1;
  }
  return out;
}

CustomerData DeriveCustomerData(std::string_view postalCodeText, std::string_view addressText,
                                const PostalDictionary *dictionary) {
  CustomerData result;
  std::u32string address = FoldWidth(FromUtf8(addressText));
  const std::u32string codeText = FoldWidth(FromUtf8(postalCodeText));
  std::optional<std::string> code;
  if (!codeText.empty()) {
    code = ReadPostalCode(codeText);
    if (code) {  // a code written in the address as well is not part of it
      if (const auto again = ReadLeadingPostalCode(address); again && again->code == *code)
        address.erase(0, again->end);
    }
  } else if (const auto leading = ReadLeadingPostalCode(address)) {
    code = leading->code;
    address.erase(0, leading->end);
  }
  if (!code) {
    result.problem = AddressProblem::NoPostalCode;
    return result;
  }
  result.postalCode = *code;

  const std::span<const PostalTown> towns = dictionary ? dictionary->Find(*code) : std::span<const PostalTown>();
  bool representative = !towns.empty();
  for (const PostalTown &town : towns) representative = representative && town.representative;
  if (representative || (towns.empty() && LooksRepresentative(*code))) {
    result.problem = AddressProblem::RepresentativeCode;
    return result;
  }

  // The town of the postal code decides where the address number starts.
  std::optional<std::size_t> start;
  for (const PostalTown &town : towns) {
    if (town.representative) continue;
    const auto end = EndOfTown(address, town);
    if (end && (!start || *end > *start)) start = end;
  }
  result.townFromDictionary = start.has_value();
  if (dictionary && !towns.empty() && !start) {
    const PostalTown &town = towns.front();
    result.warnings.push_back("郵便番号 " + Hyphenated(*code) + " の町域「" + town.prefecture + town.city +
                              town.town + "」が住所にありません。");
  }
  const bool unknownToDictionary = dictionary && towns.empty();
  const std::optional<std::string> box = BoxNumber(address);
  if (box && (towns.empty() || LooksIndividual(*code))) {
    result.kind = PostalCodeKind::PostOfficeBox;
    result.addressNumber = *box;
  } else if (towns.empty() && LooksIndividual(*code)) {
    // Large offices have a code of their own; the barcode carries that code alone.
    result.kind = PostalCodeKind::Individual;
    result.warnings.push_back("郵便番号 " + Hyphenated(*code) + " を事業所の個別番号として扱いました。");
  } else {
    if (unknownToDictionary)
      result.warnings.push_back("郵便番号 " + Hyphenated(*code) + " は郵便番号データにありません。");
    const std::size_t from = start ? *start : EndOfCity(address);
    const std::u32string_view rest = std::u32string_view(address).substr(from);
    result.addressB = ToUtf8(rest);
    result.addressNumber = ExtractAddressNumber(rest);
  }
  result.code = LimitToSymbolPositions(*code + result.addressNumber);
  return result;
}

CustomerData DeriveCustomerDataFromLine(std::string_view line, const PostalDictionary *dictionary) {
  return DeriveCustomerData({}, line, dictionary);
}

std::string ProblemText(AddressProblem problem) {
  switch (problem) {
    case AddressProblem::None: return {};
    case AddressProblem::NoPostalCode: return "7けたの郵便番号がありません。";
    case AddressProblem::RepresentativeCode:
      return "代表の郵便番号（下2けたが00など）にはカスタマバーコードを付けません。";
  }
  return {};
}

std::string ProblemTextEnglish(AddressProblem problem) {
  switch (problem) {
    case AddressProblem::None: return {};
    case AddressProblem::NoPostalCode: return "no seven-digit postal code";
    case AddressProblem::RepresentativeCode:
      return "a representative postal code (ending in 00): no customer barcode is printed for it";
  }
  return {};
}

}  // namespace plomix::address
