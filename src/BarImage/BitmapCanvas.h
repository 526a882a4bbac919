#pragma once
// Draws into a 32-bit bitmap: rectangles and bar columns straight into the scanlines,
// text through QPainter.
#include <QImage>
#include <QPainter>
#include <array>
#include <memory>
#include <optional>

#include "BarImage/BarCanvas.h"

namespace plomix {

// Remembers the last few text measurements: a symbol redrawn with the same texts and
// font (a new colour, scale or code of the same length) need not shape them again.
class TTextExtentCache {
 public:
  std::optional<QSize> Find(const QString &text, const QFont &font, int dpi) const;
  void Store(const QString &text, const QFont &font, int dpi, QSize size);

 private:
  struct Entry {
    QString text;
    QFont font;
    int dpi = 0;
    QSize size;
  };
  std::array<Entry, 4> FEntries;
  std::size_t FNext = 0;
};

class TBitmapCanvas final : public TBarCanvas {
 public:
  explicit TBitmapCanvas(QImage &image, TTextExtentCache *cache = nullptr)
      : FImage(image), FCache(cache) {}
  ~TBitmapCanvas() override;

  QSize TextExtent(const QString &text, const TFont &font) override;
  void FillRect(const QRect &rect, const QColor &color) override;
  void VerticalLines(int x, int top, int count, int length, const QColor &color) override;
  void BarRun(const std::vector<Span> &spans, int top, int length, const QColor &color,
              const QColor *background) override;
  void TextOut(QPoint topLeft, const QString &text, const TFont &font) override;

 private:
  QPainter &Painter();

  QImage &FImage;
  TTextExtentCache *FCache;
  std::unique_ptr<QPainter> FPainter;  // opened for the first text only
};

}  // namespace plomix
