#pragma once
// The bit order of a deflate stream (RFC 1951): each field from its lowest bit, bytes filled
// from their lowest bit, and Huffman codes first bit first, the reverse of every other field.
#include <cstdint>
#include <string>
#include <string_view>

namespace plomix {

// `code`'s lowest `bits` bits (at most 16) in reverse order.
inline std::uint32_t ReversedBits(std::uint32_t code, int bits) {
  std::uint32_t v = code & 0xFFFF;
  v = ((v >> 1) & 0x5555) | ((v & 0x5555) << 1);
  v = ((v >> 2) & 0x3333) | ((v & 0x3333) << 2);
  v = ((v >> 4) & 0x0F0F) | ((v & 0x0F0F) << 4);
  v = ((v >> 8) & 0x00FF) | ((v & 0x00FF) << 8);
  return v >> (16 - bits);
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
