#pragma once
// PNG's filtered rows as one zlib stream whose cost follows the rows that differ. A symbol's
// picture repeats one row for most of its height, and a row equal to the one above becomes
// a filter byte and zeros; zlib and libdeflate hash every byte of such rows (or at least
// look at it), so they would cost as much as new ones. Here a long run of such blank rows
// is written as one deflate block of our own, a few bits a row. The rest goes through zlib,
// or, when runs of one byte are all that is looked for, through our own run blocks
// (RunBlocks.h).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plomix {

// A stretch of the rows' bytes, [begin, end): compressed by the library, or a run of blank
// rows (each equal to the row above, a filter byte and zeros) written by our own block.
struct RowPiece {
  std::size_t begin = 0, end = 0;
  bool copied = false;
};

// Runs this long (in bytes) or longer are copied. Shorter ones (a turned symbol repeats
// each row for only a module's width) cost less in the library than a block of their own,
// which also restarts the library's history. Chosen by bench/bench_png.cpp.
constexpr std::size_t kLeastCopiedBytes = 4096;

// The pieces of `rows` (rows of `stride` bytes): runs of blank rows of at least
// `leastCopied` bytes after a row like them are copied, the rest is left to the library.
// Rows under 5 bytes (fewer than the 3 zeros of the shortest copy) are never copied.
std::vector<RowPiece> PlanRowPieces(std::string_view rows, std::size_t stride,
                                    std::size_t leastCopied = kLeastCopiedBytes);

// The zlib stream (header, deflate data, Adler-32) of `rows` cut into `pieces`: the library's
// pieces through zlib at `level`, or with `runs` as run blocks (copies of the byte before
// only, as zlib's Z_RLE finds them); each copied piece (blank rows only) as a block with a
// code of its own. False when zlib fails; std::bad_alloc when memory runs out.
bool DeflateRowPieces(std::string_view rows, std::size_t stride, const std::vector<RowPiece> &pieces, int level,
                      bool runs, std::string &out);

}  // namespace plomix
