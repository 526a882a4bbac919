#include "Print/PrinterChoice.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace plomix {

TPrinterChoice::TPrinterChoice() = default;
TPrinterChoice::~TPrinterChoice() = default;

QString TPrinterChoice::DefaultPdfPath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  return QDir(folder).filePath(QStringLiteral("Plomix.pdf"));
}

QPrinter &TPrinterChoice::Printer() {
  if (!FPrinter) {
    FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinterInfo queue = QPrinterInfo::defaultPrinter();
    if (!queue.isNull()) {
      FPrinter->setPrinterName(queue.printerName());
    } else {
      FPrinter->setOutputFormat(QPrinter::PdfFormat);
      FPrinter->setOutputFileName(DefaultPdfPath());
    }
  }
  return *FPrinter;
}

bool TPrinterChoice::Setup(QWidget *parent) {
  QPrinter &printer = Printer();
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
  dialog.setWindowTitle(QString::fromUtf8("印刷設定"));
  // Only the printer and its page: copies and ranges are the main window's own.
  dialog.setOptions(QAbstractPrintDialog::PrintToFile);
  // The set-up prints nothing: its confirming button must not say 印刷.
  if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
    if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  const bool accepted = dialog.exec() == QDialog::Accepted;
  if (accepted) FChosen = true;
  return accepted;
}

bool TPrinterChoice::WritesDefaultPdf() const {
  return FPrinter && !FChosen && FPrinter->outputFormat() == QPrinter::PdfFormat &&
         FPrinter->outputFileName() == DefaultPdfPath();
}

}  // namespace plomix
