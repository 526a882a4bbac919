#include "BarImage/PictureFiles.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>

#include "Common/AtomicFile.h"

namespace plomix {

QImage PictureToImage(const TPicture &picture) {
  if (const QImage *image = picture.BitmapOrNull()) return *image;
  if (const TMetafile *meta = picture.MetafileOrNull()) {
    QImage image(meta->Size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    meta->Replay(painter);
    return image;
  }
  return {};
}

bool IsSupportedPictureFile(const QString &path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return suffix == QLatin1String("png") || suffix == QLatin1String("bmp");
}

bool SavePictureFile(const TPicture &picture, const QString &path, QString *error) {
  const QImage image = PictureToImage(picture);
  if (image.isNull()) {
    if (error) *error = QStringLiteral("there is no picture to save");
    return false;
  }
  const QString suffix = QFileInfo(path).suffix().toLower();
  const char *format = suffix == QLatin1String("png") ? "PNG" : "BMP";
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) {
    if (error) *error = QStringLiteral("the image could not be encoded");
    return false;
  }
  return WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size()), error);
}

}  // namespace plomix
