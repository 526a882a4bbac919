#include "Preview/ReducedPicture.h"

#include <QPainter>

#include "Symbol/Picture.h"
#include "Print/PagePainter.h"

namespace plomix {

void TReducedPicture::Draw(QPainter &painter, const TPicture &picture, const QRect &cell) {
  if (cell.isEmpty()) return;
  const QSize size = picture.Size();
  if (size.isEmpty() || (cell.width() >= size.width() && cell.height() >= size.height())) {
    StretchPicture(painter, picture, cell);
    return;
  }
  const QImage *bitmap = picture.BitmapOrNull();
  if (!bitmap || bitmap->cacheKey() != FSourceKey || FReduced.size() != cell.size()) {
    // Qt's smooth reduction averages the source pixels each target pixel covers.
    const QImage source = bitmap ? *bitmap : PictureToImage(picture);
    FReduced = source.scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FSourceKey = bitmap ? bitmap->cacheKey() : 0;
  }
  painter.drawImage(cell.topLeft(), FReduced);
}

}  // namespace plomix
