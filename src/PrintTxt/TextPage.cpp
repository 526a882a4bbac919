#include "PrintTxt/TextPage.h"

namespace plomix {

TTextPageGeometry ComputeTextPage(const PrinterInfo &info, const TTextMargins &margins,
                                  int columns, int columnGap) {
  TTextPageGeometry g;
  g.Margins.Left = RaiseMargin(margins.Left, info.DpiX, info.OffsetLeft);
  g.Margins.Right = RaiseMargin(margins.Right, info.DpiX, info.OffsetRight);
  g.Margins.Top = RaiseMargin(margins.Top, info.DpiY, info.OffsetTop);
  g.Margins.Bottom = RaiseMargin(margins.Bottom, info.DpiY, info.OffsetBottom);
  g.L = g.Margins.Left * info.DpiX / 100;
  g.R = g.Margins.Right * info.DpiX / 100;
  g.T = g.Margins.Top * info.DpiY / 100;
  g.B = g.Margins.Bottom * info.DpiY / 100;
  if (columns > 0) {
    g.ColumnWidth = (info.PaperWidth - g.L - g.R - (columns - 1) * columnGap) / columns;
  }
  g.ColumnHeight = info.PaperHeight - g.T - g.B;
  g.FirstColumn.Left = g.L - info.OffsetLeft;
  g.FirstColumn.Top = g.T - info.OffsetTop;
  g.FirstColumn.Right = g.FirstColumn.Left + g.ColumnWidth;
  g.FirstColumn.Bottom = g.FirstColumn.Top + g.ColumnHeight;
  return g;
}

}  // namespace plomix
