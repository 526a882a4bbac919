#include "PictureFiles/RowDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>

namespace plomix {
namespace {

// The fixed-code block's length and distance tables (RFC 1951, 3.2.5).
constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                                      33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::size_t kLongestMatch = 258;
constexpr std::size_t kShortestMatch = 3;
constexpr std::size_t kWindow = 32768;

// Index of the last table entry not above `value`.
template <std::size_t N>
std::size_t Slot(const std::array<std::uint16_t, N> &base, std::size_t value) {
  return static_cast<std::size_t>(std::upper_bound(base.begin(), base.end(), value) - base.begin()) - 1;
}

// A Huffman code as it goes into the stream: its bits reversed, since deflate sends
// codes from their top bit down while everything else goes bottom bit first.
struct StreamCode {
  std::uint16_t bits = 0;
  std::uint8_t length = 0;
};

constexpr StreamCode Reversed(std::uint32_t code, int length) {
  std::uint32_t reversed = 0;
  for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1U) << (length - 1 - i);
  return {static_cast<std::uint16_t>(reversed), static_cast<std::uint8_t>(length)};
}

// The fixed literal/length codes, symbols 0 to 287.
constexpr std::array<StreamCode, 288> kFixedCodes = [] {
  std::array<StreamCode, 288> codes{};
  for (std::uint32_t v = 0; v < 288; ++v)
    codes[v] = v < 144   ? Reversed(0x30U + v, 8)
               : v < 256 ? Reversed(0x190U + (v - 144U), 9)
               : v < 280 ? Reversed(v - 256U, 7)
                         : Reversed(0xC0U + (v - 280U), 8);
  return codes;
}();

constexpr std::uint16_t kEndOfBlock = 256;

// A length and distance pair as stream bits: at most 31 of them.
std::pair<std::uint64_t, int> CopyCode(std::size_t length, std::size_t distance) {
  const std::size_t l = Slot(kLengthBase, length);
  const StreamCode lengthCode = kFixedCodes[257 + l];
  const std::size_t d = Slot(kDistanceBase, distance);
  const StreamCode distanceCode = Reversed(static_cast<std::uint32_t>(d), 5);
  std::uint64_t bits = lengthCode.bits;
  int count = lengthCode.length;
  bits |= static_cast<std::uint64_t>(length - kLengthBase[l]) << count;
  count += kLengthExtra[l];
  bits |= static_cast<std::uint64_t>(distanceCode.bits) << count;
  count += 5;
  bits |= static_cast<std::uint64_t>(distance - kDistanceBase[d]) << count;
  count += kDistanceExtra[d];
  return {bits, count};
}

// A copy of `length` bytes in steps of at most 258 bytes, none shorter than 3.
template <typename Step>
void ForEachCopy(std::size_t length, Step step) {
  while (length > 0) {
    std::size_t n = std::min(length, kLongestMatch);
    if (length - n > 0 && length - n < kShortestMatch) n = length - kShortestMatch;
    step(n);
    length -= n;
  }
}

}  // namespace

RowDeflate::RowDeflate(std::size_t rowLength) : FRowLength(rowLength), FAdler(adler32(0, nullptr, 0)) {
  FOut += '\x78';  // deflate, 32 KiB window
  FOut += '\x01';  // no dictionary, fastest level; 0x7801 is a multiple of 31
  Bits(1, 1);      // the only block is the last
  Bits(1, 2);      // fixed codes
}

void RowDeflate::Bits(std::uint64_t value, int count) {
  FBitBuffer |= value << FBitCount;
  FBitCount += count;
  if (FBitCount < 32) return;
  const char word[4] = {static_cast<char>(FBitBuffer), static_cast<char>(FBitBuffer >> 8),
                        static_cast<char>(FBitBuffer >> 16), static_cast<char>(FBitBuffer >> 24)};
  FOut.append(word, 4);
  FBitBuffer >>= 32;
  FBitCount -= 32;
}

void RowDeflate::Literal(unsigned char byte) { Bits(kFixedCodes[byte].bits, kFixedCodes[byte].length); }

void RowDeflate::Back(std::size_t length, std::size_t distance) {
  ForEachCopy(length, [&](std::size_t step) {
    const auto [bits, count] = CopyCode(step, distance);
    Bits(bits, count);
  });
}

void RowDeflate::AddRow(std::string_view row) {
  Runs(row);
  FLastRow.assign(row);
  FRowAdler = adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef *>(row.data()), static_cast<uInt>(row.size()));
  FAdler = adler32_combine(FAdler, FRowAdler, static_cast<z_off_t>(row.size()));
}

void RowDeflate::RepeatRow() {
  if (FLastRow.size() != FRowLength) {
    AddRow(std::string(FRowLength, '\0'));  // the row above the first is zeros
    return;
  }
  // A row too short to copy, or too far back for the window, is packed again.
  if (FRowLength < kShortestMatch || FRowLength > kWindow) {
    Runs(FLastRow);
  } else {
    // Every copy of the row is the same bits: worked out once, then sent as they are.
    if (FRepeatCodes.empty())
      ForEachCopy(FRowLength, [&](std::size_t step) { FRepeatCodes.push_back(CopyCode(step, FRowLength)); });
    for (const auto &[bits, count] : FRepeatCodes) Bits(bits, count);
  }
  FAdler = adler32_combine(FAdler, FRowAdler, static_cast<z_off_t>(FRowLength));
}

// Each run of equal bytes: its first byte as a literal, the rest copied from one byte back.
void RowDeflate::Runs(std::string_view row) {
  const auto *bytes = reinterpret_cast<const unsigned char *>(row.data());
  for (std::size_t i = 0; i < row.size();) {
    std::size_t run = 1;
    while (i + run < row.size() && bytes[i + run] == bytes[i]) ++run;
    Literal(bytes[i]);
    if (run - 1 >= kShortestMatch) {
      Back(run - 1, 1);
    } else {
      for (std::size_t k = 1; k < run; ++k) Literal(bytes[i]);
    }
    i += run;
  }
}

std::string RowDeflate::Finish() {
  Bits(kFixedCodes[kEndOfBlock].bits, kFixedCodes[kEndOfBlock].length);
  while (FBitCount > 0) {
    FOut += static_cast<char>(FBitBuffer & 0xFF);
    FBitBuffer >>= 8;
    FBitCount = std::max(FBitCount - 8, 0);
  }
  for (int shift = 24; shift >= 0; shift -= 8) FOut += static_cast<char>((FAdler >> shift) & 0xFF);
  return std::move(FOut);
}

}  // namespace plomix
