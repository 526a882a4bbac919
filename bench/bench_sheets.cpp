// Spreadsheet work in the data list window with 100,000 rows: a block pasted from the
// clipboard (tab-separated, as LibreOffice Calc writes it) and a CSV file imported, each
// into the open window, and each undone. Beside them a peer in the same run: the same
// text split with QString::split into a QStandardItemModel shown in a QTableView, what a
// plain Qt grid costs to take the same cells.
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QStandardItemModel>
#include <QTableView>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "DataList/SheetText.h"
#include "DataList/TDataListForm.h"
#include "Param/TParameter.h"
#include "Records/RecordList.h"

namespace {

constexpr int kRows = 100000;

// 13-digit codes, comments of a few words, every tenth row Japanese, every hundredth a
// quoted cell with a line break.
QByteArray Text(char separator) {
  QByteArray text;
  for (int i = 0; i < kRows; ++i) {
    char code[16];
    std::snprintf(code, sizeof code, "49%011d", i);
    text += code;
    text += separator;
    text += i % 10 == 0 ? QByteArray("東京都千代田区 倉庫 在庫あり") : QByteArray("Steel bolt M6 large pack");
    text += separator;
    text += i % 100 == 0 ? QByteArray("\"two\nlines\"") : QByteArray("Blue filter case");
    text += '\n';
  }
  return text;
}

struct Window {
  plomix::TRecordList records;
  plomix::TParameter environment;
  plomix::TSortKey key = plomix::skCode;
  int direction = 1;
  std::unique_ptr<plomix::TDataListForm> form;

  Window() {
    form = std::make_unique<plomix::TDataListForm>(records, environment, key, direction, -1);
    form->show();
    QElapsedTimer waited;
    waited.start();
    while (!(form->windowHandle() && form->windowHandle()->isExposed())) {
      if (waited.elapsed() > 5000) std::abort();
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
  }
  // The window as the user sees it next: painted.
  void Paint() { form->repaint(); }
};

void BM_PasteBlock(benchmark::State &state) {
  const QByteArray tsv = Text('\t');
  auto *mime = new QMimeData;
  mime->setText(QString::fromUtf8(tsv));
  QApplication::clipboard()->setMimeData(mime);
  for (auto _ : state) {
    state.PauseTiming();
    Window window;
    state.ResumeTiming();
    window.form->Paste1Click();
    window.Paint();
    state.PauseTiming();
    if (window.form->Grid()->RecordCount() != kRows) state.SkipWithError("not every row pasted");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PasteBlock)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_UndoPaste(benchmark::State &state) {
  auto *mime = new QMimeData;
  mime->setText(QString::fromUtf8(Text('\t')));
  QApplication::clipboard()->setMimeData(mime);
  for (auto _ : state) {
    state.PauseTiming();
    Window window;
    window.form->Paste1Click();
    window.Paint();
    state.ResumeTiming();
    window.form->Undo1Click();
    window.Paint();
    state.PauseTiming();
    if (window.form->Grid()->RecordCount() != 0) state.SkipWithError("not undone");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_UndoPaste)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The import after the dialog: the file read as CSV and its records put in place.
void BM_ImportCsv(benchmark::State &state) {
  const std::string csv = Text(',').toStdString();
  for (auto _ : state) {
    state.PauseTiming();
    Window window;
    state.ResumeTiming();
    const plomix::TCellTable table = plomix::ReadCsv(csv, plomix::DetectCsvEncoding(csv));
    const plomix::TGridChange change(*window.form->Grid(), QStringLiteral("import"));
    window.form->Grid()->ReplaceRecords(plomix::RecordsFromCsv(table.Rows, false, {}));
    window.Paint();
  }
}
BENCHMARK(BM_ImportCsv)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_UndoImport(benchmark::State &state) {
  const std::string csv = Text(',').toStdString();
  for (auto _ : state) {
    state.PauseTiming();
    Window window;
    {
      const plomix::TCellTable table = plomix::ReadCsv(csv, plomix::ceUtf8);
      const plomix::TGridChange change(*window.form->Grid(), QStringLiteral("import"));
      window.form->Grid()->ReplaceRecords(plomix::RecordsFromCsv(table.Rows, false, {}));
    }
    window.Paint();
    state.ResumeTiming();
    window.form->Undo1Click();
    window.Paint();
  }
}
BENCHMARK(BM_UndoImport)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The peer: the same text split by Qt and shown by a QTableView over QStandardItemModel
// (no quoting, no Shift-JIS, no undo).
void BM_PeerStandardItemModel(benchmark::State &state) {
  const QString tsv = QString::fromUtf8(Text('\t'));
  for (auto _ : state) {
    state.PauseTiming();
    auto view = std::make_unique<QTableView>();
    view->show();
    state.ResumeTiming();
    // Filled before the view sees it: item by item under a view takes minutes.
    auto model = std::make_unique<QStandardItemModel>(0, 3);
    const QStringList lines = tsv.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    model->setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
      const QStringList cells = lines[row].split(QLatin1Char('\t'));
      for (int col = 0; col < 3 && col < cells.size(); ++col) model->setItem(row, col, new QStandardItem(cells[col]));
    }
    view->setModel(model.get());
    view->repaint();
    state.PauseTiming();
    view.reset();
    model.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PeerStandardItemModel)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
