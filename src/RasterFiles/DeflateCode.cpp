#include "RasterFiles/DeflateCode.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace plomix {
namespace {

// Moffat and Katajainen's in-place method: `a` holds the weights in rising order and is
// left holding each one's optimal code length (the lightest get the longest).
void MinimumRedundancy(std::uint64_t *a, std::size_t n) {
  if (n == 1) {
    a[0] = 0;
    return;
  }
  // Left to right: each internal node's weight, then the index of its parent.
  a[0] += a[1];
  std::size_t root = 0, leaf = 2;
  for (std::size_t next = 1; next + 1 < n; ++next) {
    if (leaf >= n || a[root] < a[leaf]) {
      a[next] = a[root];
      a[root++] = next;
    } else {
      a[next] = a[leaf++];
    }
    if (leaf >= n || (root < next && a[root] < a[leaf])) {
      a[next] += a[root];
      a[root++] = next;
    } else {
      a[next] += a[leaf++];
    }
  }
  // Right to left: each internal node's depth.
  a[n - 2] = 0;
  for (std::size_t next = n - 2; next-- > 0;) a[next] = a[a[next]] + 1;
  // Right to left: the leaves' depths, from the number of nodes at each depth.
  std::int64_t available = 1, internal = static_cast<std::int64_t>(n) - 2, next = static_cast<std::int64_t>(n) - 1;
  for (std::uint64_t depth = 0; available > 0; ++depth) {
    std::int64_t used = 0;
    while (internal >= 0 && a[static_cast<std::size_t>(internal)] == depth) {
      ++used;
      --internal;
    }
    for (; available > used; --available) a[static_cast<std::size_t>(next--)] = depth;
    available = 2 * used;
  }
}

// Symbols are numbered below 2^9 (286 at most); counts beyond 2^55 are taken as 2^55, which
// changes no code a picture can need.
constexpr int kSymbolBits = 9;
constexpr std::size_t kMostSymbols = 288;
constexpr std::uint64_t kMostCount = (std::uint64_t{1} << (64 - kSymbolBits)) - 1;
constexpr int kSentExtraBits[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 3, 7};
constexpr std::array<std::uint8_t, 19> kSentOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

constexpr std::array<LengthCode, kLongestCopy + 1> MakeLengthCodes() {
  constexpr unsigned base[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                 31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  constexpr unsigned extra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  std::array<LengthCode, kLongestCopy + 1> codes{};
  for (unsigned length = kShortestCopy; length <= kLongestCopy; ++length) {
    unsigned code = 0;
    while (code + 1 < 29 && base[code + 1] <= length) ++code;
    codes[length] = {static_cast<std::uint16_t>(257 + code), static_cast<std::uint8_t>(extra[code]),
                     static_cast<std::uint16_t>(length - base[code])};
  }
  return codes;
}
constexpr std::array<LengthCode, kLongestCopy + 1> kLengthCodes = MakeLengthCodes();

// Sorts keys in rising order. Keys under 2^24 (a block's counts under 2^15 above their
// symbols' numbers: every picture of a usual size) go through three passes of 8 bits that
// compare nothing: a comparison sort of a block's few hundred symbols mispredicts about
// every other branch, and took as long as counting the symbols.
void SortKeys(std::uint64_t *keys, std::size_t n) {
  std::uint64_t all = 0;
  for (std::size_t i = 0; i < n; ++i) all |= keys[i];
  if (all >= (std::uint64_t{1} << 24)) {
    std::sort(keys, keys + n);
    return;
  }
  // The three bytes' counts in one pass; a byte that all keys share needs no pass.
  std::array<std::array<std::uint32_t, 256>, 3> start{};
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t pass = 0; pass < 3; ++pass) ++start[pass][(keys[i] >> (8 * pass)) & 0xFF];
  std::array<std::uint64_t, kMostSymbols> other;
  std::uint64_t *from = keys, *to = other.data();
  for (std::size_t pass = 0; pass < 3; ++pass) {
    std::array<std::uint32_t, 256> &at = start[pass];
    if (at[(keys[0] >> (8 * pass)) & 0xFF] == n) continue;
    for (std::uint32_t b = 0, sum = 0; b < 256; ++b) {
      const std::uint32_t count = at[b];
      at[b] = sum;
      sum += count;
    }
    for (std::size_t i = 0; i < n; ++i) to[at[(from[i] >> (8 * pass)) & 0xFF]++] = from[i];
    std::swap(from, to);
  }
  if (from != keys) std::copy(from, from + n, keys);
}

}  // namespace

const LengthCode &LengthCodeOf(unsigned length) { return kLengthCodes[length]; }

std::vector<std::uint8_t> HuffmanLengths(std::span<const std::uint64_t> counts, int longest) {
  if (counts.size() > kMostSymbols) throw std::invalid_argument("a deflate code has at most 288 symbols");
  std::vector<std::uint8_t> lengths(counts.size(), 0);
  // The symbols that come, lightest first (equal counts by symbol): each count above the
  // symbol's number, so that one sort of plain numbers orders them.
  std::array<std::uint64_t, kMostSymbols> used;
  std::size_t n = 0;
  for (std::uint32_t s = 0; s < counts.size(); ++s)
    if (counts[s] > 0) used[n++] = std::min<std::uint64_t>(counts[s], kMostCount) << kSymbolBits | s;
  if (n == 0) return lengths;
  const auto symbol = [&](std::size_t i) { return static_cast<std::size_t>(used[i] & ((1U << kSymbolBits) - 1)); };
  if (n == 1) {
    lengths[symbol(0)] = 1;
    lengths[symbol(0) == 0 ? 1 : 0] = 1;
    return lengths;
  }
  SortKeys(used.data(), n);
  std::array<std::uint64_t, kMostSymbols> depth;
  for (std::size_t i = 0; i < n; ++i) depth[i] = used[i] >> kSymbolBits;
  MinimumRedundancy(depth.data(), n);

  // Within the longest length: deeper leaves move up to it, then, while the code is
  // over-full, a leaf at the longest length goes and a shorter leaf splits into two one
  // level down (which keeps the number of leaves and takes one unit of room).
  std::array<std::size_t, 16> perLength{};
  for (std::size_t i = 0; i < n; ++i) ++perLength[std::min<std::size_t>(depth[i], static_cast<std::size_t>(longest))];
  std::uint64_t room = 0;  // in units of the longest code's share
  for (int l = 1; l <= longest; ++l) room += static_cast<std::uint64_t>(perLength[static_cast<std::size_t>(l)]) << (longest - l);
  for (; room > (std::uint64_t{1} << longest); --room) {
    --perLength[static_cast<std::size_t>(longest)];
    for (int l = longest - 1; l > 0; --l)
      if (perLength[static_cast<std::size_t>(l)] > 0) {
        --perLength[static_cast<std::size_t>(l)];
        perLength[static_cast<std::size_t>(l) + 1] += 2;
        break;
      }
  }
  // The lightest symbols take the longest codes.
  std::size_t i = 0;
  for (int l = longest; l > 0; --l)
    for (std::size_t k = 0; k < perLength[static_cast<std::size_t>(l)]; ++k) lengths[symbol(i++)] = static_cast<std::uint8_t>(l);
  return lengths;
}

std::vector<std::uint32_t> CanonicalCodes(std::span<const std::uint8_t> lengths) {
  constexpr int kLongest = 15;
  std::uint32_t perLength[kLongest + 1] = {};
  for (const std::uint8_t l : lengths) ++perLength[l];
  perLength[0] = 0;
  std::uint32_t next[kLongest + 2] = {};
  for (int l = 1, code = 0; l <= kLongest; ++l) {
    code = (code + static_cast<int>(perLength[l - 1])) << 1;
    next[l] = static_cast<std::uint32_t>(code);
  }
  std::vector<std::uint32_t> codes(lengths.size(), 0);
  for (std::size_t s = 0; s < lengths.size(); ++s)
    if (lengths[s] > 0) codes[s] = ReversedBits(next[lengths[s]]++, lengths[s]);
  return codes;
}

OwnBlockCode::OwnBlockCode(std::span<const std::uint64_t> literalLengthCounts)
    : FLengths(HuffmanLengths(literalLengthCounts, 15)) {
  std::size_t sentCodes = FLengths.size();  // at least 257: up to the end of block
  while (sentCodes > 257 && FLengths[sentCodes - 1] == 0) --sentCodes;
  FLengths.resize(sentCodes);
  FCodes = CanonicalCodes(FLengths);
  // The lengths as the format sends them: runs of zeros and repeats of the length before
  // shortened, each table on its own.
  FSent.reserve(FLengths.size() + 2);
  auto add = [this](std::span<const std::uint8_t> lengths) {
    for (std::size_t i = 0; i < lengths.size();) {
      const std::uint8_t length = lengths[i];
      std::size_t run = 1;
      while (i + run < lengths.size() && lengths[i + run] == length) ++run;
      i += run;
      if (length == 0) {
        for (std::size_t now; run >= 11; run -= now) {
          now = std::min<std::size_t>(run, 138);
          FSent.push_back({18, static_cast<std::uint8_t>(now - 11)});
        }
        if (run >= 3) {
          FSent.push_back({17, static_cast<std::uint8_t>(run - 3)});
          run = 0;
        }
      } else {
        FSent.push_back({length, 0});
        --run;
        for (std::size_t now; run >= 3; run -= now) {
          now = std::min<std::size_t>(run, 6);
          FSent.push_back({16, static_cast<std::uint8_t>(now - 3)});
        }
      }
      for (; run > 0; --run) FSent.push_back({length, 0});
    }
  };
  add(FLengths);
  const std::uint8_t distanceLengths[2] = {kDistanceLength, kDistanceLength};
  add(distanceLengths);
  std::array<std::uint64_t, 19> sentCounts{};
  for (const Sent &s : FSent) ++sentCounts[s.symbol];
  FSentLengths = HuffmanLengths(sentCounts, 7);
  FOrderSent = kSentOrder.size();
  while (FOrderSent > 4 && FSentLengths[kSentOrder[FOrderSent - 1]] == 0) --FOrderSent;
  FHeaderBits = 5 + 5 + 4 + 3 * FOrderSent;
  for (const Sent &s : FSent) FHeaderBits += FSentLengths[s.symbol] + static_cast<unsigned>(kSentExtraBits[s.symbol]);
}

void OwnBlockCode::PutHeader(DeflateBitWriter &bits) const {
  bits.Put(static_cast<std::uint32_t>(FLengths.size() - 257), 5);
  bits.Put(2 - 1, 5);
  bits.Put(static_cast<std::uint32_t>(FOrderSent - 4), 4);
  for (std::size_t i = 0; i < FOrderSent; ++i) bits.Put(FSentLengths[kSentOrder[i]], 3);
  const std::vector<std::uint32_t> sentCodes = CanonicalCodes(FSentLengths);
  for (const Sent &s : FSent) {
    bits.Put(sentCodes[s.symbol], FSentLengths[s.symbol]);
    bits.Put(s.extra, kSentExtraBits[s.symbol]);
  }
}

}  // namespace plomix
