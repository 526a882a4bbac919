#include "Preview/ShrunkReadBack.h"

#include <QImage>
#include <QPainter>

#include "ReadBack/ReadBack.h"

namespace plomix {

void TShrunkReadBack::Check(const TPlacedLabel &placed, const TBarSymbol &shown) {
  if (!placed.Fitted.Shrunk && !placed.Fitted.Clipped) return;
  if (placed.Label.isEmpty() || placed.Fitted.Drawing.Bars.empty()) return;
  // The label on white paper with the symbol where it went: a symbol larger than its
  // label loses what the label cuts off, as on the page.
  QImage label(placed.Label.size(), QImage::Format_RGB32);
  label.fill(Qt::white);
  const QPoint at = placed.Symbol.topLeft() - placed.Label.topLeft();
  {
    QPainter painter(&label);
    PaintDotDrawing(painter, placed.Fitted.Drawing, at);
  }
  const QRect symbol = QRect(at, placed.Fitted.Drawing.TurnedSize()) & label.rect();
  const readback::ReadBackResult result =
      readback::ReadBackSymbol(label.copy(symbol), true, shown, placed.Fitted.Drawing.Module.X);
  ++Checked;
  if (result.ok) return;
  if (Unreadable++ == 0) FirstVerdict = readback::ReadBackVerdict(result);
}

}  // namespace plomix
