#include "Labels/DotDrawing.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "Symbol/BarCanvas.h"
#include "Symbol/SymbolDrawing.h"
#include "Common/Colors.h"

namespace plomix {
namespace {

int Round(double v) { return static_cast<int>(std::lround(v)); }

// Screen pixels across to dots. Inside the bars each element is mapped by its own width,
// so that elements of one width get one number of dots wherever they stand; outside
// them pixels map linearly from the nearest bar edge. Pixel 0 maps to dot 0.
class TDotAxis {
 public:
  TDotAxis(const std::vector<TBarCanvas::Span> &bars, int anchor, double dotsPerPixel) : FK(dotsPerPixel) {
    if (bars.empty()) {
      FPoints.push_back({anchor, Dots(anchor)});
      return;
    }
    int px = bars.front().x, dots = Dots(px);
    FPoints.push_back({px, dots});
    for (const TBarCanvas::Span &bar : bars) {
      if (bar.x > px) {
        dots += Dots(bar.x - px);
        px = bar.x;
        FPoints.push_back({px, dots});
      }
      dots += Dots(bar.width);
      px += bar.width;
      FPoints.push_back({px, dots});
    }
  }

  int operator()(int x) const {
    if (x <= FPoints.front().px) return FPoints.front().dots - Dots(FPoints.front().px - x);
    if (x >= FPoints.back().px) return FPoints.back().dots + Dots(x - FPoints.back().px);
    auto next = std::upper_bound(FPoints.begin(), FPoints.end(), x,
                                 [](int v, const Point &p) { return v < p.px; });
    const Point &a = *(next - 1);
    return std::min(a.dots + Dots(x - a.px), next->dots);
  }

 private:
  struct Point {
    int px, dots;
  };
  int Dots(int px) const { return Round(px * FK); }
  double FK;
  std::vector<Point> FPoints;
};

// Records the symbol's drawing as rectangles and texts on dots.
class TDotCanvas : public TBarCanvas {
 public:
  TDotCanvas(TDotDrawing &out, const TDotAxis &x, double dotsPerPixelY)
      : FOut(out), FX(x), FKY(dotsPerPixelY) {}

  QSize TextExtent(const QString &text, const TFont &font) override {
    const QFontMetrics metrics(font.Font);
    return {metrics.horizontalAdvance(text), metrics.height()};
  }

  void FillRect(const QRect &rect, const QColor &color) override {
    Add(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height(), color, false);
  }

  void VerticalLines(int x, int top, int count, int length, const QColor &color) override {
    Add(x, top, x + count, top + length, color, true);
  }

  void TextOut(QPoint topLeft, const QString &text, const TFont &font) override {
    const double width = QFontMetricsF(font.Font).horizontalAdvance(text);
    QFont onDots = font.Font;
    onDots.setPixelSize(std::max(1, Round(QFontInfo(font.Font).pixelSize() * FKY)));
    // The text's middle stays where it was among the bars; its top on the mapped row.
    const double middle = topLeft.x() + width / 2;
    const int left = FX(static_cast<int>(std::floor(middle)));
    const double centre = left + (FX(static_cast<int>(std::floor(middle)) + 1) - left) * (middle - std::floor(middle));
    FOut.Texts.push_back({QPointF(centre, Y(topLeft.y())), text, onDots, ColorToQColor(font.Color)});
  }

 private:
  int Y(int y) const { return Round(y * FKY); }
  void Add(int x0, int y0, int x1, int y1, const QColor &color, bool bar) {
    const QRect area(QPoint(FX(x0), Y(y0)), QPoint(FX(x1) - 1, Y(y1) - 1));
    if (area.isEmpty()) return;
    FOut.Fills.push_back({area, color});
    if (bar) FOut.Bars.push_back(area);
  }

  TDotDrawing &FOut;
  const TDotAxis &FX;
  double FKY;
};

}  // namespace

double TargetModuleDots(int scale, int deviceDpi, int screenDpi, int percent) {
  if (screenDpi <= 0) return 1;
  return static_cast<double>(scale) * deviceDpi * percent / screenDpi / 100.0;
}

int NearestModuleDots(double target) { return std::max(1, Round(target)); }

TModuleDots ModuleDotsFor(int scale, int deviceDpiX, int deviceDpiY, int screenDpiX, int screenDpiY,
                          int percent) {
  return {NearestModuleDots(TargetModuleDots(scale, deviceDpiX, screenDpiX, percent)),
          NearestModuleDots(TargetModuleDots(scale, deviceDpiY, screenDpiY, percent))};
}

TDotDrawing DrawOnDots(const TSnapSource &source, TModuleDots module) {
  TDotDrawing out;
  out.Module = module;
  out.Angle = source.Angle;
  out.Reverse = source.Reverse;
  const int scale = std::max(source.Scale, 1);
  const TDotAxis x(source.Layout.bars, source.Layout.barLeft, static_cast<double>(module.X) / scale);
  const double ky = static_cast<double>(module.Y) / scale;
  out.Size = QSize(x(source.Picture.width()), std::lround(source.Picture.height() * ky));
  if (!source.Transparent) out.Fills.push_back({QRect(QPoint(0, 0), out.Size), source.Ink.back});
  TDotCanvas canvas(out, x, ky);
  SymbolInk ink = source.Ink;
  ink.background = QRect();
  DrawSymbol(canvas, source.Layout, ink);
  return out;
}

void PaintDotDrawing(QPainter &painter, const TDotDrawing &d, QPoint topLeft, bool smooth) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, smooth);
  painter.translate(topLeft);
  // Unturned dots to the turned picture: the quarter turn the bitmap gets, moved back to
  // the origin, then mirrored across.
  QTransform turn;
  turn.rotate(d.Angle);
  const QRectF turned = turn.mapRect(QRectF(QPointF(0, 0), QSizeF(d.Size)));
  turn *= QTransform::fromTranslate(-turned.left(), -turned.top());
  if (d.Reverse) turn *= QTransform(-1, 0, 0, 1, turned.width(), 0);
  painter.setWorldTransform(turn, true);
  for (const TDotDrawing::Fill &fill : d.Fills) painter.fillRect(fill.Area, fill.Color);
  for (const TDotDrawing::Text &text : d.Texts) {
    painter.setFont(text.Font);
    painter.setPen(text.Color);
    const QFontMetricsF metrics(text.Font, painter.device());
    const double width = metrics.horizontalAdvance(text.Words);
    painter.drawText(QPointF(text.CentreTop.x() - width / 2, text.CentreTop.y() + metrics.ascent()), text.Words);
  }
  painter.restore();
}

}  // namespace plomix
