#pragma once
// Label sheets painted on any device: symbols filling the labels from a start position,
// each drawn on the device's dots and placed in its label; label outlines for the
// preview; the calibration page that measures a printer's offsets.
#include <QColor>
#include <QPoint>
#include <cstdint>
#include <functional>

#include "Labels/LabelFill.h"
#include "Labels/LabelPlacement.h"
#include "Labels/LabelSheet.h"

class QPainter;

namespace plomix {

struct TSheetLayout {
  TLabelSheet Sheet;
  int Start = 1;                  // first label of the first sheet, from 1
  TPrinterOffset Offset;
  int DpiX = 600, DpiY = 600;     // the device's
  QPoint PaperOrigin;             // the paper's top-left in painter dots (minus the printable area's)
  int ScreenDpiX = 96, ScreenDpiY = 96, Percent = 100;  // the size the user asked for
  TLocation Across = locCenter, Down = locCenter;
  // Off: the symbol's own picture stretched to the asked size (PaintPicture), as the
  // plain print draws it.
  bool SnapToDots = true;
};

// Label `index` in painter dots.
QRect LabelInPainter(const TSheetLayout &layout, int index);

// The symbol of one item, drawn and placed.
struct TPlacedLabel {
  std::int64_t Item = 0;
  TLabelSlot Slot;
  QRect Label;     // painter dots
  QRect Symbol;    // where the turned drawing went, painter dots
  TFittedDrawing Fitted;
};

struct TSheetCallbacks {
  // Item i as a symbol to draw; nullptr when it cannot be drawn (it takes no label).
  std::function<const TSnapSource *(std::int64_t item)> Load;
  // Starts the next sheet; false stops the run (the device's failure).
  std::function<bool()> NewPage;
  // Paints the item's picture stretched into `cell` (only without SnapToDots).
  std::function<void(QPainter &, const QRect &cell)> PaintPicture;
  // Told of every symbol placed, after it was painted.
  std::function<void(const TPlacedLabel &)> Placed;
};

struct TSheetRun {
  std::int64_t Labels = 0;  // symbols placed
  std::int64_t Sheets = 0;
  std::int64_t Shrunk = 0, Clipped = 0;
  bool Stopped = false;     // NewPage refused
};

// Paints `items` items onto sheet after sheet, the first already begun. Items that cannot
// be drawn take no label.
TSheetRun PaintSheets(QPainter &painter, const TSheetLayout &layout, std::int64_t items,
                      const TSheetCallbacks &callbacks);

// Thin outlines of every label of a sheet, the labels before the start position shaded:
// the preview's, never printed.
void PaintLabelOutlines(QPainter &painter, const TSheetLayout &layout, bool firstSheet);

// The calibration page: a frame 10 mm inside every label and a millimetre ruler across and
// down the paper's middle, all moved by the printer's offsets, so that a user measures
// how far the printer shifts its page.
void PaintCalibrationPage(QPainter &painter, const TSheetLayout &layout);

}  // namespace plomix
