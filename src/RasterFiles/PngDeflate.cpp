#include "RasterFiles/PngDeflate.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace plomix {
namespace {

constexpr std::size_t kLongestCopy = 258;

// Deflate's length codes: the first length of each and its extra bits.
constexpr std::array<unsigned, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<unsigned, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                   2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
template <std::size_t N>
std::size_t CodeOf(const std::array<unsigned, N> &base, std::size_t value) {
  std::size_t code = 0;
  while (code + 1 < N && base[code + 1] <= value) ++code;
  return code;
}

// Huffman codes go into the stream first bit first, the reverse of every other field.
std::uint32_t Reversed(std::uint32_t code, int bits) {
  std::uint32_t reversed = 0;
  for (int i = 0; i < bits; ++i, code >>= 1) reversed = (reversed << 1) | (code & 1);
  return reversed;
}

// Deflate's bit order: each field from its lowest bit, bytes filled from their lowest bit.
class BitWriter {
 public:
  explicit BitWriter(std::string &out) : FOut(out) {}
  void Put(std::uint64_t value, int bits) {
    FBits |= value << FCount;
    FCount += bits;
    while (FCount >= 8) {
      FOut += static_cast<char>(FBits & 0xFF);
      FBits >>= 8;
      FCount -= 8;
    }
  }
  // The bits that do not fill a byte yet, taken out of the writer.
  int PendingCount() const { return FCount; }
  unsigned TakePending() {
    const auto bits = static_cast<unsigned>(FBits);
    FBits = 0;
    FCount = 0;
    return bits;
  }

 private:
  std::string &FOut;
  std::uint64_t FBits = 0;
  int FCount = 0;
};

// The few literal and length symbols of a block of blank rows, each with how often it
// comes, its code's length and its code.
struct BlockSymbol {
  unsigned value = 0;
  std::size_t count = 0;
  int length = 0;
  std::uint32_t code = 0;  // bit-reversed for the stream
};

class BlockCode {
 public:
  void Add(unsigned value, std::size_t count) {
    for (std::size_t i = 0; i < FSize; ++i)
      if (FSymbols[i].value == value) {
        FSymbols[i].count += count;
        return;
      }
    FSymbols[FSize++] = {value, count};
  }
  // Huffman's lengths (join the two rarest, a symbol's length is its depth), then the
  // canonical codes of RFC 1951, 3.2.2: shorter codes first, equal lengths by value.
  void Build() {
    std::array<std::size_t, 2 * kMost> weight{};
    std::array<std::size_t, 2 * kMost> parent{};
    std::array<bool, 2 * kMost> joined{};
    std::size_t nodes = FSize;
    for (std::size_t i = 0; i < FSize; ++i) weight[i] = FSymbols[i].count;
    for (std::size_t open = FSize; open > 1; --open) {
      std::size_t first = nodes, second = nodes;  // the two lightest nodes not yet joined
      for (std::size_t i = 0; i < nodes; ++i) {
        if (joined[i]) continue;
        if (first == nodes || weight[i] < weight[first]) {
          second = first;
          first = i;
        } else if (second == nodes || weight[i] < weight[second]) {
          second = i;
        }
      }
      joined[first] = joined[second] = true;
      parent[first] = parent[second] = nodes;
      weight[nodes++] = weight[first] + weight[second];
    }
    for (std::size_t i = 0; i < FSize; ++i) {
      FSymbols[i].length = 0;
      for (std::size_t n = i; n != nodes - 1; n = parent[n]) ++FSymbols[i].length;
    }
    std::sort(FSymbols.begin(), FSymbols.begin() + static_cast<std::ptrdiff_t>(FSize),
              [](const BlockSymbol &a, const BlockSymbol &b) { return a.value < b.value; });
    std::uint32_t next = 0;
    for (int length = 1; length <= 15; ++length, next <<= 1)
      for (std::size_t i = 0; i < FSize; ++i)
        if (FSymbols[i].length == length) FSymbols[i].code = Reversed(next++, length);
  }
  const BlockSymbol &Of(unsigned value) const {
    std::size_t i = 0;
    while (FSymbols[i].value != value) ++i;
    return FSymbols[i];
  }
  // Symbols by rising value.
  const BlockSymbol *begin() const { return FSymbols.data(); }
  const BlockSymbol *end() const { return FSymbols.data() + FSize; }

 private:
  static constexpr std::size_t kMost = 5;  // filter byte, zero, copy of 258, copy of the rest, end of block
  std::array<BlockSymbol, kMost> FSymbols{};
  std::size_t FSize = 0;
};

// A run of `rows` rows each a filter byte `filter` and zeros, after a row like them, as one
// deflate block with a code of its own. Each row is its filter byte, one zero and the rest
// of its zeros copied from one byte back: a few bits a row, where the library would hash
// every byte. (Copying the whole row from a row back would cost the distance's extra bits,
// up to 13, for every 258 bytes.)
void PutBlankRun(BitWriter &bits, std::size_t rows, std::size_t stride, unsigned char filter, bool last) {
  // The symbols of one row: literals, then copies of 258 zeros and one of the rest; under 3
  // zeros left over go as literals.
  const std::size_t zeros = stride - 2, whole = zeros / kLongestCopy, rest = zeros % kLongestCopy;
  const std::size_t restCode = rest >= 3 ? CodeOf(kLengthBase, rest) : 0;
  const auto restSymbol = static_cast<unsigned>(257 + restCode);
  BlockCode code;
  code.Add(filter, rows);
  code.Add(0, rows * (1 + (rest < 3 ? rest : 0)));
  if (whole > 0) code.Add(285, rows * whole);
  if (rest >= 3) code.Add(restSymbol, rows);
  code.Add(256, 1);  // end of block
  code.Build();

  bits.Put(last ? 1 : 0, 1);
  bits.Put(2, 2);  // a code of its own
  const unsigned used = (code.end() - 1)->value + 1;  // literal and length codes sent
  bits.Put(used - 257, 5);
  bits.Put(1, 5);  // two distance codes: 1 byte back, and one unused, one bit each
  // The code lengths' own code: eight symbols of three bits each (lengths 0 to 5, and
  // runs of zeros), in the order the format sends them.
  constexpr std::array<int, 18> kOrder = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1};
  bits.Put(kOrder.size() - 4, 4);
  std::array<std::uint32_t, 19> lengthCode{};
  std::uint32_t next = 0;
  for (const int symbol : {0, 1, 2, 3, 4, 5, 17, 18}) lengthCode[static_cast<std::size_t>(symbol)] = Reversed(next++, 3);
  for (const int symbol : kOrder) bits.Put(symbol == 16 || (symbol > 5 && symbol < 17) ? 0 : 3, 3);
  auto putZeros = [&](std::size_t run) {
    while (run >= 11) {
      const std::size_t now = std::min<std::size_t>(run, 138);
      bits.Put(lengthCode[18], 3);
      bits.Put(now - 11, 7);
      run -= now;
    }
    if (run >= 3) {
      bits.Put(lengthCode[17], 3);
      bits.Put(run - 3, 3);
      run = 0;
    }
    for (; run > 0; --run) bits.Put(lengthCode[0], 3);
  };
  unsigned at = 0;
  for (const BlockSymbol &symbol : code) {
    putZeros(symbol.value - at);
    bits.Put(lengthCode[static_cast<std::size_t>(symbol.length)], 3);
    at = symbol.value + 1;
  }
  bits.Put(lengthCode[1], 3);  // the two distance codes
  bits.Put(lengthCode[1], 3);

  const BlockSymbol &filterSymbol = code.Of(filter), &zero = code.Of(0);
  for (std::size_t r = 0; r < rows; ++r) {
    bits.Put(filterSymbol.code, filterSymbol.length);
    bits.Put(zero.code, zero.length);
    if (whole > 0) {
      const BlockSymbol &copy = code.Of(285);
      for (std::size_t i = 0; i < whole; ++i) bits.Put(copy.code, copy.length + 1);  // then 0: one byte back
    }
    if (rest >= 3) {
      const BlockSymbol &copy = code.Of(restSymbol);
      bits.Put(copy.code, copy.length);
      bits.Put(rest - kLengthBase[restCode], static_cast<int>(kLengthExtra[restCode]));
      bits.Put(0, 1);  // one byte back
    } else {
      for (std::size_t i = 0; i < rest; ++i) bits.Put(zero.code, zero.length);
    }
  }
  const BlockSymbol &endOfBlock = code.Of(256);
  bits.Put(endOfBlock.code, endOfBlock.length);
}

struct ZStream {
  z_stream stream{};
  bool ready = false;
  ~ZStream() {
    if (ready) deflateEnd(&stream);
  }
};

// One raw deflate stream per level, strategy and thread, made on first use and reset for
// each picture: making one costs more than compressing a small picture.
z_stream *StreamFor(int level, bool runs) {
  thread_local std::array<std::array<ZStream, 10>, 2> streams;
  ZStream &z = streams[runs ? 1 : 0][static_cast<std::size_t>(level)];
  if (z.ready) {
    if (deflateReset(&z.stream) != Z_OK) return nullptr;
    return &z.stream;
  }
  const int made = deflateInit2(&z.stream, level, Z_DEFLATED, -15, 8, runs ? Z_RLE : Z_DEFAULT_STRATEGY);
  if (made == Z_MEM_ERROR) throw std::bad_alloc();
  if (made != Z_OK) return nullptr;
  z.ready = true;
  return &z.stream;
}

// Runs zlib over `bytes` with `flush` at their end, appending what it writes to `out`.
bool Deflate(z_stream &z, std::string_view bytes, int flush, std::string &out) {
  constexpr std::size_t kMostAtOnce = std::size_t{1} << 30;  // zlib counts in unsigned int
  do {
    const std::size_t now = std::min(bytes.size(), kMostAtOnce);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data()));
    z.avail_in = static_cast<uInt>(now);
    bytes.remove_prefix(now);
    const int flushNow = bytes.empty() ? flush : Z_NO_FLUSH;
    for (;;) {
      const std::size_t used = out.size();
      const std::size_t room = deflateBound(&z, z.avail_in) + 64;
      out.resize(used + room);
      z.next_out = reinterpret_cast<Bytef *>(out.data() + used);
      z.avail_out = static_cast<uInt>(room);
      const int result = deflate(&z, flushNow);
      out.resize(used + room - z.avail_out);
      if (result == Z_STREAM_END) return true;
      if (result != Z_OK && result != Z_BUF_ERROR) return false;
      if (z.avail_out > 0 && z.avail_in == 0) break;  // all taken and all written
    }
  } while (!bytes.empty());
  return flush != Z_FINISH;  // a finished stream returned above
}

// A filter byte and zeros: what a row equal to the one above becomes under the "up" filter.
bool Blank(const char *row, std::size_t stride) {
  return row[1] == 0 && std::memcmp(row + 1, row + 2, stride - 2) == 0;
}

}  // namespace

std::vector<RowPiece> PlanRowPieces(std::string_view rows, std::size_t stride, std::size_t leastCopied) {
  std::vector<RowPiece> pieces;
  const std::size_t height = stride == 0 ? 0 : rows.size() / stride;
  auto add = [&](std::size_t begin, std::size_t end, bool copied) {
    if (begin == end) return;
    if (!copied && !pieces.empty() && !pieces.back().copied) pieces.back().end = end;
    else pieces.push_back({begin, end, copied});
  };
  std::size_t from = 0;  // where the bytes not yet placed begin
  if (stride >= 5) {  // a row of 3 zeros or more: the shortest copy
    for (std::size_t y = 1; y < height; ++y) {
      const char *above = rows.data() + (y - 1) * stride;
      std::size_t end = y;
      while (end < height && std::memcmp(rows.data() + end * stride, above, stride) == 0) ++end;
      if (end == y) continue;
      if ((end - y) * stride >= leastCopied && Blank(above, stride)) {
        add(from, y * stride, false);
        add(y * stride, end * stride, true);
        from = end * stride;
      }
      y = end;  // row `end` differs from the run; a run of its own would start after it
    }
  }
  add(from, rows.size(), false);
  return pieces;
}

bool DeflateRowPieces(std::string_view rows, std::size_t stride, const std::vector<RowPiece> &pieces, int level,
                      bool runs, std::string &out) {
  level = std::clamp(level, 1, 9);
  z_stream *z = StreamFor(level, runs);
  if (!z) return false;
  out.clear();
  out.reserve(rows.size() / 8 + 64);
  // The zlib header: deflate with a 32 KB window, the level in two bits, a check that makes
  // the two bytes a multiple of 31.
  const unsigned method = 0x78, levelBits = level == 1 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  unsigned flags = levelBits << 6;
  flags += 31 - (method * 256 + flags) % 31;
  out += static_cast<char>(method);
  out += static_cast<char>(flags);

  BitWriter bits(out);
  bool fresh = true;  // zlib's history matches the stream (nothing written past it)
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const RowPiece &piece = pieces[i];
    const bool last = i + 1 == pieces.size();
    if (piece.copied) {
      PutBlankRun(bits, (piece.end - piece.begin) / stride, stride, static_cast<unsigned char>(rows[piece.begin]), last);
      fresh = false;
      continue;
    }
    if (!fresh) {
      // zlib would reach back into bytes it did not see: it starts again, after the bits
      // of the copies that do not fill a byte.
      if (deflateReset(z) != Z_OK) return false;
      const int count = bits.PendingCount();
      if (count > 0 && deflatePrime(z, count, static_cast<int>(bits.TakePending())) != Z_OK) return false;
      fresh = true;
    }
    // A piece before copies ends on a byte boundary (an empty stored block), so that the
    // copies' block can follow it.
    if (!Deflate(*z, rows.substr(piece.begin, piece.end - piece.begin), last ? Z_FINISH : Z_SYNC_FLUSH, out))
      return false;
  }
  if (pieces.empty() && !Deflate(*z, {}, Z_FINISH, out)) return false;
  if (bits.PendingCount() > 0) bits.Put(0, 8 - bits.PendingCount());
  const std::uint32_t adler = libdeflate_adler32(1, rows.data(), rows.size());
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((adler >> shift) & 0xFF);
  return true;
}

}  // namespace plomix
