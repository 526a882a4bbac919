#include "PrintTxt/TextSurface.h"

#include <QPainter>

#include "Common/ShiftJis.h"

namespace plomix {

QFont FontForDevice(const QFont &font) {
  QFont result = font;
  if (font.pointSizeF() <= 0 && font.pixelSize() > 0) result.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
  return result;
}

TTextSurface::TTextSurface(const QFont &font, QPaintDevice *device)
    : font_(FontForDevice(font)), metrics_(font_, device) {
  height_ = metrics_.height();
  kanjiWidth_ = metrics_.horizontalAdvance(QStringLiteral("漢"));
}

void TTextSurface::SetPainter(QPainter *painter) {
  painter_ = painter;
  if (painter_) painter_->setFont(font_);
}

int TTextSurface::TextWidth(std::string_view sjis) const { return TextWidth(SjisToUnicode(sjis)); }

int TTextSurface::TextWidth(const QString &text) const { return metrics_.horizontalAdvance(text); }

void TTextSurface::TextOut(int x, int y, const QString &text) {
  if (painter_) painter_->drawText(x, y + metrics_.ascent(), text);
}

}  // namespace plomix
