#include "BarSize/SizeReportPrint.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextLayout>
#include <algorithm>

#include "Common/UiText.h"
#include "Common/AtomicFile.h"

namespace plomix {
namespace {

void SetError(QString *error, const QString &text) {
  if (error) *error = text;
}

// Draws the report on `device`, starting a new page where the area is full.
bool DrawReport(QPagedPaintDevice &device, const PrinterInfo &info, bool fullPage,
                const QString &text, const QString &name, QString *error) {
  QPainter painter;
  if (!painter.begin(&device)) {
    SetError(error, Text("印刷を開始出来ません。(%1)").arg(name));
    return false;
  }
  // The area counts from the printable area's corner, where a painter starts unless the
  // printer was set to the whole sheet.
  if (fullPage) painter.translate(info.OffsetLeft, info.OffsetTop);
  QFont font = painter.font();
  font.setPointSize(12);
  painter.setFont(font);
  const QFontMetrics metrics(painter.font(), &device);
  const QRect area = SizeReportArea(info);
  int y = area.top();
  for (const QString &line : WrapReportLines(text, painter.font(), &device, area.width())) {
    if (y > area.top() && y + metrics.height() > area.bottom() + 1) {
      if (!device.newPage()) {
        painter.end();
        SetError(error, Text("次のページを始められません。(%1)").arg(name));
        return false;
      }
      y = area.top();
    }
    painter.drawText(area.left(), y + metrics.ascent(), line);
    y += metrics.lineSpacing();  // height and external leading
  }
  if (!painter.end()) {
    SetError(error, Text("印刷に失敗しました。(%1)").arg(name));
    return false;
  }
  return true;
}

}  // namespace

QRect SizeReportArea(const PrinterInfo &info) {
  const int left = info.PaperWidth / 16;
  const int top = info.PaperHeight / 16;
  const int right = std::min(info.PaperWidth, info.PrintableWidth);
  const int bottom = std::min(info.PaperHeight, info.PrintableHeight);
  return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
}

QStringList WrapReportLines(const QString &text, const QFont &font, QPaintDevice *device, int width) {
  QStringList lines;
  for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
    QTextLayout layout(paragraph, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines << paragraph.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
  }
  return lines;
}

bool PrintSizeReport(QPrinter &printer, const QString &text, QString *error) {
  PrinterInfo info;
  GetPrinterInfo(printer, info);
  const QString body = QString(text).remove(QLatin1Char('\r'));
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    const QString path = printer.outputFileName();
    if (path.isEmpty()) {
      SetError(error, Text("PDFファイルの名前が指定されていません。印刷設定で指定して下さい。"));
      return false;
    }
    // The file is made in memory with the printer's page and resolution and then written
    // in one step, so a failed write leaves any earlier file as it was.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
      QPdfWriter writer(&buffer);
      writer.setResolution(printer.resolution());
      writer.setPageLayout(printer.pageLayout());
      writer.setTitle(printer.docName());
      writer.setCreator(printer.creator());
      if (!DrawReport(writer, info, printer.fullPage(), body, path, error)) return false;
    }
    QString reason;
    if (!WriteFileAtomically(path, std::string_view(buffer.data().constData(), buffer.data().size()), &reason)) {
      SetError(error, Text("PDFファイル「%1」を書き込めません。\n%2").arg(path, reason));
      return false;
    }
    return true;
  }
  const QString name = printer.printerName();
  if (QPrinterInfo::printerInfo(name).isNull()) {
    SetError(error, Text("プリンタ「%1」が見つかりません。印刷設定でプリンタを選んで下さい。").arg(name));
    return false;
  }
  if (!DrawReport(printer, info, printer.fullPage(), body, name, error)) return false;
  if (printer.printerState() == QPrinter::Error) {
    SetError(error, Text("印刷に失敗しました。(%1)").arg(name));
    return false;
  }
  return true;
}

}  // namespace plomix
