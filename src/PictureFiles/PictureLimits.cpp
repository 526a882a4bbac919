#include "PictureFiles/PictureLimits.h"

#include <QtGlobal>

namespace plomix {
namespace {

std::int64_t Pixels(QSize size) {
  return std::int64_t{qMax(size.width(), 0)} * std::int64_t{qMax(size.height(), 0)};
}

QString BytesText(std::int64_t bytes) {
  return bytes >= (1 << 20) ? QStringLiteral("%1 MiB").arg(bytes >> 20) : QStringLiteral("%1 bytes").arg(bytes);
}

QString SizeText(QSize size) { return QStringLiteral("%1 × %2 pixels").arg(size.width()).arg(size.height()); }

}  // namespace

std::int64_t PictureMemoryLimit() {
  bool ok = false;
  const qint64 limit = qEnvironmentVariable("PLOMIX_PICTURE_MEMORY_LIMIT").toLongLong(&ok);
  return ok && limit > 0 ? limit : kDefaultPictureMemoryLimit;
}

std::optional<QString> PictureMemoryProblem(QSize size) {
  const std::int64_t bytes = Pixels(size) * 4;
  if (bytes <= PictureMemoryLimit()) return std::nullopt;
  return QStringLiteral("the picture of %1 needs %2, more than the limit of %3")
      .arg(SizeText(size), BytesText(bytes), BytesText(PictureMemoryLimit()));
}

std::optional<QString> PictureFileProblem(QSize size, PictureFileKind kind) {
  switch (kind) {
    case PictureFileKind::Bitmap:
      if (54 + Pixels(size) * 4 > std::int64_t{0xFFFFFFFF})
        return QStringLiteral("a BMP file holds at most 4 GiB of pixels, and %1 is more").arg(SizeText(size));
      break;
    case PictureFileKind::Jpeg:
      if (size.width() > 65535 || size.height() > 65535)
        return QStringLiteral("a JPEG file holds at most 65,535 pixels a side, and %1 is more").arg(SizeText(size));
      break;
    case PictureFileKind::WindowsMetafile:
      if (size.width() > 32767 || size.height() > 32767)
        return QStringLiteral("a Windows metafile holds at most 32,767 pixels a side, and %1 is more")
            .arg(SizeText(size));
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace plomix
