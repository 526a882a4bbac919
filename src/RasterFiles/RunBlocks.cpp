#include "RasterFiles/RunBlocks.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "RasterFiles/DeflateCode.h"

namespace plomix {
namespace {

using Token = RunBlockWriter::Token;
constexpr Token kCopy = 256, kBlankRows = 1024;
constexpr unsigned kEndOfBlock = 256;
constexpr std::size_t kLiteralLengthSymbols = 286;
// Tokens a block holds before a new block (and code) starts, as zlib does by default:
// large enough that the code's cost is spread, small enough to follow changing rows.
constexpr std::size_t kMostTokens = 16383;
static_assert(kBlankRows + kMostTokens <= 0xFFFF, "a block's blank runs are numbered within a token");

constexpr int kFixedDistanceLength = 5;
constexpr std::size_t kMostStored = 0xFFFF;

// The fixed code (RFC 1951, 3.2.6) for the literal and length symbols.
struct FixedCode {
  std::vector<std::uint8_t> lengths;
  std::vector<std::uint32_t> codes;
  FixedCode() : lengths(288) {
    for (std::size_t s = 0; s < lengths.size(); ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    codes = CanonicalCodes(lengths);
  }
};
const FixedCode &Fixed() {
  static const FixedCode fixed;
  return fixed;
}

// A blank row as tokens: its filter byte, one zero, and the rest of its zeros copied from
// one byte back, 258 at a time and then what is left (under 3 left go as zeros).
struct BlankRow {
  std::size_t whole, rest;
  const LengthCode *restCopy;  // null when the rest goes as zeros
  explicit BlankRow(std::size_t stride)
      : whole((stride - 2) / kLongestCopy),
        rest((stride - 2) % kLongestCopy),
        restCopy(rest >= kShortestCopy ? &LengthCodeOf(static_cast<unsigned>(rest)) : nullptr) {}
};

}  // namespace

void RunBlockWriter::Add(Token token, int before) {
  if (FTokens.empty()) FFirstBefore = before;
  FTokens.push_back(token);
  if (FTokens.size() == kMostTokens) PutBlock(false);
}

void RunBlockWriter::AddBytes(std::string_view bytes, int before) {
  const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
  const std::size_t size = bytes.size();
  for (std::size_t i = 0; i < size;) {
    const int previous = i > 0 ? data[i - 1] : before;
    std::size_t run = 0;
    if (data[i] == previous) {
      const std::size_t most = std::min<std::size_t>(size - i, kLongestCopy);
      const std::uint64_t same = 0x0101010101010101ULL * data[i];  // eight bytes at a time first
      for (std::uint64_t word; run + 8 <= most; run += 8) {
        std::memcpy(&word, data + i + run, 8);
        if (word != same) break;
      }
      while (run < most && data[i + run] == data[i]) ++run;
    }
    if (run >= kShortestCopy) {
      FHeldSize += run;  // before Add, which may write the block out
      Add(static_cast<Token>(kCopy + run), previous);
      i += run;
    } else {
      ++FHeldSize;
      Add(data[i], previous);
      ++i;
    }
  }
}

void RunBlockWriter::AddBlankRows(std::size_t rows, std::size_t stride, unsigned char filter) {
  if (rows == 0) return;
  FBlankRuns.push_back({rows, stride, filter});
  FHeldSize += rows * stride;
  Add(static_cast<Token>(kBlankRows + FBlankRuns.size() - 1), -1);
}

void RunBlockWriter::Finish(bool last) {
  if (!FTokens.empty() || last) PutBlock(last);
}

// One block of the tokens held, with the code that costs fewer bits: its own, or the fixed one.
void RunBlockWriter::PutBlock(bool last) {
  std::array<std::uint64_t, kLiteralLengthSymbols> counts{};
  std::uint64_t extraBits = 0, copies = 0;
  for (const Token t : FTokens) {
    if (t < kCopy) {
      ++counts[t];
    } else if (t < kBlankRows) {
      const LengthCode &code = LengthCodeOf(t - kCopy);
      ++counts[code.symbol];
      extraBits += code.extraBits;
      ++copies;
    } else {
      const BlankRun &run = FBlankRuns[t - kBlankRows];
      const BlankRow row(run.stride);
      counts[run.filter] += run.rows;
      counts[0] += run.rows * (1 + (row.restCopy ? 0 : row.rest));
      counts[LengthCodeOf(kLongestCopy).symbol] += run.rows * row.whole;
      copies += run.rows * row.whole;
      if (row.restCopy) {
        counts[row.restCopy->symbol] += run.rows;
        extraBits += run.rows * row.restCopy->extraBits;
        copies += run.rows;
      }
    }
  }
  counts[kEndOfBlock] = 1;

  // Bytes that do not compress (varied greys with no runs) are stored as they are.
  const std::size_t size = FHeldSize;
  const std::uint64_t storedBits = 7 + (size / kMostStored + 1) * (3 + 32) + 8 * std::uint64_t{size};

  const OwnBlockCode own(counts);
  const FixedCode &fixed = Fixed();
  std::uint64_t ownBits = own.HeaderBits() + extraBits + copies * OwnBlockCode::kDistanceLength;
  std::uint64_t fixedBits = extraBits + copies * kFixedDistanceLength;
  for (std::size_t s = 0; s < own.Lengths().size(); ++s) {
    ownBits += counts[s] * own.Lengths()[s];
    fixedBits += counts[s] * fixed.lengths[s];
  }

  if (storedBits < std::min(ownBits, fixedBits)) {
    PutStored(last);
    return;
  }
  DeflateBitWriter bits(FBits);
  bits.Put(last ? 1 : 0, 1);
  const bool useOwn = ownBits < fixedBits;
  bits.Put(useOwn ? 2 : 1, 2);
  if (useOwn) own.PutHeader(bits);
  const std::uint8_t *lengths = useOwn ? own.Lengths().data() : fixed.lengths.data();
  const std::uint32_t *codes = useOwn ? own.Codes().data() : fixed.codes.data();
  // A copy as one field: its length's code, the extra bits, then the distance code 0 (one
  // byte back), which is all zeros in either code.
  const int distanceLength = useOwn ? OwnBlockCode::kDistanceLength : kFixedDistanceLength;
  auto putCopy = [&](const LengthCode &code) {
    bits.Put(codes[code.symbol] | static_cast<std::uint32_t>(code.extra) << lengths[code.symbol],
             lengths[code.symbol] + code.extraBits + distanceLength);
  };
  for (const Token t : FTokens) {
    if (t < kCopy) {
      bits.Put(codes[t], lengths[t]);
    } else if (t < kBlankRows) {
      putCopy(LengthCodeOf(t - kCopy));
    } else {
      const BlankRun &run = FBlankRuns[t - kBlankRows];
      const BlankRow row(run.stride);
      const LengthCode &wholeCopy = LengthCodeOf(kLongestCopy);
      for (std::size_t r = 0; r < run.rows; ++r) {
        bits.Put(codes[run.filter], lengths[run.filter]);
        bits.Put(codes[0], lengths[0]);
        for (std::size_t i = 0; i < row.whole; ++i) putCopy(wholeCopy);
        if (row.restCopy) putCopy(*row.restCopy);
        else
          for (std::size_t i = 0; i < row.rest; ++i) bits.Put(codes[0], lengths[0]);
      }
    }
  }
  bits.Put(codes[kEndOfBlock], lengths[kEndOfBlock]);
  bits.HandOver(FBits);
  Clear();
}

void RunBlockWriter::Clear() {
  FTokens.clear();
  FBlankRuns.clear();
  FHeldSize = 0;
}

// The bytes held, written out again from their tokens, as stored blocks of at most 65,535.
void RunBlockWriter::PutStored(bool last) {
  std::string bytes;
  bytes.reserve(FHeldSize);
  for (const Token t : FTokens) {
    if (t < kCopy) {
      bytes += static_cast<char>(t);
    } else if (t < kBlankRows) {
      bytes.append(t - kCopy, bytes.empty() ? static_cast<char>(FFirstBefore) : bytes.back());
    } else {
      const BlankRun &run = FBlankRuns[t - kBlankRows];
      for (std::size_t r = 0; r < run.rows; ++r) {
        bytes += static_cast<char>(run.filter);
        bytes.append(run.stride - 1, '\0');
      }
    }
  }
  std::string_view rest = bytes;
  do {
    const std::size_t now = std::min(rest.size(), kMostStored);
    FBits.Put(last && now == rest.size() ? 1 : 0, 1);
    FBits.Put(0, 2);
    FBits.EndOnByte();
    FBits.Put(static_cast<std::uint32_t>(now), 16);
    FBits.Put(static_cast<std::uint32_t>(now ^ 0xFFFF), 16);
    FBits.WholeBytesOut();
    FBits.Append(rest.substr(0, now));
    rest.remove_prefix(now);
  } while (!rest.empty());
  Clear();
}

}  // namespace plomix
