#pragma once
// Draws into a 32-bit bitmap: rectangles and bar columns straight into the scanlines,
// text through QPainter.
#include <QTextLayout>
#include <QImage>
#include <QPainter>
#include <array>
#include <memory>

#include "Symbol/BarCanvas.h"

namespace plomix {

// The last few texts laid out: their size and their layout. A text is shaped once when it
// is measured and drawn from the same layout; a symbol redrawn with the same texts and font
// (a new colour, scale or position) shapes nothing at all.
class TTextLayoutCache {
 public:
  struct Entry {
    QString text;
    QFont font;
    int dpi = 0;
    QSize size;
    std::shared_ptr<const QTextLayout> layout;  // one line, from its top-left
    qreal ascent = 0;                           // the line's baseline below its top
  };
  const Entry *Find(const QString &text, const QFont &font, int dpi) const;
  const Entry &Store(Entry entry);

 private:
  std::array<Entry, 4> FEntries;
  std::size_t FNext = 0;
};

class TBitmapCanvas final : public TBarCanvas {
 public:
  explicit TBitmapCanvas(QImage &image, TTextLayoutCache *cache = nullptr)
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
  TTextLayoutCache *FCache;
  std::unique_ptr<QPainter> FPainter;  // opened for the first text only
};

}  // namespace plomix
