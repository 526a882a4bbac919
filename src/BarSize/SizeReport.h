#pragma once
// The size report's text: the symbol's size on the screen and on paper, the paper, the
// resolutions and the printer's scale factor, from measured values alone (no windows).
#include <cstdint>
#include <string>

namespace plomix {

struct TSizeMeasures {
  // From the main window.
  int BarWidth = 0;  // the symbol without margins or comments, screen pixels
  int BarHeight = 0;
  int Scale = 1;
  int PrintScale = 100;  // s, percent
  // Measured when the report is shown.
  int ScreenDpiX = 0;  // sx, sy
  int ScreenDpiY = 0;
  int PrinterDpiX = 0;  // px, py
  int PrinterDpiY = 0;
  int PaperWidth = 0;  // PW, PH: the whole sheet in printer pixels
  int PaperHeight = 0;
  int PrinterScale = 100;  // q, percent; 100 when the printer has no scale setting
};

// The symbol's printed size in printer pixels, unrounded.
struct TPrintedSize {
  double Width = 0;
  double Height = 0;
};
TPrintedSize PrintedSize(const TSizeMeasures &m);

// Nearest integer, a half going to the even neighbour (312.5 gives 312, 313.5 gives 314).
std::int64_t RoundHalfEven(double value);

// The report in Shift-JIS with CR LF line ends, as the window shows it (no header).
std::string SizeReportText(const TSizeMeasures &m);

// The heading that print and copy put in front of the report text.
std::string SizeReportHeader();

}  // namespace plomix
