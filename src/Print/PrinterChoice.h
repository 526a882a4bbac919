#pragma once
// The printer every print of the program uses: the one chosen in the printer set-up,
// else the system's default queue, else a PDF file (with no printer installed the
// print still goes somewhere the user is told about).
#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace plomix {

class TPrinterChoice {
 public:
  TPrinterChoice();
  ~TPrinterChoice();

  // Created on first use, kept from then on.
  QPrinter &Printer();
  // The printer the user chose in the set-up, or null before any choice (for printers
  // that pick their own default then).
  QPrinter *Chosen() { return FChosen ? FPrinter.get() : nullptr; }
  // The printer set-up: printer, paper, orientation (or a PDF file). True when accepted.
  bool Setup(QWidget *parent);
  // True while the output is a PDF file nobody chose: the print reports where it went.
  bool WritesDefaultPdf() const;
  // Where a PDF file goes when no printer is installed.
  static QString DefaultPdfPath();

 private:
  std::unique_ptr<QPrinter> FPrinter;
  bool FChosen = false;
};

}  // namespace plomix
