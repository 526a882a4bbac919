#include "BarImage/BitmapCanvas.h"

#include <QFontMetrics>
#include <algorithm>

#include "Common/Colors.h"

namespace plomix {

TBitmapCanvas::~TBitmapCanvas() {
  if (FPainter) FPainter->end();
}

QPainter &TBitmapCanvas::Painter() {
  if (!FPainter) {
    FPainter = std::make_unique<QPainter>(&FImage);
    FPainter->setRenderHint(QPainter::Antialiasing, false);
  }
  return *FPainter;
}

QSize TBitmapCanvas::TextExtent(const QString &text, const TFont &font) {
  if (text.isEmpty()) return {0, 0};
  const QFontMetrics metrics(font.Font, &FImage);
  return {metrics.horizontalAdvance(text), metrics.height()};
}

void TBitmapCanvas::FillRect(const QRect &rect, const QColor &color) {
  const QRect clipped = rect.intersected(FImage.rect());
  if (clipped.isEmpty()) return;
  if (FPainter) {  // text was written already: stay on the painter's side of the image
    FPainter->fillRect(clipped, color);
    return;
  }
  const QRgb value = color.rgb();
  const int x0 = clipped.left(), width = clipped.width();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(FImage.scanLine(y));
    std::fill_n(line + x0, width, value);
  }
}

void TBitmapCanvas::VerticalLines(int x, int top, int count, int length, const QColor &color) {
  FillRect(QRect(x, top, count, length), color);
}

void TBitmapCanvas::TextOut(QPoint topLeft, const QString &text, const TFont &font) {
  if (text.isEmpty()) return;
  QPainter &painter = Painter();
  painter.setFont(font.Font);
  painter.setPen(ColorToQColor(font.Color));
  const QFontMetrics metrics(font.Font, &FImage);
  painter.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

}  // namespace plomix
