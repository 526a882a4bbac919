#include "Symbol/PictureTransform.h"

#include <QTransform>

namespace plomix {

QImage RotateBitmap(const QImage &source, int angle) {
  if (source.isNull() || (angle != 90 && angle != 180 && angle != 270)) return source;
  // Quarter turns are exact: Qt copies pixels without resampling and keeps the format.
  return source.transformed(QTransform().rotate(angle));
}

QImage MirrorBitmap(const QImage &source) {
  if (source.isNull()) return source;
  return source.mirrored(true, false);
}

}  // namespace plomix
