#pragma once
// A label sheet print on the chosen printer: the paper set to the sheet's, the labels
// found from the paper's edge (the painter starts at the printable area), and every
// symbol drawn on the printer's own dots.
#include <QString>
#include <cstdint>

#include "Labels/SheetPainter.h"

class QPrinter;

namespace plomix {

// The layout on this printer: its resolution and where its paper's corner lies for the
// painter, once its paper is the sheet's.
TSheetLayout SheetLayoutOn(QPrinter &printer, const TLabelSheet &sheet);

// Sets the printer's paper to the sheet's, with no margins asked for.
void UseSheetPaper(QPrinter &printer, const TLabelSheet &sheet);

// Prints `items` items; `callbacks.NewPage` is the job's. False (with the reason) when the
// printer or the file fails; `run` tells what was placed.
bool PrintLabelSheets(QPrinter &printer, const TSheetLayout &layout, std::int64_t items, TSheetCallbacks callbacks,
                      TSheetRun *run, QString *error);

// One calibration page for the sheet on this printer.
bool PrintCalibrationPage(QPrinter &printer, const TSheetLayout &layout, QString *error);

}  // namespace plomix
