#pragma once
// Where the text list printer measures and writes its rows: a font at a device's
// resolution, and a painter on that device when the rows are drawn.
#include <QFont>
#include <QFontMetrics>
#include <array>
#include <string_view>

class QPainter;
class QPaintDevice;

namespace plomix {

class TTextSurface {
 public:
  // Measures `font` at `device`'s resolution. A font given in points keeps its size on
  // the device; a font given in pixels is taken as screen pixels (96 per inch).
  TTextSurface(const QFont &font, QPaintDevice *device);

  // Rows are written only while a painter is set; without one the surface only measures.
  void SetPainter(QPainter *painter);
  QPainter *Painter() const { return painter_; }

  const QFont &Font() const { return font_; }
  int TextWidth(std::string_view sjis) const;
  int TextWidth(const QString &text) const;
  // The width of a line-number prefix (digits, blanks, a colon): the sum of its
  // characters' advances, which needs no shaping and matches the shaped width in any
  // font that does not kern digits.
  int PrefixWidth(std::string_view ascii) const;
  // The height of a row: the height of "漢字".
  int TextHeight() const { return height_; }
  // The width of one double-byte character, "漢".
  int KanjiWidth() const { return kanjiWidth_; }
  // Writes `text` with its top-left corner at (x, y).
  void TextOut(int x, int y, const QString &text);

 private:
  QFont font_;
  QFontMetrics metrics_;
  QFontMetricsF metricsF_;
  QPainter *painter_ = nullptr;
  int height_ = 0;
  int kanjiWidth_ = 0;
  mutable std::array<double, 128> asciiAdvance_;  // < 0: not measured yet
};

// `font` with its size in points, so that it keeps its size on any device.
QFont FontForDevice(const QFont &font);

}  // namespace plomix
