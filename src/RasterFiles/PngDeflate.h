#pragma once
// PNG's filtered rows as one zlib stream whose cost follows the rows that differ. A symbol's
// picture repeats one row for most of its height, and a row equal to the one above becomes
// a filter byte and zeros; zlib and libdeflate hash every byte of such rows (or at least
// look at it), so they would cost as much as new ones. Here a run of such blank rows is
// counted once and written a few bits a row by our own blocks (RunBlocks.h). The rest goes
// through zlib (colour rows, whose colours repeat three or four bytes apart), or, when runs
// of one byte are all there is to find (palette and grey rows), into the same run blocks.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace plomix {

// A stretch of the rows' bytes, [begin, end): looked at byte by byte, or a run of blank
// rows (each equal to the row above, a filter byte and zeros) counted once.
struct RowPiece {
  std::size_t begin = 0, end = 0;
  bool copied = false;
};

// Between zlib's pieces, runs this long (in bytes) or longer are copied. Shorter ones (a
// turned symbol repeats each row for only a module's width) cost less in the library than a
// block of their own, which also restarts the library's history. Chosen by
// bench/bench_png.cpp. (In run blocks a copied run costs nothing extra: every run is copied.)
constexpr std::size_t kLeastCopiedBytes = 4096;

// The pieces of `rows` (rows of `stride` bytes): runs of blank rows of at least
// `leastCopied` bytes after a row like them are copied, the rest is left to the library.
// Rows under 5 bytes (fewer than the 3 zeros of the shortest copy) are never copied.
std::vector<RowPiece> PlanRowPieces(std::string_view rows, std::size_t stride,
                                    std::size_t leastCopied = kLeastCopiedBytes);

// The zlib stream (header, deflate data, Adler-32) of `rows` cut into `pieces`. With `runs`,
// every piece goes into one run block writer (copies of the byte before only, as zlib's
// Z_RLE finds them; copied pieces counted once). Without, the other pieces go through zlib
// at `level` and each copied piece (blank rows only) is a block with a code of its own.
// False when zlib fails; std::bad_alloc when memory runs out.
bool DeflateRowPieces(std::string_view rows, std::size_t stride, const std::vector<RowPiece> &pieces, int level,
                      bool runs, std::string &out);

}  // namespace plomix
