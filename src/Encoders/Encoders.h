#pragma once
// One encoder per symbology; each turns a barcode string into an element pattern,
// the human-readable text and the check value.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Encoders/EncoderKit.h"

namespace plomix {

EncodeResult EncodeJAN(const EncodeInput &in);
EncodeResult EncodeUPC(const EncodeInput &in);
EncodeResult EncodeCode39(const EncodeInput &in);
EncodeResult EncodeNW7(const EncodeInput &in);
EncodeResult EncodeITF(const EncodeInput &in);
EncodeResult EncodeCTF(const EncodeInput &in);
EncodeResult EncodeIATA(const EncodeInput &in);
EncodeResult EncodeMatrix(const EncodeInput &in);
EncodeResult EncodeNEC(const EncodeInput &in);
EncodeResult EncodeCustomer(const EncodeInput &in);
EncodeResult EncodeCode128(const EncodeInput &in);
EncodeResult EncodeCode93(const EncodeInput &in);

// UPC-A number without check digit (11 digits) to its zero-suppressed UPC-E form
// (number system digit + six digits, without check digit); empty when none exists.
std::string UPCAToUPCE(const std::string &upca);
// The reverse: 7-character UPC-E to the 11-digit UPC-A number; empty when invalid.
std::string UPCEToUPCA(const std::string &upce);

// Reads one token of the Code 128 angle-bracket notation starting at `pos` and moves
// `pos` past it. Requires pos < text.size().
std::string ReadCode128Token(std::string_view text, std::size_t &pos);

// Code 93 values (0..46) of a barcode string with its shift characters written as
// "<$>", "<%>", "</>", "<+>"; nullopt when the string breaks the notation.
std::optional<std::vector<int>> ParseCode93(std::string_view text, Refusal *refusal = nullptr);

}  // namespace plomix
