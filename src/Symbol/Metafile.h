#pragma once
// A symbol drawing recorded as a short list of primitives in logical pixels. It replays
// on any QPainter (widget, printer page, preview cell) and serialises to EMF and WMF.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

class QPainter;
class QRectF;

namespace plomix {

struct MetafileRecord {
  enum class Kind { FillRect, Line, Text };
  Kind kind = Kind::FillRect;
  QRect rect;        // FillRect: the filled pixels
  QPoint from, to;   // Line: one pixel wide, the end point not drawn
  QPoint origin;     // Text: top-left corner of the text cell
  QString text;      // Text: the characters
  std::optional<QFont> font;  // Text: face name and pixel height (none on other records:
                              // a default font costs a lock on the application's font)
  QColor color;      // fill, line or text colour
};

class TMetafile {
 public:
  // Logical size in pixels; the recorded primitives may extend past it.
  QSize Size() const { return FSize; }
  void SetSize(QSize size) { FSize = size; }
  int Width() const { return FSize.width(); }
  int Height() const { return FSize.height(); }

  const std::vector<MetafileRecord> &Records() const { return FRecords; }
  bool IsEmpty() const { return FRecords.empty() && FSize.isEmpty(); }

  void AddFillRect(const QRect &rect, const QColor &color);
  void AddLine(QPoint from, QPoint to, const QColor &color);
  void AddText(QPoint topLeft, const QString &text, const QFont &font, const QColor &color);

  // Replays at one logical pixel per device pixel, with the origin at the painter's (0, 0).
  void Replay(QPainter &painter) const;
  // Replays stretched so that the logical size fills `target`.
  void Replay(QPainter &painter, const QRectF &target) const;

  bool operator==(const TMetafile &) const = default;

 private:
  QSize FSize;
  std::vector<MetafileRecord> FRecords;
};

inline bool operator==(const MetafileRecord &a, const MetafileRecord &b) {
  return a.kind == b.kind && a.rect == b.rect && a.from == b.from && a.to == b.to &&
         a.origin == b.origin && a.text == b.text && a.font == b.font && a.color == b.color;
}

}  // namespace plomix
