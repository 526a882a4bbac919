#include "PictureFiles/PictureFiles.h"

#include <QFileInfo>

#include "PictureFiles/BmpWriter.h"
#include "PictureFiles/EmfWriter.h"
#include "PictureFiles/JpegWriter.h"
#include "PictureFiles/PictureLimits.h"
#include "PictureFiles/PngWriter.h"
#include "PictureFiles/SvgWriter.h"
#include "PictureFiles/WmfWriter.h"
#include "Common/AtomicFile.h"

namespace plomix {
namespace {

void SetError(QString *error, const QString &text) {
  if (error) *error = text;
}

bool NamesJpeg(const QString &path) {
  const std::optional<PictureFileKind> kind = PictureFileKindOf(path);
  return kind && *kind == PictureFileKind::Jpeg;
}

const TMetafile *MetafileOf(const TPicture &picture, QString *error) {
  const TMetafile *meta = picture.MetafileOrNull();
  if (meta == nullptr || meta->Size().isEmpty())
    SetError(error, QStringLiteral("the picture is not a metafile"));
  return meta != nullptr && !meta->Size().isEmpty() ? meta : nullptr;
}

// The bytes of a bitmap picture as a BMP, JPEG or PNG file.
bool EncodeImage(const QImage &image, PictureFileKind kind, std::string &bytes, QString *error) {
  if (image.isNull()) {
    SetError(error, QStringLiteral("there is no picture to save"));
    return false;
  }
  if (kind == PictureFileKind::Jpeg) return EncodeJpeg(image, bytes, error);
  if (kind == PictureFileKind::Png) return EncodePng(image, bytes, error);
  bytes = EncodeBmp32(image);
  if (bytes.empty()) SetError(error, QStringLiteral("the picture is too large for a BMP file (4 GiB at most)"));
  return !bytes.empty();
}

bool EncodeMetafile(const TMetafile &metafile, bool enhanced, const TReferenceDevice &device,
                    std::string &bytes, QString *error) {
  bytes = enhanced ? EncodeEnhancedMetafile(metafile, device) : EncodeWindowsMetafile(metafile, device);
  if (bytes.empty())
    SetError(error, enhanced ? QStringLiteral("the enhanced metafile could not be built")
                             : QStringLiteral("the Windows metafile could not be built "
                                              "(the picture may be too large for its 16-bit coordinates)"));
  return !bytes.empty();
}

}  // namespace

std::optional<PictureFileKind> PictureFileKindOf(const QString &path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("bmp")) return PictureFileKind::Bitmap;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureFileKind::Jpeg;
  if (suffix == QLatin1String("png")) return PictureFileKind::Png;
  if (suffix == QLatin1String("emf")) return PictureFileKind::EnhancedMetafile;
  if (suffix == QLatin1String("wmf")) return PictureFileKind::WindowsMetafile;
  if (suffix == QLatin1String("svg")) return PictureFileKind::Svg;
  return std::nullopt;
}

bool SaveBitmapFile(const QImage &image, const QString &path, QString *error) {
  std::string bytes;
  return EncodeImage(image, NamesJpeg(path) ? PictureFileKind::Jpeg : PictureFileKind::Bitmap, bytes, error) &&
         WriteFileAtomically(path, bytes, error);
}

bool SaveEnhancedMetafileFile(const TMetafile &metafile, const QString &path, QString *error,
                              const TReferenceDevice &device) {
  std::string bytes;
  return EncodeMetafile(metafile, true, device, bytes, error) && WriteFileAtomically(path, bytes, error);
}

bool SaveWindowsMetafileFile(const TMetafile &metafile, const QString &path, QString *error,
                             const TReferenceDevice &device) {
  std::string bytes;
  return EncodeMetafile(metafile, false, device, bytes, error) && WriteFileAtomically(path, bytes, error);
}

bool SavePictureAs(const TPicture &picture, TPictures method, const QString &path, QString *error) {
  switch (method) {
    case picEMF:
      if (const TMetafile *meta = MetafileOf(picture, error))
        return SaveEnhancedMetafileFile(*meta, path, error);
      return false;
    case picWMF:
      if (const TMetafile *meta = MetafileOf(picture, error))
        return SaveWindowsMetafileFile(*meta, path, error);
      return false;
    case picBMP:
    default:
      return SaveBitmapFile(PictureToImage(picture), path, error);
  }
}

bool EncodePictureFile(const TPicture &picture, PictureFileKind kind, std::string &bytes,
                       QString *error) {
  if (const QSize size = picture.Size(); auto problem = PictureFileProblem(size, kind)) {
    SetError(error, *problem);
    return false;
  }
  switch (kind) {
    case PictureFileKind::EnhancedMetafile:
    case PictureFileKind::WindowsMetafile: {
      const TMetafile *meta = MetafileOf(picture, error);
      return meta != nullptr && EncodeMetafile(*meta, kind == PictureFileKind::EnhancedMetafile,
                                               ScreenReferenceDevice(), bytes, error);
    }
    case PictureFileKind::Svg: {
      const TMetafile *meta = MetafileOf(picture, error);
      if (meta == nullptr) return false;
      // The recorded size keeps one pixel past the drawn area; the picture is the drawn area.
      bytes = EncodeSvg(*meta, meta->Size() - QSize(1, 1));
      return true;
    }
    case PictureFileKind::Png:
    case PictureFileKind::Bitmap:
    case PictureFileKind::Jpeg:
      break;
  }
  return EncodeImage(PictureToImage(picture), kind, bytes, error);
}

}  // namespace plomix
