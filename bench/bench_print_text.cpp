// The text list printer on the data list's print text of 33,334 records (100,002 lines):
// the column index alone, and the whole job to PDF, side by side with Qt's own text
// printing (QTextDocument::print) of the same text in the same font to PDF (the peer).
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include "BenchData.h"
#include "Common/ShiftJis.h"
#include "PrintTxt/PrintText.h"

namespace {

constexpr int kRecords = 33334;

QTemporaryDir &WorkDir() {
  static QTemporaryDir dir;
  return dir;
}

// Code, upper and lower comment of every record, one line each, as Shift-JIS.
const std::string &ListText() {
  static const std::string text = [] {
    if (!plomix::bench::WriteBenchRecordFiles(WorkDir().path(), kRecords)) std::abort();
    const auto lines = [](const char *name) {
      QFile file(WorkDir().path() + "/" + name);
      if (!file.open(QIODevice::ReadOnly)) std::abort();
      return file.readAll().split('\n');
    };
    const auto codes = lines("Plomix.txt"), ups = lines("PlomixUp.txt"), downs = lines("PlomixDn.txt");
    std::string all;
    for (int i = 0; i < kRecords; ++i) {
      for (const auto *list : {&codes, &ups, &downs}) {
        all += (*list)[i].chopped((*list)[i].endsWith('\r') ? 1 : 0).toStdString();
        all += "\r\n";
      }
    }
    return all;
  }();
  return text;
}

plomix::TPrintTextParams Params() {
  plomix::TPrintTextParams p;
  p.Text = ListText();
  p.Title = "list.txt";
  p.BodyFont = QFont(QStringLiteral("IPAGothic"), 10);
  p.HeaderFont = p.BodyFont;
  p.LineNumberWidth = 6;
  p.LeftMargin = p.RightMargin = p.TopMargin = p.BottomMargin = 50;
  p.Columns = 1;  // one column, as the peer lays its text out
  p.HeaderFlags = plomix::hfTitle | plomix::hfDate | plomix::hfColumnNumber;
  return p;
}

void PdfPrinter(QPrinter &printer, const char *name) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setOutputFileName(WorkDir().path() + "/" + name);
}

void BM_ColumnIndex(benchmark::State &state) {
  const plomix::TPrintTextParams p = Params();
  QPrinter printer(QPrinter::HighResolution);
  PdfPrinter(printer, "index.pdf");
  int columns = 0;
  for (auto _ : state) {
    plomix::TTextPrinter job(p, printer);  // measures the whole text into the index
    columns = job.ColumnCount();
  }
  state.counters["columns"] = columns;
  state.counters["lines"] = 100002;
}
BENCHMARK(BM_ColumnIndex)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

void BM_PrintTextToPdf(benchmark::State &state) {
  const plomix::TPrintTextParams p = Params();
  int pages = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, "printtext.pdf");
    const plomix::TPrintTextResult result = plomix::PrintText(p, printer);
    if (!result.Error.isEmpty()) state.SkipWithError("print failed");
    pages = result.Pages;
  }
  state.counters["pages"] = pages;
  state.counters["pages_per_s"] = benchmark::Counter(pages * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PrintTextToPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

void BM_PeerQTextDocumentPrint(benchmark::State &state) {
  const QString text = plomix::SjisToUnicode(ListText());
  int pages = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, "peer.pdf");
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("IPAGothic"), 10));
    document.setPlainText(text);
    document.print(&printer);
  }
  // print() lays out a copy of the document on the printer's page; count what it wrote.
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {WorkDir().path() + "/peer.pdf"});
  info.waitForFinished();
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  pages = out.section(QStringLiteral("Pages:"), 1).section(u'\n', 0, 0).trimmed().toInt();
  state.counters["pages"] = pages;
  state.counters["pages_per_s"] = benchmark::Counter(pages * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PeerQTextDocumentPrint)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

}  // namespace
