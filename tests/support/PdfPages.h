#pragma once
// Printed PDF files read back as a viewer shows them: poppler's pdftoppm turns each page
// into a PNG at a given resolution.
#include <QImage>
#include <QString>
#include <vector>

namespace plomix::test {

// Every page of the PDF at `dpi`, or only the area `crop` (pixels at that resolution) of
// each; empty when pdftoppm fails.
std::vector<QImage> RenderPdfPages(const QString &pdfPath, int dpi, const QRect &crop = {});
// Every page at `dpi` with no smoothing of edges (pdftoppm -aa no -aaVector no): each
// printer dot a whole pixel, as a printer at that resolution puts it on paper.
std::vector<QImage> RenderPdfPagesCrisp(const QString &pdfPath, int dpi);

// The dark runs (red below 128) along row `y` of `image` from `left` to `right`:
// their lengths, left to right.
std::vector<int> DarkRuns(const QImage &image, int y, int left = 0, int right = -1);

// Pieces of the band of rows y0..y1 separated by white columns at least `gap` wide:
// each piece one symbol when symbols stand side by side with their margins.
std::vector<QRect> SplitByWhiteColumns(const QImage &image, int y0, int y1, int gap);

}  // namespace plomix::test
