#include "Symbol/Metafile.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRectF>

namespace plomix {

void TMetafile::AddFillRect(const QRect &rect, const QColor &color) {
  if (rect.isEmpty()) return;
  MetafileRecord r;
  r.kind = MetafileRecord::Kind::FillRect;
  r.rect = rect;
  r.color = color;
  FRecords.push_back(std::move(r));
}

void TMetafile::AddLine(QPoint from, QPoint to, const QColor &color) {
  MetafileRecord r;
  r.kind = MetafileRecord::Kind::Line;
  r.from = from;
  r.to = to;
  r.color = color;
  FRecords.push_back(std::move(r));
}

void TMetafile::AddText(QPoint topLeft, const QString &text, const QFont &font, const QColor &color) {
  if (text.isEmpty()) return;
  MetafileRecord r;
  r.kind = MetafileRecord::Kind::Text;
  r.origin = topLeft;
  r.text = text;
  r.font = font;
  r.color = color;
  FRecords.push_back(std::move(r));
}

void TMetafile::Replay(QPainter &painter) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const MetafileRecord &r : FRecords) {
    switch (r.kind) {
      case MetafileRecord::Kind::FillRect:
        painter.fillRect(r.rect, r.color);
        break;
      case MetafileRecord::Kind::Line: {
        // A one-pixel line without its end point: the pixels between the two points.
        const int x0 = std::min(r.from.x(), r.to.x()), x1 = std::max(r.from.x(), r.to.x());
        const int y0 = std::min(r.from.y(), r.to.y()), y1 = std::max(r.from.y(), r.to.y());
        if (x0 == x1 && y0 != y1)
          painter.fillRect(QRect(x0, y0, 1, y1 - y0), r.color);
        else if (y0 == y1 && x0 != x1)
          painter.fillRect(QRect(x0, y0, x1 - x0, 1), r.color);
        else if (x0 != x1 || y0 != y1) {
          painter.setPen(QPen(r.color, 0));
          painter.drawLine(r.from, r.to);
        }
        break;
      }
      case MetafileRecord::Kind::Text: {
        painter.setFont(*r.font);
        painter.setPen(r.color);
        const QFontMetrics metrics(*r.font, painter.device());
        painter.drawText(QPoint(r.origin.x(), r.origin.y() + metrics.ascent()), r.text);
        break;
      }
    }
  }
  painter.restore();
}

void TMetafile::Replay(QPainter &painter, const QRectF &target) const {
  if (FSize.isEmpty()) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / FSize.width(), target.height() / FSize.height());
  Replay(painter);
  painter.restore();
}

}  // namespace plomix
