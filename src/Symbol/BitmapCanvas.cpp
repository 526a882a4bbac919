#include "Symbol/BitmapCanvas.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <algorithm>
#include <cstring>
#include <cwchar>

#include "Common/Colors.h"

namespace plomix {
namespace {

// Fills `count` 32-bit pixels. glibc's wmemset is vectorised; a plain loop over QRgb
// is not at this optimisation level, and the fills are most of a drawing's work.
static_assert(sizeof(wchar_t) == sizeof(QRgb));
inline void FillPixels(QRgb *pixels, int count, QRgb value) {
  if (count > 0) std::wmemset(reinterpret_cast<wchar_t *>(pixels), static_cast<wchar_t>(value), count);
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
  QTextLayout layout(text, font.Font, &FImage);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  TTextLayoutCache::Entry entry{text, font.Font, dpi,
                                QSize(qRound(line.horizontalAdvance()), metrics.height()),
                                layout.glyphRuns(), line.ascent()};
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
  const QRgb value = color.rgb();
  const int x0 = clipped.left(), width = clipped.width();
  uchar *bits = FImage.bits();
  const qsizetype stride = FImage.bytesPerLine();
  for (int y = clipped.top(); y <= clipped.bottom(); ++y)
    FillPixels(reinterpret_cast<QRgb *>(bits + y * stride) + x0, width, value);
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
  // Every row of a bar run is the same: build the first one and copy it down.
  uchar *bits = FImage.bits();
  const qsizetype stride = FImage.bytesPerLine();
  auto *first = reinterpret_cast<QRgb *>(bits + top * stride);
  FillPixels(first + left, right - left, background->rgb());
  const QRgb value = color.rgb();
  for (const Span &span : spans) FillPixels(first + span.x, span.width, value);
  const std::size_t bytes = static_cast<std::size_t>(right - left) * sizeof(QRgb);
  for (int y = top + 1; y < top + length; ++y)
    std::memcpy(bits + y * stride + left * sizeof(QRgb), first + left, bytes);
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
  const QPointF origin(topLeft.x(), baseline - laidOut->ascent);
  for (const QGlyphRun &run : laidOut->glyphs) painter.drawGlyphRun(origin, run);
}

}  // namespace plomix
