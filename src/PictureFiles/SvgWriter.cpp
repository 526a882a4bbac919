#include "PictureFiles/SvgWriter.h"

#include <QFontMetrics>

#include "PictureFiles/MetafileShapes.h"

namespace plomix {
namespace {

QString Escaped(const QString &text) { return text.toHtmlEscaped(); }

QString Fill(const QColor &color) { return color.name(QColor::HexRgb); }

// The font's own name, then the fonts that stand in for it here (the Windows Japanese
// faces are drawn with IPA fonts), so that a reader without the first draws the text
// with the same face the picture was measured with.
QString FontFamilies(const QFont &font) {
  QStringList names;
  for (const QString &name : QStringList{font.family()} + QFont::substitutes(font.family()))
    names << QLatin1Char('\'') + QString(name).remove(QLatin1Char('\'')) + QLatin1Char('\'');
  return names.join(QStringLiteral(", "));
}

}  // namespace

std::string EncodeSvg(const TMetafile &metafile, QSize size) {
  QString out = QStringLiteral(
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%1\" height=\"%2\" "
                    "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
                    .arg(size.width())
                    .arg(size.height());
  for (const MetafileShape &shape : MetafileToShapes(metafile)) {
    switch (shape.kind) {
      case MetafileShape::Kind::Rect:
        out += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>\n")
                   .arg(shape.rect.x())
                   .arg(shape.rect.y())
                   .arg(shape.rect.width())
                   .arg(shape.rect.height())
                   .arg(Fill(shape.color));
        break;
      case MetafileShape::Kind::Line:
        out += QStringLiteral("<line x1=\"%1.5\" y1=\"%2.5\" x2=\"%3.5\" y2=\"%4.5\" stroke=\"%5\" stroke-width=\"1\"/>\n")
                   .arg(shape.from.x())
                   .arg(shape.from.y())
                   .arg(shape.to.x())
                   .arg(shape.to.y())
                   .arg(Fill(shape.color));
        break;
      case MetafileShape::Kind::Text: {
        // Each character where the drawing placed it, on the font's baseline.
        QStringList xs;
        int x = shape.origin.x();
        for (int advance : CharacterAdvances(shape.text, shape.font)) {
          xs << QString::number(x);
          x += advance;
        }
        const int baseline = shape.origin.y() + QFontMetrics(shape.font).ascent();
        out += QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"%3\" font-size=\"%4px\" "
                              "fill=\"%5\" xml:space=\"preserve\">%6</text>\n")
                   .arg(xs.join(QLatin1Char(' ')))
                   .arg(baseline)
                   .arg(Escaped(FontFamilies(shape.font)))
                   .arg(FontPixelHeight(shape.font))
                   .arg(Fill(shape.color))
                   .arg(Escaped(shape.text));
        break;
      }
    }
  }
  out += QStringLiteral("</svg>\n");
  const QByteArray bytes = out.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace plomix
