// The 10,000-record list print on plain paper and onto label sheets, every symbol drawn on
// the printer's dots, side by side with the list print of the stretched bitmaps (each
// symbol's bitmap stretched into its cell, the option off): pages a second (pages_per_s)
// and the PDF's size (pdf_mb).
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

#include "BarImage/TBarImage.h"
#include "BenchData.h"
#include "Frame/TFrameForm.h"
#include "Labels/SheetTable.h"
#include "Preview/TPreviewForm.h"
#include "Print/LabelSheetJob.h"
#include "Print/Pagination.h"
#include "Print/PrintJob.h"
#include "Print/SymbolCells.h"
#include "Print/SymbolRecords.h"

namespace {

constexpr int kRecords = 10000;

struct ListWindow {
  QTemporaryDir dir;
  std::unique_ptr<plomix::TFrameForm> form;
  ListWindow() {
    if (!plomix::bench::WriteBenchRecordFiles(dir.path(), kRecords)) std::abort();
    form = std::make_unique<plomix::TFrameForm>(dir.path());
    form->show();
    QPrinter &printer = form->Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("list.pdf")));
  }
  double PdfMb() { return QFileInfo(form->Printer().outputFileName()).size() / 1048576.0; }
};

// The plain-paper list print of the preview, each record drawn by what `print` makes of
// the page's metrics (the symbol's stretched picture, or its cells on the printer's dots).
template <typename Print>
void TimePlainListPrint(benchmark::State &state, const Print &print) {
  ListWindow window;
  plomix::TFrameForm &form = *window.form;
  form.ListPrintMode = true;
  form.PrintableCount = plomix::CountPrintable(*form.BarImage1, *form.Records());
  plomix::TPreviewForm preview(form, &form);
  preview.FormShow();
  int pages = 0;
  for (auto _ : state) {
    const plomix::TPrintMetrics metrics = plomix::MetricsOf(form, form.PrintScale());
    plomix::TFlowPagination flow(metrics, form.ColumnSpacing, form.RowSpacing, form.Records()->Count(),
                                 [&form](int record) {
                                   return plomix::LoadRecordIntoSymbol(*form.BarImage1, *form.Records(), record);
                                 });
    QString error;
    if (!print(form, flow, metrics, &error)) state.SkipWithError(error.toStdString().c_str());
    pages += flow.LastPage();
  }
  state.counters["pages_per_s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
  state.counters["pdf_mb"] = window.PdfMb();
}

void BM_TodaysListPrint(benchmark::State &state) {
  TimePlainListPrint(state, [](plomix::TFrameForm &form, plomix::TFlowPagination &flow,
                               const plomix::TPrintMetrics &, QString *error) {
    return plomix::PrintFlow(
        form.Printer(), flow, [&form]() -> const plomix::TPicture & { return form.BarImage1->Picture(); }, error);
  });
}
BENCHMARK(BM_TodaysListPrint)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// The same plain-paper list print with the bars on the printer's dots (the option on):
// each record drawn again as rectangles and texts instead of a stretched bitmap.
void BM_PlainListPrintOnDots(benchmark::State &state) {
  TimePlainListPrint(state, [](plomix::TFrameForm &form, plomix::TFlowPagination &flow,
                               const plomix::TPrintMetrics &metrics, QString *error) {
    return plomix::PrintFlow(form.Printer(), flow, plomix::SymbolCellPaint(*form.BarImage1, metrics, true), error);
  });
}
BENCHMARK(BM_PlainListPrintOnDots)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_LabelSheetListPrint(benchmark::State &state) {
  ListWindow window;
  plomix::TFrameForm &form = *window.form;
  QPrinter &printer = form.Printer();
  const plomix::TLabelSheet &sheet = *plomix::FindSheet(QStringLiteral("A4 44面 48.3×25.4mm"));
  plomix::UseSheetPaper(printer, sheet);
  const plomix::TSheetLayout layout = plomix::SheetLayoutOn(printer, sheet);
  plomix::TSnapSource source;
  std::int64_t pages = 0;
  for (auto _ : state) {
    plomix::TSheetCallbacks callbacks;
    callbacks.Load = [&](std::int64_t record) -> const plomix::TSnapSource * {
      if (!plomix::LoadRecordIntoSymbol(*form.BarImage1, *form.Records(), static_cast<int>(record)).Displayed)
        return nullptr;
      source = plomix::SnapSourceOf(*form.BarImage1);
      return &source;
    };
    plomix::TSheetRun run;
    QString error;
    if (!plomix::PrintLabelSheets(printer, layout, form.Records()->Count(), callbacks, &run, &error))
      state.SkipWithError(error.toStdString().c_str());
    pages += run.Sheets;
  }
  state.counters["pages_per_s"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate);
  state.counters["pdf_mb"] = window.PdfMb();
}
BENCHMARK(BM_LabelSheetListPrint)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace
