// libFuzzer target for the PNG writer's own deflate blocks: the input is read as a list of
// pieces (bytes as given, a byte repeated, runs of blank rows of any width and filter
// byte), written by one block writer and inflated again by zlib, which must give back
// every byte. Any difference, or a stream zlib refuses, aborts.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "RasterFiles/RunBlocks.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr std::size_t kMostBytes = std::size_t{4} << 20;  // keeps each run short

std::string InflatedRaw(const std::string &stream, std::size_t expected) {
  z_stream z{};
  Require(inflateInit2(&z, -15) == Z_OK);
  std::string out(expected + 1, '\0');
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(stream.data()));
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = reinterpret_cast<Bytef *>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  Require(result == Z_STREAM_END && z.avail_in == 0);
  out.resize(z.total_out);
  inflateEnd(&z);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  std::string stream, expected;
  {
    plomix::DeflateBitWriter bits(stream);
    plomix::RunBlockWriter blocks(bits);
    std::size_t i = 0;
    const auto next = [&]() -> unsigned { return i < size ? data[i++] : 0; };
    while (i < size && expected.size() < kMostBytes) {
      const unsigned op = next(), n = op & 63;
      const int before = expected.empty() ? -1 : static_cast<unsigned char>(expected.back());
      std::string piece;
      switch (op >> 6) {
        case 0:  // bytes as given
          for (unsigned k = 0; k <= n && i < size; ++k) piece += static_cast<char>(next());
          break;
        case 1:  // one byte repeated
          piece.assign(n * 37 + 1, static_cast<char>(next()));
          break;
        default: {  // blank rows: few, or many
          const std::size_t rows = op >> 6 == 2 ? n + 1 : n * 500 + 1;
          const std::size_t stride = 2 + next() * 3;
          const auto filter = static_cast<unsigned char>(next() % 5);
          if (expected.size() + rows * stride > kMostBytes) continue;
          blocks.AddBlankRows(rows, stride, filter);
          for (std::size_t r = 0; r < rows; ++r) {
            expected += static_cast<char>(filter);
            expected.append(stride - 1, '\0');
          }
          continue;
        }
      }
      blocks.AddBytes(piece, before);
      expected += piece;
    }
    blocks.Finish(true);
    bits.EndOnByte();
  }
  Require(InflatedRaw(stream, expected.size()) == expected);
  return 0;
}
