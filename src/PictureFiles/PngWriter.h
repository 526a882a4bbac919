#pragma once
// PNG files written directly, in the smallest layout that keeps every pixel: a palette of 1, 2
// or 4 bits a pixel for up to 16 colours, else grey, RGB when opaque, RGBA otherwise.
#include <QImage>
#include <QString>
#include <string>

namespace plomix {

// Encodes the image as PNG with its resolution (pHYs). On failure returns false and
// says why in `error`.
bool EncodePng(const QImage &image, std::string &out, QString *error);

}  // namespace plomix
