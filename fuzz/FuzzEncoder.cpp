// libFuzzer target for one encoder, chosen at build time by FUZZ_ENCODER (a function
// name of Encoders.h) and FUZZ_BAR_TYPE (its TBarTypes ordinal). The first input byte
// holds the CD switch, the next two the start and stop characters, the rest is the code.
// Any broken promise of the encoder contract aborts, so the fuzzer reports it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "Encoders/Encoders.h"

namespace {

constexpr int kCustomer = 9;
constexpr int kJan = 0, kUpc = 1, kCode39 = 2, kNW7 = 3;

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckResult(const plomix::EncodeResult &r) {
  for (char c : r.pattern) Require(c >= '0' && c <= '9');
  Require(r.startChar == 0 || r.startChar == 'A');
  // Every refused code says why; an encoded one has no reason.
  Require(r.pattern.empty() == (r.refusal != plomix::Refusal::None));
  if (r.pattern.empty()) {
    Require(r.symbol.empty() && r.cdn == -1);
    return;
  }
  Require(!r.symbol.empty());
  if (FUZZ_BAR_TYPE == kCustomer) {
    // Bar shapes only: long, ascender, descender, timing, or an empty column.
    for (char c : r.pattern) Require(c == '0' || c == '2' || c == '3' || c == '6' || c == '7');
    Require(r.cdn >= 0 && r.cdn <= 18);
  } else if (FUZZ_BAR_TYPE != kJan && FUZZ_BAR_TYPE != kUpc) {
    // Width-coded symbologies: bars (odd digits) and spaces alternate, bar first. Only
    // Code 39 and NW-7 end in their inter-character gap; the others end with a bar.
    for (std::size_t i = 0; i < r.pattern.size(); ++i)
      Require((r.pattern[i] - '0') % 2 == static_cast<int>((i + 1) % 2));
    if (FUZZ_BAR_TYPE != kCode39 && FUZZ_BAR_TYPE != kNW7) Require((r.pattern.back() - '0') % 2 == 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size < 3) return 0;
  plomix::EncodeInput in;
  in.cd = (data[0] & 1) != 0;
  in.startChar = static_cast<char>(data[1]);
  in.stopChar = static_cast<char>(data[2]);
  // An exactly sized copy, so AddressSanitizer sees any read past the end.
  in.code.assign(reinterpret_cast<const char *>(data + 3), size - 3);
  in.code.shrink_to_fit();
  CheckResult(plomix::FUZZ_ENCODER(in));
  return 0;
}
