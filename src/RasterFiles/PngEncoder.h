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
// long runs of those as blocks of its own (see PngDeflate.h); palette and grey pictures go
// wholly into run blocks of our own, as zlib's search for runs alone (Z_RLE) would write
// them (RunBlocks.h), and the rest of colour pictures to zlib at level 3. It takes a third
// to a seventh of libdeflate's time at 6 (whole rows, the former default); its files are
// from 2 % smaller to 45 % larger than libdeflate's (narrow one-bit rows gain least from
// the library's long copies) and stay under Qt's own writer for every symbol measured, by
// 8 % at the least (a coloured symbol with text).
struct PngCompression {
  enum Library { RowCopies, LibDeflate, Zlib };
  Library library = RowCopies;
  int level = 3;  // RowCopies: zlib's level for colour pictures
  // RowCopies, colour pictures: the shortest run of rows copied (palette and grey pictures
  // copy every run: in run blocks a copied run costs no more than the same rows looked at).
  std::size_t leastCopiedBytes = kLeastCopiedBytes;
};

enum class PngFault { None, NoImage, LibraryFailed, TooLarge };

// Encodes the pixels as PNG with their resolution (pHYs). On failure returns false and
// says why in `fault`.
bool EncodePngPixels(const RasterPixels &pixels, std::string &out, PngFault *fault, PngCompression compression = {});

}  // namespace plomix
