#include "Print/PagePainter.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "BarImage/Picture.h"

namespace plomix {
namespace {

// On a raster surface the painter scales without smoothing by itself. A PDF page only
// places the image, and viewers smooth an image enlarged less than about four times
// (poppler does), which greys thin bars: such an image goes in at its size on the
// page, enlarged here pixel by pixel, so a viewer at the printer's resolution has
// nothing left to scale.
QImage ForDevice(const QPainter &painter, const QImage &bitmap, const QRect &cell) {
  const QPaintEngine *engine = painter.paintEngine();
  if (!engine || engine->type() == QPaintEngine::Raster) return bitmap;
  const QSize target = painter.deviceTransform().mapRect(QRectF(cell)).toAlignedRect().size();
  const bool enlarged = target.width() > bitmap.width() || target.height() > bitmap.height();
  const bool smoothedByViewers =
      target.width() < 4 * bitmap.width() || target.height() < 4 * bitmap.height();
  if (!enlarged || !smoothedByViewers) return bitmap;
  return bitmap.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

void StretchPicture(QPainter &painter, const TPicture &picture, const QRect &cell) {
  if (cell.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // A PDF would otherwise keep the bitmap as JPEG, whose ringing greys the bar edges.
  painter.setRenderHint(QPainter::LosslessImageRendering, true);
  if (const QImage *bitmap = picture.BitmapOrNull()) {
    if (!bitmap->isNull()) painter.drawImage(cell, ForDevice(painter, *bitmap, cell));
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
