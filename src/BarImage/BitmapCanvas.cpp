#include "BarImage/BitmapCanvas.h"

#include <QFontMetrics>
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

std::optional<QSize> TTextExtentCache::Find(const QString &text, const QFont &font, int dpi) const {
  for (const Entry &e : FEntries)
    if (e.dpi == dpi && e.text == text && e.font == font) return e.size;
  return std::nullopt;
}

void TTextExtentCache::Store(const QString &text, const QFont &font, int dpi, QSize size) {
  FEntries[FNext] = Entry{text, font, dpi, size};
  FNext = (FNext + 1) % FEntries.size();
}

QSize TBitmapCanvas::TextExtent(const QString &text, const TFont &font) {
  if (text.isEmpty()) return {0, 0};
  const int dpi = FImage.logicalDpiY();
  if (FCache)
    if (const auto size = FCache->Find(text, font.Font, dpi)) return *size;
  // A control of no size has no bitmap yet: measure against the screen, as the
  // bitmap made for the symbol will be.
  const QFontMetrics metrics = FImage.isNull() ? QFontMetrics(font.Font) : QFontMetrics(font.Font, &FImage);
  const QSize size(metrics.horizontalAdvance(text), metrics.height());
  if (FCache) FCache->Store(text, font.Font, dpi, size);
  return size;
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
  painter.drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

}  // namespace plomix
