#pragma once
// Huffman codes for deflate blocks: the shortest code lengths for the symbols' counts within
// a longest length (15 bits for literals and lengths, 7 for the code lengths' own code), the
// canonical codes those lengths give, and the header that sends a block's own code.
#include <cstdint>
#include <span>
#include <vector>

#include "RasterFiles/DeflateBits.h"

namespace plomix {

constexpr unsigned kShortestCopy = 3, kLongestCopy = 258;

// A copy's length as the stream sends it: its symbol (257 to 285), then extra bits.
struct LengthCode {
  std::uint16_t symbol = 0;
  std::uint8_t extraBits = 0;
  std::uint16_t extra = 0;
};

// The code of a copy of 3 to 258 bytes.
const LengthCode &LengthCodeOf(unsigned length);

// A code length for each count (at most 288 symbols, lengths of at most 15 bits), 0 for a
// symbol that never comes. The code is complete: when
// only one symbol comes, it and one other get a length of 1 (decoders may refuse a code of
// a single symbol). Counts of zero symbols give all zeros.
std::vector<std::uint8_t> HuffmanLengths(std::span<const std::uint64_t> counts, int longest);

// The canonical codes of RFC 1951 (3.2.2) for the lengths, bit-reversed for the stream.
std::vector<std::uint32_t> CanonicalCodes(std::span<const std::uint8_t> lengths);

// A block's own code (a "dynamic" block) for literal and length symbols with the given
// counts, with two distance codes of one bit each: the first stands for one byte back, the
// only distance these blocks copy from.
class OwnBlockCode {
 public:
  explicit OwnBlockCode(std::span<const std::uint64_t> literalLengthCounts);
  // The bits the block's header takes (after its first three), and the header itself.
  std::uint64_t HeaderBits() const { return FHeaderBits; }
  void PutHeader(DeflateBitWriter &bits) const;
  // Codes by symbol, bit-reversed, and their lengths (0 for symbols not in the code).
  const std::vector<std::uint8_t> &Lengths() const { return FLengths; }
  const std::vector<std::uint32_t> &Codes() const { return FCodes; }
  static constexpr int kDistanceLength = 1;

 private:
  // A code length as sent: 0 to 15, or 16 to 18 (repeats) with the value of its extra bits.
  struct Sent {
    std::uint8_t symbol, extra;
  };
  std::vector<std::uint8_t> FLengths;
  std::vector<std::uint32_t> FCodes;
  std::vector<Sent> FSent;
  std::vector<std::uint8_t> FSentLengths;  // the code lengths' own code
  std::size_t FOrderSent = 0;              // its lengths sent, in the format's order
  std::uint64_t FHeaderBits = 0;
};

}  // namespace plomix
