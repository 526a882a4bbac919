// The main window's label sheets: the settings dialog, their place in the environment
// file, and the normal and list prints onto a chosen sheet, after their preview.
#include <QPrinter>

#include "BarImage/TBarImage.h"
#include "Common/ShiftJis.h"
#include "Frame/TFrameForm.h"
#include "Labels/SnapSource.h"
#include "Param/TParameter.h"
#include "Print/LabelSheetJob.h"
#include "Print/PagePainter.h"
#include "Print/PrintSymbol.h"
#include "Print/SymbolRecords.h"
#include "Preview/ShrunkReadBack.h"
#include "Preview/TSheetPreviewForm.h"
#include "SheetForm/TLabelSheetForm.h"
#include "Common/UiText.h"

namespace plomix {
namespace {

std::string Key(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

constexpr const char *kSnapKey = "バーをプリンタのドットに合わせる";
constexpr const char *kSheetKey = "ラベル用紙";
constexpr const char *kStartKey = "ラベルの開始位置";
constexpr const char *kUserSheetsKey = "ユーザーのラベル用紙";
constexpr const char *kOffsetsKey = "プリンタの印刷位置の補正";

// A key the file may lack (written by an older Plomix): its value, or nothing.
std::optional<QString> Optional(const TParameter &p, const char *name) {
  try {
    return SjisToUnicode(p.ReadString(Key(name)));
  } catch (const std::exception &) {
    return std::nullopt;
  }
}

}  // namespace

void TFrameForm::RestoreLabelSettings(const TParameter &p) {
  TLabelSettings settings;
  if (const auto snap = Optional(p, kSnapKey)) settings.SnapToDots = *snap != QLatin1String("False");
  if (const auto users = Optional(p, kUserSheetsKey)) settings.UserSheets = DecodeUserSheets(*users);
  if (const auto offsets = Optional(p, kOffsetsKey)) settings.Offsets = DecodeOffsets(*offsets);
  if (const auto sheet = Optional(p, kSheetKey)) settings.Sheet = *sheet;
  if (!settings.ChosenSheet()) settings.Sheet.clear();  // a sheet no longer known: plain paper
  if (const auto start = Optional(p, kStartKey)) {
    const int k = start->toInt();
    const auto sheet = settings.ChosenSheet();
    settings.Start = sheet && k >= 1 && k <= sheet->LabelsPerSheet() ? k : 1;
  }
  FLabelSettings = settings;
}

void TFrameForm::WriteLabelSettings(TParameter &p) {
  p.WriteBool(Key(kSnapKey), FLabelSettings.SnapToDots);
  p.WriteString(Key(kSheetKey), UnicodeToSjis(FLabelSettings.Sheet));
  p.WriteInteger(Key(kStartKey), FLabelSettings.Start);
  p.WriteString(Key(kUserSheetsKey), UnicodeToSjis(EncodeUserSheets(FLabelSettings.UserSheets)));
  p.WriteString(Key(kOffsetsKey), UnicodeToSjis(EncodeOffsets(FLabelSettings.Offsets)));
}

void TFrameForm::LabelSheetButtonClick() {
  TLabelSheetForm form(FLabelSettings, Printer(), this);
  if (form.exec() == QDialog::Accepted) FLabelSettings = form.Settings();
}

void TFrameForm::PrintOnSheet(const TLabelSheet &sheet, bool records) {
  QPrinter &printer = Printer();
  UseSheetPaper(printer, sheet);
  TSheetLayout layout = SheetLayoutOn(printer, sheet);
  layout.Start = FLabelSettings.Start;
  layout.Offset = FLabelSettings.OffsetOf(printer.printerName());
  layout.ScreenDpiX = logicalDpiX();
  layout.ScreenDpiY = logicalDpiY();
  layout.Percent = PrintScale();
  layout.SnapToDots = FLabelSettings.SnapToDots;

  TSnapSource source;
  TPicture copy;  // the copies' picture as it was when printing began
  TSheetCallbacks callbacks;
  // The records are loaded into a symbol of the print's own, never the one on screen.
  TPrintSymbol symbol(*BarImage1);
  if (records) {
    callbacks.Load = [&](std::int64_t record) -> const TSnapSource * {
      if (!LoadRecordIntoSymbol(symbol, *FRecords, static_cast<int>(record)).Displayed) return nullptr;
      source = SnapSourceOf(symbol);
      return &source;
    };
    callbacks.PaintPicture = [&symbol](QPainter &painter, const QRect &cell) {
      StretchPicture(painter, symbol.Picture(), cell);
    };
  } else {
    source = SnapSourceOf(*BarImage1);
    copy = BarImage1->Picture();
    callbacks.Load = [&](std::int64_t) { return &source; };
    callbacks.PaintPicture = [&copy](QPainter &painter, const QRect &cell) { StretchPicture(painter, copy, cell); };
  }
  const std::int64_t items = records ? FRecords->Count() : PrintCopies();
  {
    // What will come out, read back symbol by symbol; the preview asks before printing
    // symbols that would not read.
    TSheetPreviewForm preview(layout, items, callbacks.Load, symbol, this);
    if (preview.exec() != QDialog::Accepted) {
      StatusRefresh();
      return;
    }
  }
  QString error;
  TSheetRun run;
  // Symbols shrunk or cut to fit are read back as printed; only those that would not read
  // are worth a warning.
  TShrunkReadBack shrunk;
  callbacks.Placed = [&](const TPlacedLabel &placed) { shrunk.Check(placed, symbol); };
  const bool printed = PrintLabelSheets(printer, layout, items, callbacks, &run, &error);
  StatusRefresh();
  if (printed && !layout.SnapToDots && run.Clipped > 0)
    ShowMessage(Text("ラベルより大きいため、%1個のバーコードが切れています。").arg(run.Clipped));
  else if (printed && shrunk.Unreadable > 0)
    ShowMessage(Text("ラベルに収まるよう縮小したバーコードのうち、%1個は読み取れません。\n%2")
                    .arg(shrunk.Unreadable)
                    .arg(shrunk.FirstVerdict));
  ReportPrint(printed, error);
}

}  // namespace plomix
