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
    : font_(FontForDevice(font)), metrics_(font_, device), metricsF_(font_, device) {
  height_ = metrics_.height();
  kanjiWidth_ = metrics_.horizontalAdvance(QStringLiteral("漢"));
  asciiAdvance_.fill(-1);
}

int TTextSurface::PrefixWidth(std::string_view ascii) const {
  double width = 0;
  for (const char c : ascii) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= asciiAdvance_.size()) return TextWidth(ascii);
    if (asciiAdvance_[code] < 0) asciiAdvance_[code] = metricsF_.horizontalAdvance(QChar(code));
    width += asciiAdvance_[code];
  }
  return qRound(width);
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
