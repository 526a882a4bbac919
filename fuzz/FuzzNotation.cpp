// libFuzzer targets for the two angle-bracket notations and the UPC conversions, chosen
// at build time by FUZZ_NOTATION. Inputs are handed over as exactly sized buffers so that
// AddressSanitizer catches any read past the end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "Encoders/Encoders.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

[[maybe_unused]] void FuzzCode128Tokens(std::string_view text) {
  std::size_t tokens = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t before = pos;
    plomix::ReadCode128Token(text, pos);
    Require(pos > before && pos <= text.size());
    ++tokens;
  }
  // A valid code has one symbol character per token between start, check and stop.
  const plomix::EncodeResult r = plomix::EncodeCode128({std::string(text), false, 'B', 'A'});
  if (!r.pattern.empty()) Require(r.pattern.size() == 6 * (tokens + 2) + 7);
}

[[maybe_unused]] void FuzzCode93(std::string_view text) {
  const auto values = plomix::ParseCode93(text);
  if (!values) return;
  Require(values->size() <= text.size());
  for (int v : *values) Require(v >= 0 && v <= 46);
}

[[maybe_unused]] void FuzzUpcConversions(std::string_view text) {
  const std::string input(text);
  // Compression and expansion undo each other whenever they succeed.
  const std::string upce = plomix::UPCAToUPCE(input);
  if (!upce.empty()) Require(upce.size() == 7 && plomix::UPCEToUPCA(upce) == input);
  const std::string upca = plomix::UPCEToUPCA(input);
  if (!upca.empty()) Require(upca.size() == 11 && plomix::UPCAToUPCE(upca) == input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const std::unique_ptr<char[]> copy(new char[size == 0 ? 1 : size]);
  for (std::size_t i = 0; i < size; ++i) copy[i] = static_cast<char>(data[i]);
  FUZZ_NOTATION(std::string_view(copy.get(), size));
  return 0;
}
