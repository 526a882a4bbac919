#include "tests/support/Oracles.h"

#include <QPainter>

namespace plomix::test {

QImage WithQuietZone(const QImage &image, int margin) {
  QImage out(image.width() + 2 * margin, image.height() + 2 * margin, QImage::Format_RGB32);
  out.fill(Qt::white);
  QPainter painter(&out);
  painter.drawImage(margin, margin, image);
  return out;
}

}  // namespace plomix::test
