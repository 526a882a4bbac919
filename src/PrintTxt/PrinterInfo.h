#pragma once
// The printer's page geometry as the text list printer and the size report read it.
class QPrinter;

namespace plomix {

struct PrinterInfo {
  int PrintableWidth = 0;  // printable area, printer pixels
  int PrintableHeight = 0;
  double PrintableWidthMm = 0;
  double PrintableHeightMm = 0;
  int PaperWidth = 0;  // whole sheet, printer pixels
  int PaperHeight = 0;
  double PaperWidthMm = 0;
  double PaperHeightMm = 0;
  int DpiX = 0;
  int DpiY = 0;
  // Unprintable strips at the four edges, printer pixels.
  int OffsetLeft = 0;
  int OffsetTop = 0;
  int OffsetRight = 0;
  int OffsetBottom = 0;
  // The strips as minimum margins: hundredths of an inch rounded up, and millimetres.
  unsigned char MinMarginLeft = 0;
  unsigned char MinMarginTop = 0;
  unsigned char MinMarginRight = 0;
  unsigned char MinMarginBottom = 0;
  double MinMarginLeftMm = 0;
  double MinMarginTopMm = 0;
  double MinMarginRightMm = 0;
  double MinMarginBottomMm = 0;
  // The driver's scale setting in percent; Qt printers have none, so always 100.
  int Scale = 100;
  // Every millimetre value above multiplied by Scale / 100.
  double ScaledPrintableWidthMm = 0;
  double ScaledPrintableHeightMm = 0;
  double ScaledPaperWidthMm = 0;
  double ScaledPaperHeightMm = 0;
  double ScaledMinMarginLeftMm = 0;
  double ScaledMinMarginTopMm = 0;
  double ScaledMinMarginRightMm = 0;
  double ScaledMinMarginBottomMm = 0;
};

// Fills `info` from the printer's page layout at its resolution. The printable area is
// where a painter on the printer starts: its origin is the area's top-left corner.
void GetPrinterInfo(QPrinter &printer, PrinterInfo &info);

// A margin in hundredths of an inch raised so that it covers the unprintable strip of
// `strip` pixels at `dpi`; the raised value is truncated, so the text may start a pixel
// or two inside the strip. Never more than 255.
int RaiseMargin(int margin, int dpi, int strip);

}  // namespace plomix
