#pragma once
// The recorded drawing as the shapes a vector file holds: the one-pixel columns of a
// bar become one filled rectangle, so a reader draws each bar edge on a pixel border
// instead of stroking lines that straddle two pixel columns.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

#include "Symbol/Metafile.h"

namespace plomix {

struct MetafileShape {
  enum class Kind { Rect, Line, Text };
  Kind kind = Kind::Rect;
  QRect rect;       // Rect: the filled pixels
  QPoint from, to;  // Line: a slanted line (never produced by the symbol drawing)
  QPoint origin;    // Text: top-left of the text cell
  QString text;
  QFont font;
  QColor color;
};

std::vector<MetafileShape> MetafileToShapes(const TMetafile &metafile);

// The advance of each UTF-16 unit of `text` in `font`, measured on the screen as the
// drawing measured it, so other programs place the characters where we did.
std::vector<int> CharacterAdvances(const QString &text, const QFont &font);

// The font's character height in pixels (the em size a LOGFONT gives as a negative height).
int FontPixelHeight(const QFont &font);

}  // namespace plomix
