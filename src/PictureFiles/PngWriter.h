#pragma once
// PNG files of a QImage, through the toolkit-free encoder.
#include <QImage>
#include <QString>
#include <string>

#include "RasterFiles/PngEncoder.h"

namespace plomix {

// Encodes the image as PNG with its resolution (pHYs). On failure returns false and
// says why in `error`.
bool EncodePng(const QImage &image, std::string &out, QString *error, PngCompression compression = {});

}  // namespace plomix
