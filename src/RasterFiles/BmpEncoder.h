#pragma once
// Device-independent bitmap files that keep the picture's 32 bits per pixel, from plain
// pixels: no toolkit needed.
#include <string>

#include "RasterFiles/RasterPixels.h"

namespace plomix {

// The bytes of a BMP file: 32 bits per pixel (blue, green, red, 0), rows bottom-up, no
// compression, the pixels' resolution in pixels per metre. Empty for a picture without
// pixels and for one too large for the format's 32-bit size fields (4 GiB).
std::string EncodeBmpPixels(const RasterPixels &pixels);

}  // namespace plomix
