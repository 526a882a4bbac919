#pragma once
// Draws into a 32-bit bitmap: rectangles and bar columns straight into the scanlines,
// text through QPainter.
#include <QImage>
#include <QPainter>
#include <memory>

#include "BarImage/BarCanvas.h"

namespace plomix {

class TBitmapCanvas final : public TBarCanvas {
 public:
  explicit TBitmapCanvas(QImage &image) : FImage(image) {}
  ~TBitmapCanvas() override;

  QSize TextExtent(const QString &text, const TFont &font) override;
  void FillRect(const QRect &rect, const QColor &color) override;
  void VerticalLines(int x, int top, int count, int length, const QColor &color) override;
  void TextOut(QPoint topLeft, const QString &text, const TFont &font) override;

 private:
  QPainter &Painter();

  QImage &FImage;
  std::unique_ptr<QPainter> FPainter;  // opened for the first text only
};

}  // namespace plomix
