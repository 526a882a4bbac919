#include "Symbol/BitmapCanvas.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <algorithm>

#include "BarLayout/PixelPicture.h"
#include "Symbol/SymbolLayout.h"
#include "Common/Colors.h"

namespace plomix {
namespace {

// The image's pixels for the plain fills (BarLayout/PixelPicture.h); the canvas draws
// into 32-bit images only.
PixelRows RowsOf(QImage &image) {
  static_assert(sizeof(QRgb) == sizeof(std::uint32_t));
  return {image.width(), image.height(), static_cast<std::size_t>(image.bytesPerLine()) / sizeof(QRgb),
          reinterpret_cast<std::uint32_t *>(image.bits())};
}

}  // namespace

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

const TTextLayoutCache::Entry *TTextLayoutCache::Find(const QString &text, const QFont &font,
                                                      int dpi) const {
  for (const Entry &e : FEntries)
    if (e.dpi == dpi && e.text == text && e.font == font) return &e;
  return nullptr;
}

const TTextLayoutCache::Entry &TTextLayoutCache::Store(Entry entry) {
  Entry &slot = FEntries[FNext];
  FNext = (FNext + 1) % FEntries.size();
  slot = std::move(entry);
  return slot;
}

QSize TBitmapCanvas::TextExtent(const QString &text, const TFont &font) {
  if (text.isEmpty()) return {0, 0};
  // A control of no size has no bitmap yet: measure against the screen, as the
  // bitmap made for the symbol will be.
  if (FImage.isNull()) {
    const QFontMetrics metrics(font.Font);
    return {metrics.horizontalAdvance(text), metrics.height()};
  }
  const QFontMetrics metrics(font.Font, &FImage);
  if (!FCache) return {metrics.horizontalAdvance(text), metrics.height()};
  const int dpi = FImage.logicalDpiY();
  if (const auto *entry = FCache->Find(text, font.Font, dpi)) return entry->size;
  // One line laid out gives the same rounded advance as the font metrics, and its glyphs.
  auto layout = std::make_shared<QTextLayout>(text, font.Font, &FImage);
  layout->setCacheEnabled(true);  // keeps the shaped glyphs for drawing (else freed and shaped again)
  layout->beginLayout();
  const QTextLine line = layout->createLine();
  layout->endLayout();
  TTextLayoutCache::Entry entry{text, font.Font, dpi,
                                QSize(qRound(line.horizontalAdvance()), metrics.height()),
                                std::move(layout), line.ascent()};
  return FCache->Store(std::move(entry)).size;
}

void TBitmapCanvas::FillRect(const QRect &rect, const QColor &color) {
  const QRect clipped = rect.intersected(FImage.rect());
  if (clipped.isEmpty()) return;
  if (FPainter) {  // text was written already: stay on the painter's side of the image
    FPainter->fillRect(clipped, color);
    return;
  }
  if (clipped == FImage.rect()) {
    FImage.fill(color);
    return;
  }
  FillPixelRect(RowsOf(FImage), ToPixelRect(clipped), color.rgb());
}

void TBitmapCanvas::BarRun(const std::vector<Span> &spans, int top, int length,
                           const QColor &color, const QColor *background) {
  if (spans.empty() || length <= 0) return;
  const int left = spans.front().x;
  const int right = spans.back().x + spans.back().width;
  const QRect band(left, top, right - left, length);
  if (FPainter || background == nullptr || !FImage.rect().contains(band)) {
    TBarCanvas::BarRun(spans, top, length, color, background);
    return;
  }
  // Every row of a bar run is the same: built once and copied down.
  FillBarRows(RowsOf(FImage), spans, top, length, color.rgb(), background->rgb());
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
  const int baseline = topLeft.y() + metrics.ascent();
  const auto *laidOut = FCache ? FCache->Find(text, font.Font, FImage.logicalDpiY()) : nullptr;
  if (laidOut == nullptr) {
    painter.drawText(QPoint(topLeft.x(), baseline), text);
    return;
  }
  // The glyphs shaped when the text was measured, on the same whole-pixel baseline.
  laidOut->layout->draw(&painter, QPointF(topLeft.x(), baseline - laidOut->ascent));
}

}  // namespace plomix
