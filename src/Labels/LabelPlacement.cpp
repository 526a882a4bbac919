#include "Labels/LabelPlacement.h"

#include <algorithm>

namespace plomix {

QRect LabelRectDots(const TLabelSheet &sheet, int index, int dpiX, int dpiY, TPrinterOffset offset) {
  const QRect um = LabelRectUm(sheet, index);
  // Both edges rounded from µm, so neighbouring labels share their edge dot.
  const int left = UmToDots(static_cast<long long>(um.left()) + offset.X, dpiX);
  const int top = UmToDots(static_cast<long long>(um.top()) + offset.Y, dpiY);
  const int right = UmToDots(static_cast<long long>(um.left()) + um.width() + offset.X, dpiX);
  const int bottom = UmToDots(static_cast<long long>(um.top()) + um.height() + offset.Y, dpiY);
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

TFittedDrawing FitDrawing(const TSnapSource &source, TModuleDots asked, QSize room) {
  TFittedDrawing fitted;
  TModuleDots module = asked;
  fitted.Drawing = DrawOnDots(source, module);
  auto fits = [&](const TDotDrawing &d) {
    const QSize size = d.TurnedSize();
    return size.width() <= room.width() && size.height() <= room.height();
  };
  // Turned a quarter, the bars run down the page: the module decides the height there.
  const bool quarter = source.Angle == 90 || source.Angle == 270;
  auto across = [&](const TDotDrawing &d) {
    return quarter ? d.TurnedSize().height() <= room.height() : d.TurnedSize().width() <= room.width();
  };
  while (!across(fitted.Drawing) && module.X > 1) {
    --module.X;
    module.Y = std::max(1, asked.Y * module.X / asked.X);
    fitted.Drawing = DrawOnDots(source, module);
  }
  while (!fits(fitted.Drawing) && module.Y > 1) {
    --module.Y;
    fitted.Drawing = DrawOnDots(source, module);
  }
  fitted.Shrunk = !(module == asked);
  fitted.Clipped = !fits(fitted.Drawing);
  return fitted;
}

QPoint PlaceInLabel(const QRect &label, QSize size, TLocation across, TLocation down) {
  auto place = [](int start, int room, int length, TLocation where) {
    if (where == locLeft) return start;
    if (where == locRight) return start + room - length;
    return start + (room - length) / 2;
  };
  return {place(label.left(), label.width(), size.width(), across),
          place(label.top(), label.height(), size.height(), down)};
}

}  // namespace plomix
