// The list preview and the list print of 10,000 records, side by side with peers: a
// page turn with the kept page starts against the walk over every earlier page that
// the turn would otherwise repeat, and the print against drawing the same symbols
// alone. Peak memory is the counter peak_rss_mb; the PDF's size is pdf_mb.
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

#include "BarImage/TBarImage.h"
#include "BenchData.h"
#include "Frame/TFrameForm.h"
#include "Preview/TPreviewForm.h"
#include "Print/Pagination.h"
#include "Print/PrintJob.h"
#include "Print/PrintSymbol.h"
#include "Print/SymbolRecords.h"

namespace {

constexpr int kRecords = 10000;

double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

// A main window with the bench records, printing to a PDF file, in list print mode.
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
    form->ListPrintMode = true;
    form->PrintableCount = plomix::CountPrintable(*form->BarImage1, *form->Records());
  }
};

void BM_ListPreviewFirstView(benchmark::State &state) {
  ListWindow window;
  for (auto _ : state) {
    plomix::TPreviewForm preview(*window.form, window.form.get());
    preview.FormShow();
    benchmark::DoNotOptimize(preview.PreviewImage.constBits());
  }
  state.counters["peak_rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_ListPreviewFirstView)->Unit(benchmark::kMillisecond)->Iterations(5);

// Turns from page 100 on: each turn lays out its two pages only.
void BM_ListPreviewTurnKeptStarts(benchmark::State &state) {
  ListWindow window;
  plomix::TPreviewForm preview(*window.form, window.form.get());
  preview.FormShow();
  while (preview.CurrentPage < 100 && preview.Button4->isEnabled()) preview.Button4Click();
  for (auto _ : state) {
    if (!preview.Button4->isEnabled()) preview.ShowListPages(100);
    preview.Button4Click();
  }
  state.counters["page"] = preview.CurrentPage;
  state.counters["peak_rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_ListPreviewTurnKeptStarts)->Unit(benchmark::kMillisecond)->Iterations(20);

// The peer: the same two pages by a walk over every page before them.
void BM_ListPreviewTurnWalkAll(benchmark::State &state) {
  ListWindow window;
  plomix::TFrameForm &form = *window.form;
  plomix::TPreviewForm preview(form, &form);
  preview.FormShow();  // measures the printer and screen into the window
  plomix::TPrintSymbol symbol(*form.BarImage1);
  for (auto _ : state) {
    plomix::TFlowPagination flow(plomix::MetricsOf(form, form.PrintScale()), form.ColumnSpacing,
                                 form.RowSpacing, form.Records()->Count(), [&form, &symbol](int record) {
                                   return plomix::LoadRecordIntoSymbol(symbol, *form.Records(), record);
                                 });
    for (int page = 100; page <= 101; ++page) flow.LayPage(page, preview.Zoom(), {});
  }
}
BENCHMARK(BM_ListPreviewTurnWalkAll)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ListPrintToPdf(benchmark::State &state) {
  ListWindow window;
  plomix::TFrameForm &form = *window.form;
  plomix::TPreviewForm preview(form, &form);
  preview.FormShow();
  plomix::TPrintSymbol symbol(*form.BarImage1);
  for (auto _ : state) {
    plomix::TFlowPagination flow(plomix::MetricsOf(form, form.PrintScale()), form.ColumnSpacing,
                                 form.RowSpacing, form.Records()->Count(), [&form, &symbol](int record) {
                                   return plomix::LoadRecordIntoSymbol(symbol, *form.Records(), record);
                                 });
    QString error;
    if (!plomix::PrintFlow(form.Printer(), flow,
                           [&symbol]() -> const plomix::TPicture & { return symbol.Picture(); }, &error))
      state.SkipWithError(error.toStdString().c_str());
  }
  state.counters["pdf_mb"] = QFileInfo(form.Printer().outputFileName()).size() / 1048576.0;
  state.counters["peak_rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_ListPrintToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

// The peer: every record's symbol drawn, nothing printed.
void BM_ListDrawOnly(benchmark::State &state) {
  ListWindow window;
  plomix::TFrameForm &form = *window.form;
  plomix::TPrintSymbol symbol(*form.BarImage1);
  for (auto _ : state)
    for (int record = 0; record < kRecords; ++record)
      benchmark::DoNotOptimize(plomix::LoadRecordIntoSymbol(symbol, *form.Records(), record));
}
BENCHMARK(BM_ListDrawOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
