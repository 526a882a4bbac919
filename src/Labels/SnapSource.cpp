#include "Labels/SnapSource.h"

#include "Symbol/TBarSymbol.h"

namespace plomix {

TSnapSource &TSnapSource::operator=(const TSnapSource &other) {
  if (this == &other) return *this;
  Layout = other.Layout;
  Ink = other.Ink;
  Pattern = other.Pattern;
  Font = other.Font;
  Ink.pattern = &Pattern;
  Ink.font = &Font;
  Picture = other.Picture;
  Scale = other.Scale;
  Angle = other.Angle;
  Reverse = other.Reverse;
  Transparent = other.Transparent;
  return *this;
}

TSnapSource SnapSourceOf(const TBarSymbol &symbol) {
  TSnapSource source;
  source.Layout = symbol.Layout();
  source.Ink = symbol.Ink();
  source.Pattern = symbol.Pattern();
  source.Font = *symbol.BarFont();
  source.Ink.pattern = &source.Pattern;
  source.Ink.font = &source.Font;
  source.Ink.background = QRect();
  source.Scale = symbol.Scale();
  // Only a bitmap is turned and mirrored; a metafile is drawn upright.
  const bool bitmap = symbol.BarPicture() == picBMP;
  source.Angle = bitmap ? symbol.Angle() : 0;
  source.Reverse = bitmap && symbol.Reverse();
  source.Transparent = symbol.Transparent();
  const QSize shown(symbol.Width(), symbol.Height());
  source.Picture = source.Angle == 90 || source.Angle == 270 ? shown.transposed() : shown;
  return source;
}

}  // namespace plomix
