#include "Preview/SheetPreview.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

#include "ReadBack/ReadBack.h"
#include "Symbol/TBarSymbol.h"

namespace plomix {
namespace {

QSize PageSizeDots(const TSheetLayout &layout) {
  return QSize(static_cast<int>(std::int64_t{layout.Sheet.PaperWidth} * layout.DpiX / 25400),
               static_cast<int>(std::int64_t{layout.Sheet.PaperHeight} * layout.DpiY / 25400));
}

void StartPage(QPainter &painter, const QRect &page, const TSheetLayout &layout, bool firstSheet) {
  painter.fillRect(page, Qt::white);
  PaintLabelOutlines(painter, layout, firstSheet);
}

// A red frame round a symbol that would not read, with a cross in its label's corner; a
// small green tick in the corner of one that reads.
void PaintMark(QPainter &painter, const TSheetMark &mark, const QRect &label) {
  const int size = std::max(8, std::min(label.width(), label.height()) / 8);
  const QRect corner(label.right() - size - 2, label.top() + 2, size, size);
  if (mark.Ok) {
    painter.setPen(QPen(QColor(0, 160, 0), std::max(1, size / 6)));
    painter.drawLine(corner.left(), corner.center().y(), corner.center().x(), corner.bottom());
    painter.drawLine(corner.center().x(), corner.bottom(), corner.right(), corner.top());
    return;
  }
  painter.setPen(QPen(QColor(255, 0, 0), std::max(2, size / 5)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(mark.Symbol.adjusted(-2, -2, 2, 2));
  painter.drawLine(corner.topLeft(), corner.bottomRight());
  painter.drawLine(corner.topRight(), corner.bottomLeft());
}

}  // namespace

int TSheetPicture::Unreadable() const {
  return static_cast<int>(std::count_if(Marks.begin(), Marks.end(), [](const TSheetMark &m) { return !m.Ok; }));
}

TSheetPicture RenderSheet(const TSheetLayout &layout, std::int64_t items, int sheet,
                          const std::function<const TSnapSource *(std::int64_t)> &load, const TBarSymbol &shown) {
  TSheetPicture out;
  out.Page = QImage(PageSizeDots(layout), QImage::Format_RGB32);
  if (out.Page.isNull()) return out;
  int current = 0;
  QPainter painter(&out.Page);
  StartPage(painter, out.Page.rect(), layout, sheet == 0);
  std::vector<QRect> labels;
  TSheetCallbacks callbacks;
  callbacks.Load = load;
  // The sheets before the one shown are painted and wiped: the fill order stays the print's.
  callbacks.NewPage = [&] {
    if (current == sheet) {
      out.More = true;
      return false;
    }
    ++current;
    StartPage(painter, out.Page.rect(), layout, false);
    return true;
  };
  callbacks.Placed = [&](const TPlacedLabel &placed) {
    if (placed.Slot.Sheet != sheet) return;
    TSheetMark mark;
    mark.Item = placed.Item;
    mark.Symbol = placed.Symbol & out.Page.rect();
    // Read from the page as it was painted: the dots the printer gets, not the screen's.
    const readback::ReadBackResult result = readback::ReadBackSymbol(
        out.Page.copy(mark.Symbol), true, shown, placed.Fitted.Drawing.Module.X);
    mark.Ok = result.ok;
    mark.Verdict = readback::ReadBackVerdict(result);
    out.Marks.push_back(mark);
    labels.push_back(placed.Label);
  };
  PaintSheets(painter, layout, items, callbacks);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (std::size_t i = 0; i < out.Marks.size(); ++i) PaintMark(painter, out.Marks[i], labels[i]);
  return out;
}

}  // namespace plomix
