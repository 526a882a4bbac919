#pragma once
// The page geometry of the text list: margins raised to the printer's unprintable
// strips, the column size and the first column's place on the page surface.
#include "PrintTxt/PrinterInfo.h"
#include "PrintTxt/TextLayout.h"

namespace plomix {

struct TTextMargins {
  int Left = 0;  // hundredths of an inch from the paper edge
  int Right = 0;
  int Top = 0;
  int Bottom = 0;
};

struct TTextPageGeometry {
  TTextMargins Margins;  // as raised to the strips
  int L = 0;             // the raised margins in printer pixels
  int R = 0;
  int T = 0;
  int B = 0;
  int ColumnWidth = 0;
  int ColumnHeight = 0;
  // The first column on the page surface, whose origin is the printable area's corner.
  TColumnRect FirstColumn;
};

TTextPageGeometry ComputeTextPage(const PrinterInfo &info, const TTextMargins &margins,
                                  int columns, int columnGap);

}  // namespace plomix
