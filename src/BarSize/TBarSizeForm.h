#pragma once
// The size report window: how large the current symbol is on the screen and on paper,
// with the paper, the resolutions and the printer's scale factor; prints and copies it.
#include <QDialog>
#include <QMessageBox>
#include <memory>
#include <string>

#include "BarSize/SizeReport.h"
#include "ui_TBarSizeForm.h"

class QMenu;
class QPrinter;
class QPrinterInfo;

namespace plomix {

// What the main window hands over: its symbol's size and scale and its print scale.
struct TBarSizeSource {
  int BarWidth = 0;
  int BarHeight = 0;
  int Scale = 1;
  int PrintScale = 100;
};

class TBarSizeForm : public QDialog, public Ui::TBarSizeForm {
  Q_OBJECT

 public:
  // `printer` is the one the main window prints on; without one the report measures and
  // prints on `systemDefault`, else on a new PDF file in the user's documents folder.
  TBarSizeForm(const TBarSizeSource &source, QPrinter *printer, QWidget *owner,
               const QPrinterInfo &systemDefault);
  TBarSizeForm(const TBarSizeSource &source, QPrinter *printer, QWidget *owner = nullptr);
  ~TBarSizeForm() override;

  // Measures, builds the text, shows it and sizes and centres the window.
  void FormShow();
  void Print1Click();
  void Copy1Click();
  void Close1Click();

  // The values taken when the window was shown.
  const TSizeMeasures &Measures() const { return FMeasures; }
  // The report as print and copy use it, header first (Shift-JIS, CR LF).
  const std::string &ReportText() const { return FText; }
  // The printer the report measured and prints on.
  QPrinter &Printer() const { return *FPrinter; }

  QMenu *PopupMenu1 = nullptr;

 protected:
  void showEvent(QShowEvent *event) override;

 private:
  void ShowMessage(QMessageBox::Icon icon, const QString &text);

  TBarSizeSource FSource;
  std::unique_ptr<QPrinter> FOwnedPrinter;  // when the main window had none
  QPrinter *FPrinter = nullptr;
  TSizeMeasures FMeasures;
  std::string FText;
  bool FShown = false;
};

}  // namespace plomix
