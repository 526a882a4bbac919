#include "PrintTxt/PrintText.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "Common/ShiftJis.h"
#include "PrintTxt/TextRows.h"

namespace plomix {
namespace {

QString OutOfRange(const QString &name, int low, int high) {
  return QStringLiteral("%1は %2～%3 の範囲で指定してください。").arg(name).arg(low).arg(high);
}

}  // namespace

QString CheckPrintTextParams(const TPrintTextParams &p) {
  const auto in = [](int v, int low, int high) { return v >= low && v <= high; };
  if (!in(p.TabWidth, 0, kMaxTabWidth)) return OutOfRange(QStringLiteral("タブ幅"), 0, kMaxTabWidth);
  if (!in(p.LineNumberWidth, -kMaxLineNumberWidth, kMaxLineNumberWidth))
    return OutOfRange(QStringLiteral("行番号の桁数"), -kMaxLineNumberWidth, kMaxLineNumberWidth);
  if (!in(p.LeftMargin, 0, 255)) return OutOfRange(QStringLiteral("左余白"), 0, 255);
  if (!in(p.RightMargin, 0, 255)) return OutOfRange(QStringLiteral("右余白"), 0, 255);
  if (!in(p.TopMargin, 0, 255)) return OutOfRange(QStringLiteral("上余白"), 0, 255);
  if (!in(p.BottomMargin, 0, 255)) return OutOfRange(QStringLiteral("下余白"), 0, 255);
  if (!in(p.Columns, 1, 256)) return OutOfRange(QStringLiteral("段数"), 1, 256);
  if (!in(p.ColumnGap, 0, 1024)) return OutOfRange(QStringLiteral("段の間隔"), 0, 1024);
  if (!in(p.Copies, 1, 1000)) return OutOfRange(QStringLiteral("部数"), 1, 1000);
  return {};
}

TTextPrinter::TTextPrinter(const TPrintTextParams &params, QPrinter &printer)
    : params_(params),
      body_(params.BodyFont, &printer),
      header_(params.HeaderFont, &printer),
      title_(SjisToUnicode(FileNamePart(params.Title))) {
  // The date is taken once, so every page of the job shows the same.
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale = QLocale::system();
  date_ = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
          locale.toString(now.time(), QLocale::LongFormat);
  GetPrinterInfo(printer, info_);
  geometry_ = ComputeTextPage(
      info_, {params.LeftMargin, params.RightMargin, params.TopMargin, params.BottomMargin},
      params.Columns, params.ColumnGap);
  const TColumnRect layout{0, 0, geometry_.ColumnWidth, geometry_.ColumnHeight};
  index_ = BuildColumnIndex(body_, params.Text, layout, params.LineNumberWidth, params.TabWidth);
}

TTextPrinter::~TTextPrinter() = default;

int TTextPrinter::Pages() const {
  return (ColumnCount() + params_.Columns - 1) / params_.Columns;
}

int TTextPrinter::RowsPerColumn() const {
  const int height = body_.TextHeight();
  return height > 0 ? (geometry_.ColumnHeight + 1) / height : 0;
}

bool TTextPrinter::RenderPage(QPainter &painter, int firstColumn) {
  const int count = ColumnCount();
  if (firstColumn < 1 || firstColumn > count) return false;
  const int columns = params_.Columns;
  const int first = firstColumn - (firstColumn - 1) % columns;
  const int last = std::min(first + columns - 1, count);
  const int step = geometry_.ColumnWidth + params_.ColumnGap;

  painter.save();
  painter.setPen(params_.BodyColor);
  body_.SetPainter(&painter);
  TColumnRect rect = geometry_.FirstColumn;
  rect.Left += (firstColumn - first) * step;
  rect.Right += (firstColumn - first) * step;
  const std::string_view text = params_.Text;
  for (int c = firstColumn; c <= last; ++c) {
    const std::size_t begin = index_.ColumnStart[c - 1];
    LayoutColumn(body_, text.substr(begin, index_.ColumnStart[c] - begin), rect, false,
                 index_.ColumnFirstLine[c - 1], params_.LineNumberWidth, params_.TabWidth);
    rect.Left += step;
    rect.Right += step;
  }
  body_.SetPainter(nullptr);
  painter.restore();
  header_.SetPainter(&painter);
  DrawHeader(first, last);
  header_.SetPainter(nullptr);
  return true;
}

void TTextPrinter::DrawHeader(int firstOnPage, int lastOnPage) {
  const int flags = params_.HeaderFlags;
  if (!(flags & (hfTitle | hfDate | hfColumnNumber))) return;
  const TTextPageGeometry &g = geometry_;
  const int height = header_.TextHeight();
  const int top = (g.T - info_.OffsetTop - height) / 2;
  if ((flags & hfTitle) && top >= 0) header_.TextOut(g.L - info_.OffsetLeft, top, title_);
  if ((flags & hfDate) && top >= 0) {
    header_.TextOut(info_.PaperWidth - info_.OffsetLeft - g.R - header_.TextWidth(date_), top,
                    date_);
  }
  const int below = (g.B - info_.OffsetBottom - height) / 2;
  if ((flags & hfColumnNumber) && below >= 0) {
    const int y = info_.PaperHeight - info_.OffsetTop - g.B + below;
    int left = g.FirstColumn.Left;
    for (int n = firstOnPage; n <= lastOnPage; ++n) {
      const QString number = QStringLiteral("-%1-").arg(n);
      header_.TextOut(left + (g.ColumnWidth - header_.TextWidth(number)) / 2, y, number);
      left += g.ColumnWidth + params_.ColumnGap;
    }
  }
}

}  // namespace plomix
