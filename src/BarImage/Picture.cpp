#include "BarImage/Picture.h"

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

}  // namespace plomix
