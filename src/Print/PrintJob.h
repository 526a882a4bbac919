#pragma once
// One print job: started on the chosen printer, paged, ended, or given up with the
// reason in the platform's words. A PDF file is written beside its name and renamed
// over it only when complete, so a full disk leaves the old file and says so.
#include <QPainter>
#include <QString>
#include <functional>

#include "Print/SymbolCells.h"

class QPrinter;

namespace plomix {

class TPicture;
class TGridPagination;
class TFlowPagination;

class TPrintJob {
 public:
  explicit TPrintJob(QPrinter &printer);
  ~TPrintJob();  // a job not finished is aborted
  TPrintJob(const TPrintJob &) = delete;
  TPrintJob &operator=(const TPrintJob &) = delete;

  bool Begin(QString *error);
  QPainter &Painter() { return FPainter; }
  bool NewPage(QString *error);
  bool Finish(QString *error);

 private:
  void Abandon();

  QPrinter &FPrinter;
  QPainter FPainter;
  QString FTarget;   // the PDF file the user gets
  QString FPartial;  // where it is written meanwhile
  bool FFinished = false;
};

// The N copies of the grid, page after page, each cell painted by `paint`.
bool PrintGrid(QPrinter &printer, const TCellPaint &paint, const TGridPagination &grid, QString *error);
// The same with the picture stretched into every cell.
bool PrintGrid(QPrinter &printer, const TPicture &picture, const TGridPagination &grid,
               QString *error);

// The record flow at printer size; `paint` is called while the symbol holds the record
// being placed.
bool PrintFlow(QPrinter &printer, TFlowPagination &flow, const TCellPaint &paint, QString *error);
// The same with `picture`, the symbol's picture while it holds the record, stretched.
bool PrintFlow(QPrinter &printer, TFlowPagination &flow,
               const std::function<const TPicture &()> &picture, QString *error);

}  // namespace plomix
