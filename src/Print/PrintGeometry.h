#pragma once
// Printer sizes from screen sizes. Every formula is integer arithmetic in 64 bits with
// each division truncating, in the order written: at high resolutions and scales the
// products pass 32 bits, and the truncation decides where cells fall.
#include <QString>
#include <cstdint>

class QPaintDevice;

namespace plomix {

struct TPrintState;

// Printer and screen resolutions, the printable area and the print scale s (percent).
struct TPrintMetrics {
  int PrinterDpiX = 0;
  int PrinterDpiY = 0;
  int ScreenDpiX = 0;
  int ScreenDpiY = 0;
  int PageWidth = 0;
  int PageHeight = 0;
  int Scale = 100;
};

TPrintMetrics MetricsOf(const TPrintState &state, int scale);

// A length of screen pixels as printer pixels: v × printer dpi × s ÷ screen dpi ÷ 100.
std::int64_t PrinterWidth(const TPrintMetrics &m, std::int64_t screenPixels);
std::int64_t PrinterHeight(const TPrintMetrics &m, std::int64_t screenPixels);

// Cell width and height, column and row gap, printer pixels.
struct TCellSteps {
  std::int64_t W = 0, H = 0, G = 0, R = 0;
};
TCellSteps CellSteps(const TPrintMetrics &m, int symbolWidth, int symbolHeight,
                     int columnSpacing, int rowSpacing);

// Cells of `cell` with `gap` between them that start within `room`: a cell cut only by
// the gap still counts, and at least one always does (a cell wider than the room, or a
// cell and gap of no size at all).
std::int64_t FitCount(std::int64_t room, std::int64_t cell, std::int64_t gap);

// The preview's zoom Z in percent: two pages side by side within 99 % of the screen
// width, one page within 80 % of its height; never below 1.
int PreviewZoom(int screenWidth, int screenHeight, int pageWidth, int pageHeight);
// A printer length as drawn at zoom Z.
inline std::int64_t Zoomed(std::int64_t length, int zoom) { return length * zoom / 100; }

// The printer's resolution and printable area, from its device metrics. False (with the
// reason) when the device reports no usable page.
bool MeasurePrinter(const QPaintDevice &printer, TPrintState &state, QString *error);

}  // namespace plomix
