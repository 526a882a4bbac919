#include "PictureFiles/MetafileShapes.h"

#include <QFontInfo>
#include <QTextLayout>

namespace plomix {
namespace {

// A horizontal or vertical one-pixel line, end point excluded, as the rectangle it covers.
bool LineAsRect(const MetafileRecord &r, QRect &rect) {
  const int x0 = std::min(r.from.x(), r.to.x()), x1 = std::max(r.from.x(), r.to.x());
  const int y0 = std::min(r.from.y(), r.to.y()), y1 = std::max(r.from.y(), r.to.y());
  if (x0 == x1 && y0 != y1) rect = QRect(x0, y0, 1, y1 - y0);
  else if (y0 == y1 && x0 != x1) rect = QRect(x0, y0, x1 - x0, 1);
  else return false;
  return true;
}

}  // namespace

std::vector<MetafileShape> MetafileToShapes(const TMetafile &metafile) {
  std::vector<MetafileShape> shapes;
  for (const MetafileRecord &r : metafile.Records()) {
    MetafileShape shape;
    shape.color = r.color;
    switch (r.kind) {
      case MetafileRecord::Kind::FillRect:
        shape.kind = MetafileShape::Kind::Rect;
        shape.rect = r.rect;
        break;
      case MetafileRecord::Kind::Line:
        if (LineAsRect(r, shape.rect)) {
          // A column right of the previous rectangle, with its height and colour, widens it.
          if (!shapes.empty()) {
            MetafileShape &last = shapes.back();
            if (last.kind == MetafileShape::Kind::Rect && last.color == r.color &&
                shape.rect.width() == 1 && last.rect.top() == shape.rect.top() &&
                last.rect.height() == shape.rect.height() &&
                last.rect.right() + 1 == shape.rect.left()) {
              last.rect.setRight(shape.rect.right());
              continue;
            }
          }
          shape.kind = MetafileShape::Kind::Rect;
        } else if (r.from != r.to) {
          shape.kind = MetafileShape::Kind::Line;
          shape.from = r.from;
          shape.to = r.to;
        } else {
          continue;  // a line without length draws nothing
        }
        break;
      case MetafileRecord::Kind::Text:
        shape.kind = MetafileShape::Kind::Text;
        shape.origin = r.origin;
        shape.text = r.text;
        shape.font = *r.font;
        break;
    }
    shapes.push_back(std::move(shape));
  }
  return shapes;
}

std::vector<int> CharacterAdvances(const QString &text, const QFont &font) {
  // One layout of the whole text, as the drawing lays it out: each character stands where
  // the cursor before it stands. (Measuring every prefix apart would take time growing
  // with the square of the length.)
  QTextLayout layout(text, font);
  QTextOption option;
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  std::vector<int> advances;
  advances.reserve(static_cast<std::size_t>(text.size()));
  int previous = 0;
  for (qsizetype i = 0; i < text.size();) {
    // A surrogate pair is one character: its advance goes to the first unit, 0 to the second.
    const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
    const qsizetype next = i + (pair ? 2 : 1);
    const int total = line.isValid() ? qRound(line.cursorToX(static_cast<int>(next))) : previous;
    advances.push_back(total - previous);
    if (pair) advances.push_back(0);
    previous = total;
    i = next;
  }
  return advances;
}

int FontPixelHeight(const QFont &font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  return QFontInfo(font).pixelSize();
}

}  // namespace plomix
