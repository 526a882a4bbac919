#include "RasterFiles/PngDeflate.h"

#include "RasterFiles/DeflateBits.h"
#include "RasterFiles/DeflateCode.h"
#include "RasterFiles/RunBlocks.h"

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

struct ZStream {
  z_stream stream{};
  bool ready = false;
  ~ZStream() {
    if (ready) deflateEnd(&stream);
  }
};

// One raw deflate stream per level and thread, made on first use and reset for
// each picture: making one costs more than compressing a small picture.
z_stream *StreamFor(int level) {
  thread_local std::array<ZStream, 10> streams;
  ZStream &z = streams[static_cast<std::size_t>(level)];
  if (z.ready) {
    if (deflateReset(&z.stream) != Z_OK) return nullptr;
    return &z.stream;
  }
  const int made = deflateInit2(&z.stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
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
  // Runs of one byte are found here; only colour rows need zlib's search for matches.
  z_stream *z = runs ? nullptr : StreamFor(level);
  if (!runs && !z) return false;
  out.clear();
  out.reserve(rows.size() / 8 + 64);
  // The zlib header: deflate with a 32 KB window, the level in two bits, a check that makes
  // the two bytes a multiple of 31.
  const unsigned method = 0x78, levelBits = level == 1 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  unsigned flags = levelBits << 6;
  flags += 31 - (method * 256 + flags) % 31;
  out += static_cast<char>(method);
  out += static_cast<char>(flags);

  DeflateBitWriter bits(out);
  if (runs) {
    // One writer for the whole stream: blank runs and the rows between share its blocks.
    RunBlockWriter blocks(bits);
    for (const RowPiece &piece : pieces) {
      if (piece.copied)
        blocks.AddBlankRows((piece.end - piece.begin) / stride, stride, static_cast<unsigned char>(rows[piece.begin]));
      else
        blocks.AddBytes(rows.substr(piece.begin, piece.end - piece.begin),
                        piece.begin > 0 ? static_cast<unsigned char>(rows[piece.begin - 1]) : -1);
    }
    blocks.Finish(true);
  } else {
    bool fresh = true;  // zlib's history matches the stream (nothing written past it)
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      const RowPiece &piece = pieces[i];
      const bool last = i + 1 == pieces.size();
      if (piece.copied) {
        // A block of its own, so that zlib need not look at the run's bytes.
        RunBlockWriter blank(bits);
        blank.AddBlankRows((piece.end - piece.begin) / stride, stride, static_cast<unsigned char>(rows[piece.begin]));
        blank.Finish(last);
        fresh = false;
        continue;
      }
      if (!fresh) {
        // zlib would reach back into bytes it did not see: it starts again, after the bits
        // of the copies that do not fill a byte.
        if (deflateReset(z) != Z_OK) return false;
        bits.WholeBytesOut();
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
  }
  bits.EndOnByte();
  const std::uint32_t adler = libdeflate_adler32(1, rows.data(), rows.size());
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((adler >> shift) & 0xFF);
  return true;
}

}  // namespace plomix
