#include "Symbol/Picture.h"

#include <QPainter>

namespace plomix {

QImage &TPicture::Bitmap() {
  if (!IsBitmap()) FGraphic = QImage();
  return std::get<QImage>(FGraphic);
}

TMetafile &TPicture::Metafile() {
  if (!IsMetafile()) FGraphic = TMetafile();
  return std::get<TMetafile>(FGraphic);
}

QSize TPicture::Size() const {
  if (const QImage *image = BitmapOrNull()) return image->size();
  if (const TMetafile *meta = MetafileOrNull()) return meta->Size();
  return {};
}

QImage MetafileToImage(const TMetafile &metafile) {
  if (metafile.Size().isEmpty()) return {};
  QImage image(metafile.Size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  metafile.Replay(painter);
  return image;
}

QImage PictureToImage(const TPicture &picture) {
  if (const QImage *image = picture.BitmapOrNull()) return *image;
  if (const TMetafile *meta = picture.MetafileOrNull()) return MetafileToImage(*meta);
  return {};
}

}  // namespace plomix
