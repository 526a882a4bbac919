#include "Print/PagePainter.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "Symbol/Picture.h"

namespace plomix {

void StretchPicture(QPainter &painter, const TPicture &picture, const QRect &cell) {
  if (cell.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // A PDF would otherwise keep the bitmap as JPEG, whose ringing greys the bar edges.
  painter.setRenderHint(QPainter::LosslessImageRendering, true);
  if (const QImage *bitmap = picture.BitmapOrNull()) {
    if (!bitmap->isNull()) painter.drawImage(cell, *bitmap);
  } else if (const TMetafile *metafile = picture.MetafileOrNull()) {
    metafile->Replay(painter, QRectF(cell));
  }
  painter.restore();
}

QRect CellRect(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
  static constexpr std::int64_t kLimit = 1 << 28;  // far beyond any page, well within int
  auto cut = [](std::int64_t v) { return static_cast<int>(std::clamp(v, -kLimit, kLimit)); };
  return QRect(cut(x), cut(y), cut(w), cut(h));
}

}  // namespace plomix
