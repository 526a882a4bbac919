#pragma once
// Quarter turns and the left-right mirror of the symbol's bitmap. The pixel format, the
// colour table and the resolution stay as they are.
#include <QImage>

namespace plomix {

// angle 90: a quarter turn clockwise (the top then faces right); 180; 270: a quarter
// turn counter-clockwise. Any other angle returns the bitmap unchanged.
QImage RotateBitmap(const QImage &source, int angle);

// Pixel (x, y) takes source pixel (width - 1 - x, y).
QImage MirrorBitmap(const QImage &source);

}  // namespace plomix
