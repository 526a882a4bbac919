#include "Print/PrintJob.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Symbol/Picture.h"
#include "Print/PagePainter.h"
#include "Print/Pagination.h"
#include "Common/UiText.h"

namespace plomix {
namespace {

void SetError(QString *error, const QString &text) {
  if (error) *error = text;
}

// A PDF file is whole when its trailer made it to the disk.
bool PdfComplete(const QString &path, QString *reason) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *reason = file.errorString();
    return false;
  }
  const qint64 size = file.size();
  file.seek(std::max<qint64>(0, size - 1024));
  if (!file.readAll().contains("%%EOF")) {
    *reason = Text("ファイルが最後まで書き込まれていません。ディスクの空きが足りない可能性があります。");
    return false;
  }
  return true;
}

}  // namespace

TPrintJob::TPrintJob(QPrinter &printer) : FPrinter(printer) {}

TPrintJob::~TPrintJob() {
  if (!FFinished) Abandon();
}

bool TPrintJob::Begin(QString *error) {
  if (FPrinter.docName().isEmpty()) FPrinter.setDocName(QStringLiteral("Plomix"));  // the job's title
  if (FPrinter.outputFormat() == QPrinter::PdfFormat) {
    FTarget = FPrinter.outputFileName();
    if (FTarget.isEmpty()) {
      SetError(error, Text("PDFファイルの名前が指定されていません。印刷設定で指定して下さい。"));
      return false;
    }
    // A temporary file beside the target proves the folder writable and gives the
    // platform's reason when it is not.
    QTemporaryFile partial(FTarget + QStringLiteral(".XXXXXX.part"));
    partial.setAutoRemove(false);
    if (!partial.open()) {
      SetError(error, Text("PDFファイル「%1」を作成出来ません。\n%2").arg(FTarget, partial.errorString()));
      return false;
    }
    FPartial = partial.fileName();
    partial.close();
    FPrinter.setOutputFileName(FPartial);
  } else if (QPrinterInfo::printerInfo(FPrinter.printerName()).isNull()) {
    SetError(error, Text("プリンタ「%1」が見つかりません。印刷設定でプリンタを選んで下さい。")
                        .arg(FPrinter.printerName()));
    return false;
  }
  if (!FPainter.begin(&FPrinter)) {
    const QString name = FTarget.isEmpty() ? FPrinter.printerName() : FTarget;
    Abandon();
    SetError(error, Text("印刷を開始出来ません。(%1)").arg(name));
    return false;
  }
  return true;
}

bool TPrintJob::NewPage(QString *error) {
  if (FPrinter.newPage()) return true;
  if (FPartial.isEmpty())
    SetError(error, Text("次のページを始められません。(%1)").arg(FPrinter.printerName()));
  else
    SetError(error, Text("PDFファイル「%1」を書き込めません。\n%2")
                        .arg(FTarget, Text("ディスクの空きが足りない可能性があります。")));
  return false;
}

bool TPrintJob::Finish(QString *error) {
  FFinished = true;
  const bool ended = FPainter.end();
  const bool failed = !ended || FPrinter.printerState() == QPrinter::Error;
  if (FPartial.isEmpty()) {
    if (failed) SetError(error, Text("印刷に失敗しました。(%1)").arg(FPrinter.printerName()));
    return !failed;
  }
  FPrinter.setOutputFileName(FTarget);
  QString reason;
  if (failed || !PdfComplete(FPartial, &reason)) {
    QFile::remove(FPartial);
    SetError(error, Text("PDFファイル「%1」を書き込めません。\n%2").arg(FTarget, reason));
    return false;
  }
  // Renamed over the old file in one step: the old one or the new one, never half.
  if (std::rename(QFile::encodeName(FPartial).constData(), QFile::encodeName(FTarget).constData()) != 0) {
    reason = QString::fromLocal8Bit(std::strerror(errno));
    QFile::remove(FPartial);
    SetError(error, Text("PDFファイル「%1」を書き込めません。\n%2").arg(FTarget, reason));
    return false;
  }
  return true;
}

void TPrintJob::Abandon() {
  FFinished = true;
  if (FPainter.isActive()) {
    FPrinter.abort();
    FPainter.end();
  }
  if (!FPartial.isEmpty()) {
    QFile::remove(FPartial);
    FPrinter.setOutputFileName(FTarget);
    FPartial.clear();
  }
}

bool PrintGrid(QPrinter &printer, const TPicture &picture, const TGridPagination &grid,
               QString *error) {
  return PrintGrid(
      printer, [&picture](QPainter &painter, const QRect &cell) { StretchPicture(painter, picture, cell); }, grid,
      error);
}

bool PrintFlow(QPrinter &printer, TFlowPagination &flow,
               const std::function<const TPicture &()> &picture, QString *error) {
  return PrintFlow(
      printer, flow, [&picture](QPainter &painter, const QRect &cell) { StretchPicture(painter, picture(), cell); },
      error);
}

bool PrintGrid(QPrinter &printer, const TCellPaint &paint, const TGridPagination &grid, QString *error) {
  TPrintJob job(printer);
  if (!job.Begin(error)) return false;
  for (int page = 1; page <= grid.PageCount(); ++page) {
    if (page > 1 && !job.NewPage(error)) return false;
    const std::int64_t cells = grid.CellsOnPage(page);
    for (std::int64_t index = 0; index < cells; ++index) {
      const TPrintCell cell = grid.Cell(index, 100);
      paint(job.Painter(), CellRect(cell.X, cell.Y, cell.W, cell.H));
    }
  }
  return job.Finish(error);
}

bool PrintFlow(QPrinter &printer, TFlowPagination &flow, const TCellPaint &paint, QString *error) {
  TPrintJob job(printer);
  if (!job.Begin(error)) return false;
  bool pageFailed = false;
  for (int page = 1;; ++page) {
    bool pageStarted = page == 1;
    // A page starts with its first cell, so no page is left blank.
    const bool laid = flow.LayPage(page, 100, [&](int, const TPrintCell &cell) {
      if (pageFailed) return;
      if (!pageStarted) {
        pageStarted = true;
        if (!job.NewPage(error)) {
          pageFailed = true;
          return;
        }
      }
      paint(job.Painter(), CellRect(cell.X, cell.Y, cell.W, cell.H));
    });
    if (pageFailed) return false;
    if (!laid || (flow.EndKnown() && page >= flow.LastPage())) break;
  }
  return job.Finish(error);
}

}  // namespace plomix
