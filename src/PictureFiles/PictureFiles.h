#pragma once
// Writing a symbol picture to an image file: a 32-bit bitmap file, JPEG, PNG, an
// enhanced metafile or a placeable Windows metafile. Every file is written atomically.
#include <QImage>
#include <QString>
#include <optional>

#include "Encoders/BarTypes.h"
#include "Symbol/Picture.h"
#include "Symbol/ReferenceDevice.h"

namespace plomix {

enum class PictureFileKind { Bitmap, Jpeg, Png, EnhancedMetafile, WindowsMetafile, Svg };

// The kind a file name's extension names (letter case ignored): .bmp, .jpg, .jpeg,
// .png, .emf, .wmf, .svg. Nothing for any other name.
std::optional<PictureFileKind> PictureFileKindOf(const QString &path);

// A bitmap saved under a name: JPEG when the name ends in .jpg or .jpeg (any case),
// otherwise a bitmap file with 32 bits per pixel.
bool SaveBitmapFile(const QImage &image, const QString &path, QString *error);
bool SaveEnhancedMetafileFile(const TMetafile &metafile, const QString &path, QString *error,
                              const TReferenceDevice &device = ScreenReferenceDevice());
bool SaveWindowsMetafileFile(const TMetafile &metafile, const QString &path, QString *error,
                             const TReferenceDevice &device = ScreenReferenceDevice());

// The save command's rule: the file type follows the copy method, never the name.
// picBMP writes SaveBitmapFile (JPEG only for .jpg/.jpeg), picEMF an enhanced metafile,
// picWMF a placeable Windows metafile.
bool SavePictureAs(const TPicture &picture, TPictures method, const QString &path, QString *error);

// The bytes of a picture as a file of `kind` (plomix-cli -o, whose extension names it):
// .emf, .wmf and .svg need a metafile picture; .png writes PNG, .jpg/.jpeg JPEG, .bmp a
// bitmap file. A picture the format cannot hold is refused with the reason in `error`.
bool EncodePictureFile(const TPicture &picture, PictureFileKind kind, std::string &bytes,
                       QString *error);

}  // namespace plomix
