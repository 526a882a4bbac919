#pragma once
// JPEG through libjpeg with the usual image defaults: quality 90, baseline, colour.
#include <QImage>
#include <QString>
#include <string>

namespace plomix {

// Encodes the image as a baseline colour JPEG of quality 90. On failure returns false
// and stores libjpeg's message in `error`.
bool EncodeJpeg(const QImage &image, std::string &out, QString *error);

}  // namespace plomix
