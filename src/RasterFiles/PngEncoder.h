#pragma once
// PNG files written directly, in the smallest layout that keeps every pixel: a palette of 1, 2
// or 4 bits a pixel for up to 16 colours, else grey, RGB when opaque, RGBA otherwise.
// Needs no toolkit, so a program can write a PNG without starting one.
#include <string>

#include "RasterFiles/PngDeflate.h"
#include "RasterFiles/RasterPixels.h"

namespace plomix {

// How the rows are compressed. The default was chosen by bench/bench_png.cpp, which also
// tries the others. Both libraries cost a few nanoseconds for every byte of the rows, even
// of the rows that only repeat the one above, which are most of a symbol; RowCopies writes
// long runs of those as blocks of its own (see PngDeflate.h) and gives only the rest to
// zlib, at level 3: zlib's levels 1 to 3 skip ahead inside long matches, where libdeflate and
// zlib's higher levels hash every byte. Its files stay within a few percent of libdeflate at
// 6 and well under Qt's own writer, in a third to a half of the time.
struct PngCompression {
  enum Library { RowCopies, LibDeflate, Zlib };
  Library library = RowCopies;
  int level = 3;
  std::size_t leastCopiedBytes = kLeastCopiedBytes;  // RowCopies: the shortest run of rows copied
};

enum class PngFault { None, NoImage, LibraryFailed, TooLarge };

// Encodes the pixels as PNG with their resolution (pHYs). On failure returns false and
// says why in `fault`.
bool EncodePngPixels(const RasterPixels &pixels, std::string &out, PngFault *fault, PngCompression compression = {});

}  // namespace plomix
