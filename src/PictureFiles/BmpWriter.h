#pragma once
// BMP files of a QImage, through the toolkit-free encoder (RasterFiles/BmpEncoder.h).
#include <QImage>
#include <string>

namespace plomix {

// The bytes of a BMP file: 32 bits per pixel (blue, green, red, 0), rows bottom-up,
// no compression, the image's resolution in pixels per metre. Empty for a null image and
// for one too large for the format's 32-bit size fields (4 GiB).
std::string EncodeBmp32(const QImage &image);

}  // namespace plomix
