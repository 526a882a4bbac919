// The print job of the text list: the printer, the job's pages and copies, the abort.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "Common/ShiftJis.h"
#include "PrintTxt/PrintText.h"
#include "PrintTxt/TextRows.h"

namespace plomix {
namespace {

// A PDF name in the user's documents folder (else home) that no file has yet.
QString NewPdfPath(const std::string &title) {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::homePath();
  QString base = QFileInfo(SjisToUnicode(FileNamePart(title))).completeBaseName();
  if (base.isEmpty()) base = QStringLiteral("Plomix");
  QString path = QDir(dir).filePath(base + QStringLiteral(".pdf"));
  for (int n = 2; QFileInfo::exists(path); ++n) {
    path = QDir(dir).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
  }
  return path;
}

// Sends every page of every copy; false with `error` set when the job must be aborted.
bool SendPages(TTextPrinter &job, const TPrintTextParams &params, QPrinter &printer,
               QPainter &painter, const TPrintProgress &progress, int &sent, QString &error) {
  const int pages = job.Pages();
  const int total = std::max(1, pages) * params.Copies;
  for (int copy = 1; copy <= params.Copies; ++copy) {
    for (int k = 1; k <= pages; ++k) {
      if (progress && !progress(sent, total)) {
        error = QStringLiteral("印刷を中止しました。");
        return false;
      }
      job.RenderPage(painter, (k - 1) * params.Columns + 1);
      ++sent;
      if (printer.printerState() == QPrinter::Error ||
          ((k < pages || copy < params.Copies) && !printer.newPage())) {
        error = QStringLiteral("印刷中にエラーが発生しました。印刷を中止します。");
        return false;
      }
    }
    if (pages == 0 && copy < params.Copies && !printer.newPage()) {
      error = QStringLiteral("印刷中にエラーが発生しました。印刷を中止します。");
      return false;
    }
  }
  return true;
}

}  // namespace

TPrintTextResult PrintText(const TPrintTextParams &params, QPrinter &printer,
                           const TPrintProgress &progress) {
  TPrintTextResult result;
  result.Error = CheckPrintTextParams(params);
  if (!result.Error.isEmpty()) return result;

  TTextPrinter job(params, printer);
  const QString docName = SjisToUnicode(FileNamePart(params.Title));
  printer.setDocName(docName.isEmpty() ? QStringLiteral("Plomix") : docName);
  // The copies are laid out here, one after another, so the driver must not repeat them.
  const int driverCopies = printer.copyCount();
  printer.setCopyCount(1);

  QPainter painter;
  if (!painter.begin(&printer)) {
    printer.setCopyCount(driverCopies);
    result.Error = QStringLiteral("印刷を開始出来ません。プリンタの設定を確認して下さい。");
    return result;
  }
  // The layout counts from the printable area's corner, where a painter starts unless
  // the printer was set to the whole sheet.
  if (printer.fullPage()) painter.translate(job.Info().OffsetLeft, job.Info().OffsetTop);

  int sent = 0;
  if (!SendPages(job, params, printer, painter, progress, sent, result.Error)) {
    result.Pages = sent;
    // A PDF engine cannot abort: it writes what it has when the painter ends, so the
    // partial file is removed instead.
    const bool aborted = printer.abort();
    painter.end();
    printer.setCopyCount(driverCopies);
    if (!aborted && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
      QFile::remove(printer.outputFileName());
    return result;
  }
  const bool ended = painter.end();
  printer.setCopyCount(driverCopies);
  if (!ended || printer.printerState() == QPrinter::Error) {
    result.Error = QStringLiteral("印刷データを送れませんでした。");
    return result;
  }
  result.Columns = job.ColumnCount();
  result.Pages = sent;
  return result;
}

TTextPrinterChoice ChooseTextPrinter(QPrinter *chosen, const QPrinterInfo &systemDefault,
                                     const std::string &title) {
  TTextPrinterChoice choice;
  if (chosen) {
    choice.Printer = chosen;
  } else if (!systemDefault.isNull()) {
    choice.Owned = std::make_unique<QPrinter>(systemDefault, QPrinter::HighResolution);
  } else {
    choice.Owned = std::make_unique<QPrinter>(QPrinter::HighResolution);
    choice.Owned->setOutputFormat(QPrinter::PdfFormat);
    choice.PdfFile = NewPdfPath(title);
    choice.Owned->setOutputFileName(choice.PdfFile);
  }
  if (choice.Owned) choice.Printer = choice.Owned.get();
  return choice;
}

TPrintTextResult PrintText(const TPrintTextParams &params, QPrinter *chosen,
                           const TPrintProgress &progress) {
  const TTextPrinterChoice choice = ChooseTextPrinter(chosen, QPrinterInfo::defaultPrinter(), params.Title);
  TPrintTextResult result = PrintText(params, *choice.Printer, progress);
  if (result.Error.isEmpty()) result.OutputFile = choice.PdfFile;
  return result;
}

}  // namespace plomix
