#include "tests/support/PdfPages.h"

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

namespace plomix::test {

namespace {

std::vector<QImage> Render(const QString &pdfPath, int dpi, const QRect &crop, bool crisp) {
  QImageReader::setAllocationLimit(0);  // a page at 600 dpi is larger than Qt's default cap
  QTemporaryDir dir;
  QProcess pdftoppm;
  QStringList arguments{QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png")};
  if (crisp) arguments << QStringLiteral("-aa") << QStringLiteral("no") << QStringLiteral("-aaVector") << QStringLiteral("no");
  if (!crop.isEmpty())
    arguments << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
              << QString::number(crop.y()) << QStringLiteral("-W") << QString::number(crop.width())
              << QStringLiteral("-H") << QString::number(crop.height());
  pdftoppm.start(QStringLiteral("pdftoppm"), arguments << pdfPath << dir.filePath(QStringLiteral("page")));
  if (!pdftoppm.waitForFinished(120000) || pdftoppm.exitCode() != 0) return {};
  std::vector<QImage> pages;
  const QStringList names = QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
  for (const QString &name : names)
    pages.push_back(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
  return pages;
}

}  // namespace

std::vector<QImage> RenderPdfPages(const QString &pdfPath, int dpi, const QRect &crop) {
  return Render(pdfPath, dpi, crop, false);
}

std::vector<QImage> RenderPdfPagesCrisp(const QString &pdfPath, int dpi) { return Render(pdfPath, dpi, {}, true); }

std::vector<int> DarkRuns(const QImage &image, int y, int left, int right) {
  if (right < 0) right = image.width();
  std::vector<int> runs;
  int run = 0;
  for (int x = left; x < right; ++x) {
    if (qRed(image.pixel(x, y)) < 128) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  if (run > 0) runs.push_back(run);
  return runs;
}

std::vector<QRect> SplitByWhiteColumns(const QImage &image, int y0, int y1, int gap) {
  std::vector<QRect> pieces;
  int start = -1, white = 0;
  for (int x = 0; x < image.width(); ++x) {
    bool dark = false;
    for (int y = y0; y <= y1 && !dark; ++y) dark = qRed(image.pixel(x, y)) < 128;
    if (dark) {
      if (start < 0) start = x;
      white = 0;
    } else if (start >= 0 && ++white >= gap) {
      pieces.emplace_back(QPoint(start, y0), QPoint(x - white, y1));
      start = -1;
    }
  }
  if (start >= 0) pieces.emplace_back(QPoint(start, y0), QPoint(image.width() - 1 - white, y1));
  return pieces;
}

}  // namespace plomix::test
