#pragma once
// A symbol drawn for a device on its own dot grid: every module a whole number of dots,
// every bar a rectangle whose edges fall on dots, so that bars of one width come out
// exactly alike. Texts stay text, sized with the bars.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "Labels/SnapSource.h"

class QPainter;

namespace plomix {

// Dots per module across (the bars) and down.
struct TModuleDots {
  int X = 1, Y = 1;
  bool operator==(const TModuleDots &) const = default;
};

// The dots a module of `scale` screen pixels asks for at a print scale of `percent`:
// scale × device dpi × percent ÷ screen dpi ÷ 100, as a real number.
double TargetModuleDots(int scale, int deviceDpi, int screenDpi, int percent);
// The whole number of dots nearest the target, never below one.
int NearestModuleDots(double target);
TModuleDots ModuleDotsFor(int scale, int deviceDpiX, int deviceDpiY, int screenDpiX, int screenDpiY,
                          int percent);

struct TDotDrawing {
  struct Fill {
    QRect Area;
    QColor Color;
  };
  struct Text {
    QPointF CentreTop;  // the middle of its top edge
    QString Words;
    QFont Font;         // pixel size in dots
    QColor Color;
  };
  QSize Size;                 // before it is turned, dots
  std::vector<Fill> Fills;    // in drawing order: background first
  std::vector<Text> Texts;
  std::vector<QRect> Bars;    // the dark elements, a subset of Fills (for checks)
  TModuleDots Module;
  int Angle = 0;
  bool Reverse = false;

  QSize TurnedSize() const { return Angle == 90 || Angle == 270 ? Size.transposed() : Size; }
};

// Draws the symbol on dots with `module` dots per module.
TDotDrawing DrawOnDots(const TSnapSource &source, TModuleDots module);

// Paints the drawing, turned and mirrored as the symbol is, its turned top-left at
// `topLeft` (device dots). Nothing is smoothed, unless `smooth` asks for edges shared
// among the pixels they cross (a reduced view of the page).
void PaintDotDrawing(QPainter &painter, const TDotDrawing &drawing, QPoint topLeft, bool smooth = false);

}  // namespace plomix
