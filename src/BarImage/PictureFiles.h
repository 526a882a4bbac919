#pragma once
// Writing a symbol picture to an image file, chosen by the file name's extension.
#include <QImage>
#include <QString>

#include "BarImage/Picture.h"

namespace plomix {

// The picture as a 32-bit image; a metafile is replayed at its logical size.
QImage PictureToImage(const TPicture &picture);

// True when `path` names a format SavePictureFile writes.
bool IsSupportedPictureFile(const QString &path);

// Writes the picture atomically. On failure returns false, leaves any earlier file whole
// and stores a readable reason in `error`.
bool SavePictureFile(const TPicture &picture, const QString &path, QString *error);

}  // namespace plomix
