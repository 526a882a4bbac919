#include "cli/LabelPdf.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <cstdio>
#include <optional>

#include "Symbol/TBarSymbol.h"
#include "Labels/SheetPainter.h"
#include "Labels/SheetNotation.h"
#include "Labels/SheetTable.h"
#include "cli/Arguments.h"
#include "cli/BatchInput.h"
#include "cli/ExitStatus.h"
#include "Common/AtomicFile.h"
#include "cli/Render.h"

namespace plomix::cli {
namespace {

void PrintError(const QString &message) { std::fprintf(stderr, "plomix-cli: %s\n", message.toUtf8().constData()); }

std::optional<TLabelSheet> SheetOf(const QString &text, QString &error) {
  if (const TLabelSheet *named = FindSheet(text)) return *named;
  if (!text.contains(QLatin1Char(','))) {
    error = QStringLiteral("unknown sheet \"%1\" (plomix-cli --list-sheets names them)").arg(text);
    return std::nullopt;
  }
  return ParseSheetNotation(text, error);
}


}  // namespace

int ListSheets() {
  for (const TLabelSheet &sheet : ShippedSheets())
    std::printf("%s\t%s\n", sheet.Name.toUtf8().constData(), FormatSheetNotation(sheet).toUtf8().constData());
  return kDrawn;
}

int RunLabelPdf(const CliOptions &o) {
  QString error;
  const std::optional<TLabelSheet> sheet = SheetOf(o.sheet, error);
  if (!sheet) {
    PrintError(error);
    return kUsageError;
  }
  if (o.start > sheet->LabelsPerSheet()) {
    PrintError(QStringLiteral("--start %1: the sheet has %2 labels").arg(o.start).arg(sheet->LabelsPerSheet()));
    return kUsageError;
  }
  if (!o.output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
    PrintError(QStringLiteral("--sheet writes a PDF: give -o NAME.pdf"));
    return kUsageError;
  }

  std::optional<BatchInput> input;
  if (!o.batch.isEmpty()) {
    QByteArray bytes;
    if (!ReadBatchInput(o.batch, bytes, error)) {
      PrintError(QStringLiteral("cannot read \"%1\": %2").arg(o.batch, error));
      return kNotDrawn;
    }
    input.emplace(std::move(bytes), o.csv, o.inputEncoding);
  }
  const std::int64_t items = input ? static_cast<std::int64_t>(input->Count()) : o.copies;

  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  writer.setCreator(QStringLiteral("Plomix"));
  writer.setResolution(o.dpi);
  writer.setPageLayout(QPageLayout(QPageSize(QSizeF(sheet->PaperWidth / 1000.0, sheet->PaperHeight / 1000.0),
                                             QPageSize::Millimeter),
                                   QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter painter(&writer);

  TSheetLayout layout;
  layout.Sheet = *sheet;
  layout.Start = o.start;
  layout.Offset = {o.offsetX, o.offsetY};
  layout.DpiX = layout.DpiY = o.dpi;
  // The module asked for is the one the symbol has on screen, at the screen's resolution.
  if (const QScreen *screen = QGuiApplication::primaryScreen()) {
    layout.ScreenDpiX = qRound(screen->logicalDotsPerInchX());
    layout.ScreenDpiY = qRound(screen->logicalDotsPerInchY());
  }

  Renderer renderer(o);
  TSnapSource source;
  bool firstDrawn = false;
  int status = kDrawn;
  TSheetCallbacks callbacks;
  callbacks.Load = [&](std::int64_t item) -> const TSnapSource * {
    Job job;
    if (input) {
      const BatchLine line = input->Record(static_cast<std::size_t>(item));
      job = Job{line.code, line.up, line.down, {}, line.line, input->Utf8() ? "UTF-8" : "Shift-JIS"};
      if (!line.error.isEmpty()) {
        PrintError(QStringLiteral("line %1: %2").arg(line.line).arg(line.error));
        status = kNotDrawn;
        return nullptr;
      }
    } else if (item == 0) {
      job = Job{o.code, o.up, o.down, {}};
    } else {
      return firstDrawn ? &source : nullptr;  // every copy is the first one
    }
    const Drawn drawn = renderer.Draw(job);
    if (drawn.outcome.status != kDrawn) {
      PrintError(job.line > 0 ? QStringLiteral("line %1: %2").arg(job.line).arg(drawn.outcome.message)
                              : drawn.outcome.message);
      status = kNotDrawn;
      return nullptr;
    }
    source = SnapSourceOf(renderer.Symbol());
    firstDrawn = true;
    return &source;
  };
  callbacks.NewPage = [&] { return writer.newPage(); };
  const TSheetRun run = PaintSheets(painter, layout, items, callbacks);
  painter.end();
  if (run.Labels == 0) {
    PrintError(QStringLiteral("no symbol could be drawn: nothing written"));
    return kNotDrawn;
  }
  if (run.Clipped > 0)
    PrintError(QStringLiteral("%1 symbol(s) larger than the label even at one dot a module: cut at its edge")
                   .arg(run.Clipped));
  else if (run.Shrunk > 0)
    PrintError(QStringLiteral("%1 symbol(s) shrunk to fit the label").arg(run.Shrunk));
  const QByteArray &bytes = pdf.data();
  if (!WriteFileAtomicallyByName(EncodeArgument(o.output),
                                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &error,
                                 {.flush = true, .createFolders = true})) {
    PrintError(QStringLiteral("cannot write \"%1\": %2").arg(o.output, error));
    return kNotWritten;
  }
  return status;
}

}  // namespace plomix::cli
