#pragma once
// The customer barcode's data from a postal code and an address: the seven digits of the
// postal code and the address number, within the symbol's 20 positions.
#include <string>
#include <string_view>
#include <vector>

namespace plomix::address {

class PostalDictionary;

enum class AddressProblem {
  None,
  NoPostalCode,        // no seven-digit postal code given
  RepresentativeCode,  // a city's representative code: no barcode is printed for it
};

enum class PostalCodeKind {
  Town,            // a town's code: the address number follows it
  Individual,      // a large office's own code: the code alone
  PostOfficeBox,   // a post-office-box code: the box number follows it
};

struct CustomerData {
  AddressProblem problem = AddressProblem::None;
  PostalCodeKind kind = PostalCodeKind::Town;
  std::string postalCode;     // seven digits
  std::string addressNumber;  // e.g. "1-3-2-503" (the box number for a post-office box)
  std::string code;           // postal code + address number, cut to the 20 positions
  std::string addressB;       // the part after the town name, as given (UTF-8)
  bool townFromDictionary = false;  // the postal-code file decided the split
  std::vector<std::string> warnings;  // Japanese, one sentence each
  bool ok() const { return problem == AddressProblem::None; }
};

// From a postal code written on its own (empty: it must start the address) and an
// address, both UTF-8. `dictionary` may be null.
CustomerData DeriveCustomerData(std::string_view postalCode, std::string_view address,
                                const PostalDictionary *dictionary);

// From one line "[〒]postal-code address".
CustomerData DeriveCustomerDataFromLine(std::string_view line, const PostalDictionary *dictionary);

// The data cut to the symbol's 20 positions: a digit or hyphen takes one, a letter two
// (its control code and a digit). A letter that starts at the twentieth position stays,
// so that its control code is the twentieth character.
std::string LimitToSymbolPositions(std::string_view data);

// Why the data cannot be made, in Japanese and in English.
std::string ProblemText(AddressProblem problem);
std::string ProblemTextEnglish(AddressProblem problem);

}  // namespace plomix::address
