// Our own deflate blocks: code lengths that are complete and within their limit, and blocks
// of runs (bytes and blank rows in any mix) that zlib inflates to exactly what was given, in
// files no larger than zlib's own search for runs makes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <numeric>
#include <queue>
#include <string>
#include <vector>

#include "RasterFiles/DeflateCode.h"
#include "RasterFiles/RunBlocks.h"
#include "tests/RasterFiles/InflateForTests.h"

namespace plomix {
namespace {

// --- code lengths ---------------------------------------------------------------------------

struct LengthsCase {
  const char *note;
  std::vector<std::uint64_t> counts;
  int longest;
  std::vector<std::uint8_t> expected;  // empty: only completeness and the limit are checked
  bool limited = false;                // the limit is below the depth of Huffman's own code
};

// The cost (bits) of Huffman's own code without a limit: the sum of every merged weight.
std::uint64_t HuffmanCost(const std::vector<std::uint64_t> &counts) {
  std::priority_queue<std::uint64_t, std::vector<std::uint64_t>, std::greater<>> open;
  for (const std::uint64_t c : counts)
    if (c > 0) open.push(c);
  if (open.size() == 1) return open.top();  // one symbol, one bit each
  std::uint64_t cost = 0;
  while (open.size() > 1) {
    const std::uint64_t a = open.top();
    open.pop();
    const std::uint64_t b = open.top();
    open.pop();
    cost += a + b;
    open.push(a + b);
  }
  return cost;
}

// Counts like a block of a symbol's text rows: a few hundred symbols, most of them rare.
std::vector<std::uint64_t> TextRowCounts() {
  std::vector<std::uint64_t> counts(286, 0);
  std::uint32_t seed = 99;
  for (int i = 0; i < 900; ++i) {
    seed = seed * 1103515245U + 12345U;
    ++counts[(seed >> 16) % 7 == 0 ? (seed >> 8) % 286 : (seed >> 8) % 12];
  }
  counts[256] = 1;
  return counts;
}

std::vector<std::uint64_t> Fibonacci(std::size_t n) {
  std::vector<std::uint64_t> f = {1, 1};
  while (f.size() < n) f.push_back(f[f.size() - 1] + f[f.size() - 2]);
  return f;
}

const LengthsCase kLengthsCases[] = {
    {"nothing comes", {0, 0, 0}, 15, {0, 0, 0}},
    {"one symbol gets a partner", {0, 0, 7}, 15, {1, 0, 1}},
    {"the first symbol alone", {5, 0, 0}, 15, {1, 1, 0}},
    {"two symbols", {3, 0, 9}, 15, {1, 0, 1}},
    {"skewed counts", {1, 1, 2, 4}, 15, {3, 3, 2, 1}},
    {"equal counts take equal lengths", std::vector<std::uint64_t>(256, 5), 15, std::vector<std::uint8_t>(256, 8)},
    {"Fibonacci counts over the limit of 15", Fibonacci(30), 15, {}, true},
    {"Fibonacci counts over the limit of 7", Fibonacci(19), 7, {}, true},
    {"counts of text rows", TextRowCounts(), 15, {}},
    {"counts too large to add in 32 bits", {std::uint64_t{1} << 40, 1, 1, std::uint64_t{1} << 41}, 15, {2, 3, 3, 1}},
};

void PrintTo(const LengthsCase &c, std::ostream *os) { *os << c.note; }

class CodeLengths : public testing::TestWithParam<LengthsCase> {};

TEST_P(CodeLengths, AreCompleteWithinTheLimit) {
  const LengthsCase &c = GetParam();
  const std::vector<std::uint8_t> lengths = HuffmanLengths(c.counts, c.longest);
  ASSERT_EQ(lengths.size(), c.counts.size());
  if (!c.expected.empty()) {
    EXPECT_EQ(lengths, c.expected);
  }
  std::uint64_t room = 0;  // Kraft's sum, in units of the longest code
  for (std::size_t s = 0; s < lengths.size(); ++s) {
    EXPECT_LE(lengths[s], c.longest) << "symbol " << s;
    if (c.counts[s] > 0) {
      EXPECT_GT(lengths[s], 0) << "symbol " << s << " comes and has no code";
    }
    if (lengths[s] > 0) room += std::uint64_t{1} << (c.longest - lengths[s]);
  }
  const bool none = std::accumulate(c.counts.begin(), c.counts.end(), std::uint64_t{0}) == 0;
  EXPECT_EQ(room, none ? 0 : std::uint64_t{1} << c.longest) << "the code is not complete";
  if (!none && !c.limited) {
    std::uint64_t cost = 0;
    for (std::size_t s = 0; s < lengths.size(); ++s) cost += c.counts[s] * lengths[s];
    EXPECT_EQ(cost, HuffmanCost(c.counts)) << "not the shortest code";
  }
}

INSTANTIATE_TEST_SUITE_P(Counts, CodeLengths, testing::ValuesIn(kLengthsCases),
                         [](const auto &info) { return test::TestNameOf(info.param.note); });

// --- blocks of runs -------------------------------------------------------------------------

// zlib's own raw stream of the bytes with its search for runs alone, at its best level.
std::string ZlibRuns(std::string_view bytes) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_RLE), Z_OK);
  std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())), '\0');
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = reinterpret_cast<Bytef *>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::uint32_t Next(std::uint32_t &seed) { return seed = seed * 1103515245U + 12345U; }

// A piece of a stream: bytes made by a recipe, or blank rows.
struct Piece {
  enum Kind { Bytes, BlankRows } kind;
  std::size_t size;  // bytes, or rows
  int recipe;        // Bytes: 0 one byte repeated, 1 varied (few runs), 2 a row of a symbol
  std::size_t stride = 0;
  unsigned char filter = 2;
};

std::string BytesOf(const Piece &p, std::uint32_t &seed) {
  std::string bytes(p.size, '\0');
  for (std::size_t i = 0; i < p.size; ++i) {
    switch (p.recipe) {
      case 0: bytes[i] = 'a'; break;
      case 1: bytes[i] = static_cast<char>(Next(seed) >> 16); break;
      default: bytes[i] = static_cast<char>((i / 7) % 3 == 0 ? 0 : (i / 7) % 3 == 1 ? 255 : (Next(seed) >> 20) % 4); break;
    }
  }
  return bytes;
}

struct StreamCase {
  const char *note;
  std::vector<Piece> pieces;
  bool incompressible = false;
};

const StreamCase kStreamCases[] = {
    {"nothing at all", {}},
    {"one byte", {{Piece::Bytes, 1, 1}}},
    {"a run from the first byte (nothing before to copy)", {{Piece::Bytes, 300, 0}}},
    {"runs of every length up to two copies", {{Piece::Bytes, 2, 0}, {Piece::Bytes, 1, 1}, {Piece::Bytes, 3, 0},
                                               {Piece::Bytes, 259, 0}, {Piece::Bytes, 517, 0}}},
    {"varied bytes only (the fixed code may win)", {{Piece::Bytes, 40, 1}}},
    {"varied bytes, many, stored", {{Piece::Bytes, 40000, 1}}, true},
    {"symbol rows, more tokens than one block holds", {{Piece::Bytes, 120000, 2}}},
    {"blank rows alone", {{Piece::BlankRows, 50, 0, 289}}},
    {"blank rows of 4 bytes (two zeros left as literals)", {{Piece::Bytes, 10, 2}, {Piece::BlankRows, 9, 0, 4}}},
    {"blank rows of 5 bytes (the shortest copy)", {{Piece::BlankRows, 9, 0, 5}, {Piece::Bytes, 10, 2}}},
    {"blank rows of whole copies", {{Piece::Bytes, 260, 2}, {Piece::BlankRows, 3, 0, 260}}},
    {"blank rows with one zero over", {{Piece::Bytes, 261, 2}, {Piece::BlankRows, 3, 0, 261}}},
    {"blank rows of filter 0 after zeros", {{Piece::Bytes, 30, 0}, {Piece::BlankRows, 4, 0, 30, 0}}},
    {"bytes and blank rows mixed", {{Piece::Bytes, 289, 2}, {Piece::BlankRows, 86, 0, 289}, {Piece::Bytes, 3000, 2},
                                    {Piece::BlankRows, 11, 0, 289, 1}, {Piece::Bytes, 1, 1}}},
    {"more blank runs than one block holds", {}},  // filled in below
};

void PrintTo(const StreamCase &c, std::ostream *os) { *os << c.note; }

class RunBlocks : public testing::TestWithParam<StreamCase> {};

TEST_P(RunBlocks, InflateToTheBytesGiven) {
  std::vector<Piece> pieces = GetParam().pieces;
  if (std::string(GetParam().note) == "more blank runs than one block holds")
    for (int i = 0; i < 9000; ++i) {
      pieces.push_back({Piece::Bytes, 3, 1});
      pieces.push_back({Piece::BlankRows, 2, 0, 6, static_cast<unsigned char>(1 + i % 4)});
    }
  std::string stream, expected;
  std::uint32_t seed = 7;
  {
    DeflateBitWriter bits(stream);
    RunBlockWriter blocks(bits);
    for (const Piece &p : pieces) {
      if (p.kind == Piece::Bytes) {
        const std::string bytes = BytesOf(p, seed);
        blocks.AddBytes(bytes, expected.empty() ? -1 : static_cast<unsigned char>(expected.back()));
        expected += bytes;
      } else {
        blocks.AddBlankRows(p.size, p.stride, p.filter);
        for (std::size_t r = 0; r < p.size; ++r) {
          expected += static_cast<char>(p.filter);
          expected.append(p.stride - 1, '\0');
        }
      }
    }
    blocks.Finish(true);
    bits.EndOnByte();
  }
  EXPECT_EQ(test::Inflated(stream, test::StreamKind::RawDeflate), expected);
  // No larger than zlib's search for runs, but for a few bytes and half a percent
  // (the two split their blocks differently).
  const std::size_t zlibs = ZlibRuns(expected).size();
  EXPECT_LE(stream.size(), zlibs + 12 + zlibs / 200) << "zlib: " << zlibs;
  // Bytes with no runs and every value as often are stored: five bytes of header a block.
  if (GetParam().incompressible) {
    EXPECT_LE(stream.size(), expected.size() + 5 * (expected.size() / 16383 + 1) + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Streams, RunBlocks, testing::ValuesIn(kStreamCases),
                         [](const auto &info) { return test::TestNameOf(info.param.note); });

}  // namespace
}  // namespace plomix
