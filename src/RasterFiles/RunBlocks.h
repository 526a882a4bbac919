#pragma once
// Bytes as deflate blocks that copy only from one byte back: each run of a byte repeated
// three times or more becomes a copy, as zlib's search for runs alone (Z_RLE) finds them,
// without its window, hash tables and their clearing. Runs of blank rows (a PNG row equal to
// the one above: its filter byte and zeros) are counted once for all their rows instead of
// being looked at byte by byte. Each block takes whichever code is shorter for it, its own
// (dynamic) or the fixed one. For the rows of a symbol's picture under PNG's filters, which
// are runs of white, of black and of zeros, the files are the size of zlib's at a fraction
// of the time.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RasterFiles/DeflateBits.h"

namespace plomix {

class RunBlockWriter {
 public:
  explicit RunBlockWriter(DeflateBitWriter &bits) : FBits(bits) {}
  // Bytes that follow `before` in the stream, or -1 at its start (nothing to copy yet).
  void AddBytes(std::string_view bytes, int before);
  // `rows` rows of `stride` bytes (at least 2), each the byte `filter` and zeros.
  void AddBlankRows(std::size_t rows, std::size_t stride, unsigned char filter);
  // Writes what is held as a block, the stream's final one when `last` (an empty final
  // block when nothing is held).
  void Finish(bool last);

  // A token: a literal byte (0 to 255), a copy of 3 to 258 bytes from one byte back
  // (kCopy + length), or a run of blank rows (kBlankRows + its number in FBlankRuns).
  using Token = std::uint16_t;

 private:
  struct BlankRun {
    std::size_t rows, stride;
    unsigned char filter;
  };
  void Add(Token token, int before);  // `before`: the byte the token follows, or -1
  void PutBlock(bool last);
  void PutStored(bool last);
  void Clear();

  DeflateBitWriter &FBits;
  std::vector<Token> FTokens;
  std::vector<BlankRun> FBlankRuns;
  int FFirstBefore = -1;     // the byte before the first token held
  std::size_t FHeldSize = 0;  // the bytes the tokens held stand for
};

}  // namespace plomix
