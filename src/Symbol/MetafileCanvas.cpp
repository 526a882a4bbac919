#include "Symbol/MetafileCanvas.h"

#include <QFontMetrics>

#include "Common/Colors.h"

namespace plomix {

QSize TMetafileCanvas::TextExtent(const QString &text, const TFont &font) {
  if (text.isEmpty()) return {0, 0};
  const QFontMetrics metrics(font.Font);
  return {metrics.horizontalAdvance(text), metrics.height()};
}

void TMetafileCanvas::FillRect(const QRect &rect, const QColor &color) {
  FMetafile.AddFillRect(rect, color);
}

void TMetafileCanvas::VerticalLines(int x, int top, int count, int length, const QColor &color) {
  for (int i = 0; i < count; ++i)
    FMetafile.AddLine(QPoint(x + i, top), QPoint(x + i, top + length), color);
}

void TMetafileCanvas::TextOut(QPoint topLeft, const QString &text, const TFont &font) {
  FMetafile.AddText(topLeft, text, font.Font, ColorToQColor(font.Color));
}

}  // namespace plomix
