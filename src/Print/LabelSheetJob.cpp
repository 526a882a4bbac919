#include "Print/LabelSheetJob.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "Print/PrintJob.h"

namespace plomix {

void UseSheetPaper(QPrinter &printer, const TLabelSheet &sheet) {
  const QPageSize size(QSizeF(sheet.PaperWidth / 1000.0, sheet.PaperHeight / 1000.0), QPageSize::Millimeter);
  printer.setPageSize(size);
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

TSheetLayout SheetLayoutOn(QPrinter &printer, const TLabelSheet &sheet) {
  TSheetLayout layout;
  layout.Sheet = sheet;
  layout.DpiX = printer.logicalDpiX();
  layout.DpiY = printer.logicalDpiY();
  // A printer that cannot print to the edge keeps its margins; labels still count from
  // the paper's corner.
  const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
  layout.PaperOrigin = -printable.topLeft();
  return layout;
}

bool PrintLabelSheets(QPrinter &printer, const TSheetLayout &layout, std::int64_t items, TSheetCallbacks callbacks,
                      TSheetRun *run, QString *error) {
  TPrintJob job(printer);
  if (!job.Begin(error)) return false;
  callbacks.NewPage = [&] { return job.NewPage(error); };
  const TSheetRun done = PaintSheets(job.Painter(), layout, items, callbacks);
  if (run) *run = done;
  if (done.Stopped) return false;
  return job.Finish(error);
}

bool PrintCalibrationPage(QPrinter &printer, const TSheetLayout &layout, QString *error) {
  TPrintJob job(printer);
  if (!job.Begin(error)) return false;
  PaintCalibrationPage(job.Painter(), layout);
  return job.Finish(error);
}

}  // namespace plomix
