// The main window's print controls: normal print, list print, printer set-up and the
// print scale's arrows.
#include <QMessageBox>
#include <QPrinter>

#include "BarImage/TBarImage.h"
#include "Frame/EnvironmentKeys.h"
#include "Frame/TFrameForm.h"
#include "Preview/TPreviewForm.h"
#include "Print/Pagination.h"
#include "Print/PrintJob.h"
#include "Print/PrintSymbol.h"
#include "Print/SymbolRecords.h"
#include "Widgets/Spinner.h"
#include "Common/UiText.h"

namespace plomix {
namespace {

// Clears the list print mode however the list print ends.
struct ListPrintModeScope {
  bool &Mode;
  explicit ListPrintModeScope(bool &mode) : Mode(mode) { Mode = true; }
  ~ListPrintModeScope() { Mode = false; }
};

}  // namespace

void TFrameForm::ShowMessage(const QString &text) {
  QMessageBox box(QMessageBox::NoIcon, Text("Plomix"), text, QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

void TFrameForm::ReportPrint(bool printed, const QString &error) {
  if (!printed) {
    ReportProblems(Text("Plomix"), {error});
  } else if (FPrinterChoice.WritesDefaultPdf()) {
    ShowMessage(Text("プリンタがないため、PDFファイルに印刷しました。\n%1")
                    .arg(Printer().outputFileName()));
  }
}

void TFrameForm::SetPrintScale(int percent) { SpinnerFor(envkey::PrintScale).Spinner->SetPosition(percent); }

void TFrameForm::UpDown8Click() { ActualSizeSwitch = false; }

void TFrameForm::Button9Click() {
  FPrinterChoice.Setup(this);
  ActualSizeSwitch = false;
}

void TFrameForm::Button8Click() {
  if (!BarImage1->BarDisped() || FRecords->IsEmpty()) {
    ShowMessage(Text("バーコード表示中でないと印刷出来ません。"));
    return;
  }
  if (const auto sheet = FLabelSettings.ChosenSheet()) {
    PrintOnSheet(*sheet, false);
    return;
  }
  {
    TPreviewForm preview(*this, this);
    if (preview.exec() != QDialog::Accepted) {
      StatusRefresh();
      return;
    }
  }
  // The symbol as it was when printing began, apart from the one on screen.
  TPrintSymbol symbol(*BarImage1);
  const bool snap = PrintSnapToDots();
  if (snap) symbol.DrawBar();  // a copy keeps no layout: drawn again, it has the bars' places
  const TPrintMetrics metrics = MetricsOf(*this, PrintScale());
  const TCellSteps steps = CellSteps(metrics, symbol.Width(), symbol.Height(), ColumnSpacing, RowSpacing);
  const TGridPagination grid(steps, PageWidth, PageHeight, PrintCopies());
  QString error;
  const bool printed = PrintGrid(Printer(), SymbolCellPaint(symbol, metrics, snap), grid, &error);
  StatusRefresh();
  ReportPrint(printed, error);
}

void TFrameForm::Button10Click() {
  ListPrintModeScope mode(ListPrintMode);
  bool printed = true;
  QString error;
  // The records are loaded into a symbol of the print's own: the shown record stays on
  // screen, untouched, however the print ends.
  PrintableCount = CountPrintable(*BarImage1, *FRecords);
  if (FRecords->IsEmpty() || PrintableCount == 0) {
    ShowMessage(Text("リストに表示可能なデータがない為印刷出来ません。"));
  } else if (const auto sheet = FLabelSettings.ChosenSheet()) {
    PrintOnSheet(*sheet, true);
  } else {
    bool accepted = false;
    {
      TPreviewForm preview(*this, this);
      accepted = preview.exec() == QDialog::Accepted;
    }
    if (accepted) {
      TPrintSymbol symbol(*BarImage1);
      const TPrintMetrics metrics = MetricsOf(*this, PrintScale());
      TFlowPagination flow(metrics, ColumnSpacing, RowSpacing, FRecords->Count(), [this, &symbol](int record) {
        return LoadRecordIntoSymbol(symbol, *FRecords, record);
      });
      printed = PrintFlow(Printer(), flow, SymbolCellPaint(symbol, metrics, PrintSnapToDots()), &error);
      if (printed) ReportPrint(true, {});
    }
  }
  StatusRefresh();
  if (!printed) ReportPrint(false, error);
}

}  // namespace plomix
