#pragma once
// The bit order of a deflate stream (RFC 1951): each field from its lowest bit, bytes filled
// from their lowest bit, and Huffman codes first bit first, the reverse of every other field.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace plomix {

// `code`'s lowest `bits` bits (at most 16) in reverse order.
inline std::uint32_t ReversedBits(std::uint32_t code, int bits) {
  static constexpr auto kReversedBytes = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b)
      for (int i = 0; i < 8; ++i)
        if (b & (1U << i)) table[b] |= static_cast<std::uint8_t>(0x80U >> i);
    return table;
  }();
  const std::uint32_t reversed = static_cast<std::uint32_t>(kReversedBytes[code & 0xFF]) << 8 | kReversedBytes[(code >> 8) & 0xFF];
  return reversed >> (16 - bits);
}

class DeflateBitWriter {
 public:
  explicit DeflateBitWriter(std::string &out) : FOut(out) {}
  ~DeflateBitWriter() { WholeBytesOut(); }
  DeflateBitWriter(const DeflateBitWriter &) = delete;
  DeflateBitWriter &operator=(const DeflateBitWriter &) = delete;

  // A field of up to 32 bits.
  void Put(std::uint32_t value, int bits) {
    FBits |= static_cast<std::uint64_t>(value) << FCount;
    FCount += bits;
    if (FCount >= 32) {
      const char word[4] = {static_cast<char>(FBits), static_cast<char>(FBits >> 8), static_cast<char>(FBits >> 16),
                            static_cast<char>(FBits >> 24)};
      FOut.append(word, 4);
      FBits >>= 32;
      FCount -= 32;
    }
  }
  // Writes out every whole byte held back, leaving fewer than 8 bits pending.
  void WholeBytesOut() {
    for (; FCount >= 8; FCount -= 8, FBits >>= 8) FOut += static_cast<char>(FBits & 0xFF);
  }
  // Another writer to the same bytes that goes on from here, for a hot loop: as a local
  // variable, its fields stay in registers. Hand the bits back with HandOver when done.
  explicit DeflateBitWriter(DeflateBitWriter &from) : FOut(from.FOut) { from.HandOver(*this); }
  void HandOver(DeflateBitWriter &to) {
    to.FBits = FBits;
    to.FCount = FCount;
    FBits = 0;
    FCount = 0;
  }
  // Bytes as they are, on a byte boundary (after EndOnByte or whole fields of bytes).
  void Append(std::string_view bytes) {
    WholeBytesOut();
    FOut.append(bytes);
  }
  // The bits that do not fill a byte yet (after WholeBytesOut), taken out of the writer.
  int PendingCount() const { return FCount; }
  unsigned TakePending() {
    const auto bits = static_cast<unsigned>(FBits);
    FBits = 0;
    FCount = 0;
    return bits;
  }
  // Zeros up to the next byte boundary, and every byte out.
  void EndOnByte() {
    if (FCount % 8 != 0) Put(0, 8 - FCount % 8);
    WholeBytesOut();
  }

 private:
  std::string &FOut;
  std::uint64_t FBits = 0;
  int FCount = 0;
};

}  // namespace plomix
