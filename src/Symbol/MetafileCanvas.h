#pragma once
// Records the drawing into a TMetafile, measuring text against the screen.
#include "Symbol/BarCanvas.h"
#include "Symbol/Metafile.h"

namespace plomix {

class TMetafileCanvas final : public TBarCanvas {
 public:
  explicit TMetafileCanvas(TMetafile &metafile) : FMetafile(metafile) {}

  QSize TextExtent(const QString &text, const TFont &font) override;
  void FillRect(const QRect &rect, const QColor &color) override;
  void VerticalLines(int x, int top, int count, int length, const QColor &color) override;
  void TextOut(QPoint topLeft, const QString &text, const TFont &font) override;

 private:
  TMetafile &FMetafile;
};

}  // namespace plomix
