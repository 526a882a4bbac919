#include "Print/PrintGeometry.h"

#include <QPaintDevice>
#include <algorithm>

#include "Print/PrintState.h"

namespace plomix {

TPrintMetrics MetricsOf(const TPrintState &state, int scale) {
  return {state.PrinterDpiX, state.PrinterDpiY, state.ScreenDpiX, state.ScreenDpiY,
          state.PageWidth,   state.PageHeight,  scale};
}

namespace {

std::int64_t ToPrinter(std::int64_t v, int printerDpi, int screenDpi, int scale) {
  if (screenDpi <= 0) return 0;
  return v * printerDpi * scale / screenDpi / 100;
}

}  // namespace

std::int64_t PrinterWidth(const TPrintMetrics &m, std::int64_t screenPixels) {
  return ToPrinter(screenPixels, m.PrinterDpiX, m.ScreenDpiX, m.Scale);
}

std::int64_t PrinterHeight(const TPrintMetrics &m, std::int64_t screenPixels) {
  return ToPrinter(screenPixels, m.PrinterDpiY, m.ScreenDpiY, m.Scale);
}

TCellSteps CellSteps(const TPrintMetrics &m, int symbolWidth, int symbolHeight,
                     int columnSpacing, int rowSpacing) {
  return {PrinterWidth(m, symbolWidth), PrinterHeight(m, symbolHeight),
          PrinterWidth(m, columnSpacing), PrinterHeight(m, rowSpacing)};
}

std::int64_t FitCount(std::int64_t room, std::int64_t cell, std::int64_t gap) {
  const std::int64_t step = cell + gap;
  if (step <= 0) return 1;
  std::int64_t count = 0;
  // The cells that start within the room, the last of which must fit whole.
  for (; room > 0; room -= step)
    if (cell <= room) ++count;
  return std::max<std::int64_t>(count, 1);
}

int PreviewZoom(int screenWidth, int screenHeight, int pageWidth, int pageHeight) {
  if (pageWidth <= 0 || pageHeight <= 0) return 1;
  const std::int64_t across = std::int64_t{screenWidth} * 99 / pageWidth / 2;
  const std::int64_t down = std::int64_t{screenHeight} * 80 / pageHeight;
  return static_cast<int>(std::max<std::int64_t>(std::min(across, down), 1));
}

bool MeasurePrinter(const QPaintDevice &printer, TPrintState &state, QString *error) {
  const int dpiX = printer.logicalDpiX(), dpiY = printer.logicalDpiY();
  const int width = printer.width(), height = printer.height();
  if (dpiX <= 0 || dpiY <= 0 || width <= 0 || height <= 0) {
    if (error)
      *error = QString::fromUtf8("プリンタの用紙の大きさか解像度を取得出来ません。"
                                 "(%1 x %2 ピクセル, %3 x %4 dpi)")
                   .arg(width).arg(height).arg(dpiX).arg(dpiY);
    return false;
  }
  state.PrinterDpiX = dpiX;
  state.PrinterDpiY = dpiY;
  state.PageWidth = width;
  state.PageHeight = height;
  return true;
}

}  // namespace plomix
