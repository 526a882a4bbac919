#include "Labels/SheetPainter.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace plomix {

QRect LabelInPainter(const TSheetLayout &layout, int index) {
  return LabelRectDots(layout.Sheet, index, layout.DpiX, layout.DpiY, layout.Offset).translated(layout.PaperOrigin);
}

TSheetRun PaintSheets(QPainter &painter, const TSheetLayout &layout, std::int64_t items,
                      const TSheetCallbacks &callbacks) {
  TSheetRun run;
  const TLabelFill fill(layout.Sheet.LabelsPerSheet(), layout.Start);
  for (std::int64_t item = 0; item < items; ++item) {
    const TSnapSource *source = callbacks.Load(item);
    if (source == nullptr) continue;
    const TLabelSlot slot = fill.SlotOf(run.Labels);
    if (slot.Sheet + 1 > run.Sheets) {
      if (run.Sheets > 0 && !callbacks.NewPage()) {
        run.Stopped = true;
        return run;
      }
      run.Sheets = slot.Sheet + 1;
    }
    TPlacedLabel placed;
    placed.Item = item;
    placed.Slot = slot;
    placed.Label = LabelInPainter(layout, slot.Label);
    const TModuleDots asked = ModuleDotsFor(source->Scale, layout.DpiX, layout.DpiY, layout.ScreenDpiX,
                                            layout.ScreenDpiY, layout.Percent);
    painter.save();
    painter.setClipRect(placed.Label);  // a symbol larger than its label stays in it
    if (layout.SnapToDots || !callbacks.PaintPicture) {
      placed.Fitted = FitDrawing(*source, asked, placed.Label.size());
      const QSize size = placed.Fitted.Drawing.TurnedSize();
      placed.Symbol = QRect(PlaceInLabel(placed.Label, size, layout.Across, layout.Down), size);
      PaintDotDrawing(painter, placed.Fitted.Drawing, placed.Symbol.topLeft());
    } else {
      // The picture's screen pixels times printer dpi × percent ÷ screen dpi ÷ 100.
      const bool quarter = source->Angle == 90 || source->Angle == 270;
      const QSize shown = quarter ? source->Picture.transposed() : source->Picture;
      const QSize size(static_cast<int>(std::int64_t{shown.width()} * layout.DpiX * layout.Percent /
                                        std::max(layout.ScreenDpiX, 1) / 100),
                       static_cast<int>(std::int64_t{shown.height()} * layout.DpiY * layout.Percent /
                                        std::max(layout.ScreenDpiY, 1) / 100));
      placed.Symbol = QRect(PlaceInLabel(placed.Label, size, layout.Across, layout.Down), size);
      placed.Fitted.Clipped = !placed.Label.contains(placed.Symbol);
      callbacks.PaintPicture(painter, placed.Symbol);
    }
    painter.restore();
    ++run.Labels;
    if (placed.Fitted.Shrunk) ++run.Shrunk;
    if (placed.Fitted.Clipped) ++run.Clipped;
    if (callbacks.Placed) callbacks.Placed(placed);
  }
  return run;
}

void PaintLabelOutlines(QPainter &painter, const TSheetLayout &layout, bool firstSheet) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(QColor(0x40, 0x80, 0xD0));
  pen.setCosmetic(true);
  painter.setPen(pen);
  for (int i = 0; i < layout.Sheet.LabelsPerSheet(); ++i) {
    const QRect label = LabelInPainter(layout, i);
    if (firstSheet && i < layout.Start - 1) painter.fillRect(label, QColor(0xE0, 0xE0, 0xE0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(label.adjusted(0, 0, -1, -1));
  }
  painter.restore();
}

void PaintCalibrationPage(QPainter &painter, const TSheetLayout &layout) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const int line = std::max(1, layout.DpiX / 300);  // a hair, visible on any printer
  auto mmX = [&](double mm) { return static_cast<int>(mm * layout.DpiX / 25.4 + 0.5); };
  auto mmY = [&](double mm) { return static_cast<int>(mm * layout.DpiY / 25.4 + 0.5); };
  for (int i = 0; i < layout.Sheet.LabelsPerSheet(); ++i) {
    const QRect label = LabelInPainter(layout, i);
    const QRect frame = label.adjusted(mmX(10), mmY(10), -mmX(10), -mmY(10));
    if (frame.width() <= 2 * line || frame.height() <= 2 * line) continue;
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), line), Qt::black);
    painter.fillRect(QRect(frame.left(), frame.bottom() - line + 1, frame.width(), line), Qt::black);
    painter.fillRect(QRect(frame.left(), frame.top(), line, frame.height()), Qt::black);
    painter.fillRect(QRect(frame.right() - line + 1, frame.top(), line, frame.height()), Qt::black);
  }
  // Rulers through the paper's middle, a tick every millimetre from the paper's edge
  // (plus the offsets), longer every 5 and 10 with the centimetres numbered.
  const QPoint origin = layout.PaperOrigin + QPoint(UmToDots(layout.Offset.X, layout.DpiX),
                                                    UmToDots(layout.Offset.Y, layout.DpiY));
  const int paperWidthMm = layout.Sheet.PaperWidth / kMicrometresPerMm;
  const int paperHeightMm = layout.Sheet.PaperHeight / kMicrometresPerMm;
  const int midY = origin.y() + mmY(paperHeightMm / 2.0), midX = origin.x() + mmX(paperWidthMm / 2.0);
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(mmY(2.5));
  painter.setFont(font);
  painter.setPen(Qt::black);
  for (int mm = 0; mm <= paperWidthMm; ++mm) {
    const int length = mmY(mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2);
    painter.fillRect(QRect(origin.x() + mmX(mm), midY - length, line, length), Qt::black);
    if (mm % 10 == 0 && mm > 0) painter.drawText(QPoint(origin.x() + mmX(mm) + line, midY - mmY(5.5)), QString::number(mm / 10));
  }
  for (int mm = 0; mm <= paperHeightMm; ++mm) {
    const int length = mmX(mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2);
    painter.fillRect(QRect(midX, origin.y() + mmY(mm), length, line), Qt::black);
    if (mm % 10 == 0 && mm > 0) painter.drawText(QPoint(midX + mmX(5.5), origin.y() + mmY(mm) + line), QString::number(mm / 10));
  }
  painter.restore();
}

}  // namespace plomix
