#include "PrintTxt/PrinterInfo.h"

#include <QPageLayout>
#include <QPrinter>
#include <algorithm>

namespace plomix {
namespace {

double ToMm(int pixels, int dpi) { return dpi > 0 ? pixels * 25.4 / dpi : 0.0; }

unsigned char ToHundredthsUp(int pixels, int dpi) {
  if (dpi <= 0 || pixels <= 0) return 0;
  return static_cast<unsigned char>(std::min(255, (pixels * 100 + dpi - 1) / dpi));
}

}  // namespace

void GetPrinterInfo(QPrinter &printer, PrinterInfo &info) {
  info = PrinterInfo{};
  const int dpi = printer.resolution();
  // A printer set to the whole sheet still has its strips: read them as if it were not.
  QPageLayout layout = printer.pageLayout();
  layout.setMode(QPageLayout::StandardMode);
  const QRect paper = layout.fullRectPixels(dpi);
  const QRect printable = layout.paintRectPixels(dpi);
  info.DpiX = info.DpiY = dpi;
  info.PaperWidth = paper.width();
  info.PaperHeight = paper.height();
  info.PrintableWidth = printable.width();
  info.PrintableHeight = printable.height();
  info.OffsetLeft = printable.left() - paper.left();
  info.OffsetTop = printable.top() - paper.top();
  info.OffsetRight = info.PaperWidth - info.PrintableWidth - info.OffsetLeft;
  info.OffsetBottom = info.PaperHeight - info.PrintableHeight - info.OffsetTop;

  info.PrintableWidthMm = ToMm(info.PrintableWidth, dpi);
  info.PrintableHeightMm = ToMm(info.PrintableHeight, dpi);
  info.PaperWidthMm = ToMm(info.PaperWidth, dpi);
  info.PaperHeightMm = ToMm(info.PaperHeight, dpi);
  info.MinMarginLeft = ToHundredthsUp(info.OffsetLeft, dpi);
  info.MinMarginTop = ToHundredthsUp(info.OffsetTop, dpi);
  info.MinMarginRight = ToHundredthsUp(info.OffsetRight, dpi);
  info.MinMarginBottom = ToHundredthsUp(info.OffsetBottom, dpi);
  info.MinMarginLeftMm = ToMm(info.OffsetLeft, dpi);
  info.MinMarginTopMm = ToMm(info.OffsetTop, dpi);
  info.MinMarginRightMm = ToMm(info.OffsetRight, dpi);
  info.MinMarginBottomMm = ToMm(info.OffsetBottom, dpi);

  info.Scale = 100;
  const double q = info.Scale / 100.0;
  info.ScaledPrintableWidthMm = info.PrintableWidthMm * q;
  info.ScaledPrintableHeightMm = info.PrintableHeightMm * q;
  info.ScaledPaperWidthMm = info.PaperWidthMm * q;
  info.ScaledPaperHeightMm = info.PaperHeightMm * q;
  info.ScaledMinMarginLeftMm = info.MinMarginLeftMm * q;
  info.ScaledMinMarginTopMm = info.MinMarginTopMm * q;
  info.ScaledMinMarginRightMm = info.MinMarginRightMm * q;
  info.ScaledMinMarginBottomMm = info.MinMarginBottomMm * q;
}

int RaiseMargin(int margin, int dpi, int strip) {
  if (dpi <= 0 || margin * dpi / 100 >= strip) return margin;
  return std::min(255, strip * 100 / dpi);
}

}  // namespace plomix
