#pragma once
// PNG files written directly, in the smallest layout that keeps every pixel: a palette of 1, 2
// or 4 bits a pixel for up to 16 colours, else grey, RGB when opaque, RGBA otherwise.
// Needs no toolkit, so a program can write a PNG without starting one.
#include <string>

#include "RasterFiles/RasterPixels.h"

namespace plomix {

// How the rows are compressed. The default was chosen by bench/bench_png.cpp, which also
// tries the others: libdeflate at 6 writes files within a few percent of the smallest any
// level gives, in about the time of its level 1 and two thirds of zlib's at 6; higher
// levels cost two to thirty times the time for a few percent.
struct PngCompression {
  enum Library { LibDeflate, Zlib };
  Library library = LibDeflate;
  int level = 6;
};

enum class PngFault { None, NoImage, LibraryFailed, TooLarge };

// Encodes the pixels as PNG with their resolution (pHYs). On failure returns false and
// says why in `fault`.
bool EncodePngPixels(const RasterPixels &pixels, std::string &out, PngFault *fault, PngCompression compression = {});

}  // namespace plomix
