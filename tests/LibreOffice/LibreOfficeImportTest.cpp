// LibreOffice as the second reader of EMF and placeable WMF: it converts a sample of
// symbols to PNG in one start, and the ink (darker than mid-grey) must fall where the
// bitmap's does outside the text boxes. LibreOffice centres the picture on an A4 page,
// off the pixel grid, and smooths its edges; exported at 254 dpi (the page exactly
// 2100 x 2970 pixels) each picture pixel covers 2.65 page pixels, so the page pixel
// under its centre is covered whole and gives its colour back.
// Runs when LibreOffice is installed; it is too large for the default dependencies.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>

#include "PictureFiles/EmfWriter.h"
#include "PictureFiles/WmfWriter.h"
#include "tests/support/PlaybackSymbols.h"

namespace plomix::test {
namespace {

const TReferenceDevice kDevice{96, 96, QSize(800, 800)};

constexpr double kPagePixels = 254.0 / 96.0;  // page pixels per picture pixel

bool Ink(QRgb p) { return qGray(p) < 128; }

QRect InkBounds(const QImage &image) {
  const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
  QRect box;
  for (int y = 0; y < grey.height(); ++y) {
    const uchar *row = grey.constScanLine(y);
    for (int x = 0; x < grey.width(); ++x)
      if (row[x] < 128) box = box.united(QRect(x, y, 1, 1));
  }
  return box;
}

// The picture sampled from the page at the centre of each of its pixels, the picture
// placed at `origin` (page pixels).
QImage Sample(const QImage &page, const QSize &size, QPointF origin) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(Qt::white);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x) {
      const QPoint p(static_cast<int>(origin.x() + (x + 0.5) * kPagePixels),
                     static_cast<int>(origin.y() + (y + 0.5) * kPagePixels));
      if (page.rect().contains(p)) picture.setPixel(x, y, page.pixel(p));
    }
  return picture;
}

// Pixels outside the text boxes on which the picture and the bitmap agree, ink against no ink.
long Agreeing(const QImage &picture, const PlaybackSymbol &s) {
  long agreeing = 0;
  for (int y = 0; y < s.bitmap.height(); ++y)
    for (int x = 0; x < s.bitmap.width(); ++x) {
      const bool text = std::any_of(s.texts.begin(), s.texts.end(),
                                    [&](const auto &t) { return t.first.contains(x, y); });
      agreeing += !text && Ink(picture.pixel(x, y)) == Ink(s.bitmap.pixel(x, y));
    }
  return agreeing;
}

// The picture cut out of the page: the middle of the placements, in quarter pixels
// within a page pixel and a half of the one the ink's bounds suggest, whose ink agrees
// best with the bitmap's, found across and then down.
QImage CutOut(const QImage &page, const PlaybackSymbol &s) {
  const QRect pageInk = InkBounds(page), bitmapInk = InkBounds(s.bitmap);
  if (pageInk.isEmpty() || bitmapInk.isEmpty()) return {};
  QPointF origin = QPointF(pageInk.topLeft()) - QPointF(bitmapInk.topLeft()) * kPagePixels;
  const QSize size = s.bitmap.size() + QSize(1, 1);
  for (const QPointF step : {QPointF(0.25, 0), QPointF(0, 0.25)}) {
    std::vector<long> agreeing;
    for (int i = -6; i <= 6; ++i) agreeing.push_back(Agreeing(Sample(page, size, origin + step * i), s));
    const long most = *std::max_element(agreeing.begin(), agreeing.end());
    const auto first = std::find(agreeing.begin(), agreeing.end(), most);
    const auto last = std::find(std::make_reverse_iterator(agreeing.end()), std::make_reverse_iterator(agreeing.begin()), most);
    const long middle = ((first - agreeing.begin()) + (agreeing.rend() - last - 1)) / 2;
    origin += step * static_cast<double>(middle - 6);
  }
  return Sample(page, size, origin);
}

// The arguments that convert files to PNG pages of 2100 x 2970 pixels into `out`.
QStringList ConvertArguments(const QString &out) {
  return {QStringLiteral("-env:UserInstallation=file://") + QStringLiteral(PLOMIX_LIBREOFFICE_PROFILE),
          QStringLiteral("--headless"), QStringLiteral("--convert-to"),
          QStringLiteral("png:draw_png_Export:{\"PixelWidth\":{\"type\":\"long\",\"value\":\"2100\"},"
                         "\"PixelHeight\":{\"type\":\"long\",\"value\":\"2970\"}}"),
          QStringLiteral("--outdir"), out};
}

TEST(LibreOfficeImport, SampleMatchesTheBitmapInk) {
  const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed: its import was not checked";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // One symbol of each symbology, the looks and scales taken in turn, and a wide one
  // that shows a picture scaled by a fraction of a percent. Scale 1 is left out:
  // LibreOffice enlarges a picture narrower than about an inch as it places it.
  std::vector<PlaybackSymbol> sample, symbols;
  QStringList arguments = ConvertArguments(dir.filePath(QStringLiteral("out")));
  for (std::size_t i = 0; i < kPlaybackCodes.size(); ++i)
    sample.push_back(DrawPlaybackSymbol(kPlaybackCodes[i], kPlaybackLooks[i % kPlaybackLooks.size()],
                                        2 + static_cast<int>(i % 2)));
  sample.push_back(DrawPlaybackSymbol({"Code 39, wide", cbarCODE39, "PLOMIX-CODE-39"}, kPlaybackLooks[2], 3));
  for (PlaybackSymbol &s : sample) {
    ASSERT_FALSE(s.bitmap.isNull()) << s.name.toStdString();
    const QString stem = QStringLiteral("s%1").arg(symbols.size());
    ASSERT_TRUE(WriteBytes(dir.filePath(stem + "e.emf"), EncodeEnhancedMetafile(s.metafile, kDevice)));
    ASSERT_TRUE(WriteBytes(dir.filePath(stem + "w.wmf"), EncodeWindowsMetafile(s.metafile, kDevice)));
    arguments << dir.filePath(stem + "e.emf") << dir.filePath(stem + "w.wmf");
    symbols.push_back(std::move(s));
  }
  // The page is 794 pixels wide at 96 dpi; a wider picture would be shrunk onto it.
  ASSERT_LT(symbols.back().bitmap.width(), 790);
  ASSERT_GT(symbols.back().bitmap.width(), 600);
  QProcess office;
  office.setProcessChannelMode(QProcess::MergedChannels);
  office.start(soffice, arguments);
  ASSERT_TRUE(office.waitForFinished(10 * 60 * 1000)) << "LibreOffice did not finish";
  ASSERT_EQ(office.exitCode(), 0) << office.readAll().toStdString();

  int equal[2] = {};
  for (std::size_t i = 0; i < symbols.size(); ++i)
    for (int kind = 0; kind < 2; ++kind) {
      const QString name = QStringLiteral("out/s%1%2.png").arg(i).arg(kind == 0 ? "e" : "w");
      const QImage picture = CutOut(QImage(dir.filePath(name)), symbols[i]);
      const QString problem = ComparePlayback(symbols[i], picture, Match::Ink);
      if (problem.isEmpty()) ++equal[kind];
      if (!problem.isEmpty() && qEnvironmentVariableIsSet("PLOMIX_KEEP_RENDERINGS")) {
        picture.save(QStringLiteral("/tmp/lo-s%1-%2.png").arg(i).arg(kind));
        QFile::copy(dir.filePath(name), QStringLiteral("/tmp/lo-s%1-%2-page.png").arg(i).arg(kind));
        symbols[i].bitmap.save(QStringLiteral("/tmp/lo-s%1-bitmap.png").arg(i));
        QFile::copy(dir.filePath(QStringLiteral("s%1%2").arg(i).arg(kind == 0 ? "e.emf" : "w.wmf")),
                    QStringLiteral("/tmp/lo-s%1-%2.%3").arg(i).arg(kind).arg(kind == 0 ? "emf" : "wmf"));
      }
      EXPECT_TRUE(problem.isEmpty()) << (kind == 0 ? "EMF " : "WMF ") << symbols[i].name.toStdString()
                                     << ": " << problem.toStdString();
    }
  std::printf("LibreOffice import with the bitmap's ink: EMF %d/%zu, WMF %d/%zu symbols\n", equal[0],
              symbols.size(), equal[1], symbols.size());
}

// The golden files in tests/data, imported by LibreOffice, must put their ink where the
// symbol's bitmap has it: a golden file regenerated from a wrong writer fails here.
TEST(LibreOfficeImport, TheGoldenFilesShowTheSymbolsInk) {
  const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (soffice.isEmpty()) GTEST_SKIP() << "LibreOffice (soffice) is not installed: its import was not checked";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const PlaybackSymbol golden = GoldenPlaybackSymbol();
  ASSERT_FALSE(golden.bitmap.isNull());
  ASSERT_LT(golden.bitmap.width(), 790) << "wider than the page: LibreOffice would shrink it";
  // Different stems: each converted page is named after its file's stem.
  const QString emf = dir.filePath(QStringLiteral("golden-e.emf")), wmf = dir.filePath(QStringLiteral("golden-w.wmf"));
  ASSERT_TRUE(QFile::copy(GoldenEmfPath(), emf));
  ASSERT_TRUE(QFile::copy(GoldenWmfPath(), wmf));
  QProcess office;
  office.setProcessChannelMode(QProcess::MergedChannels);
  office.start(soffice, ConvertArguments(dir.filePath(QStringLiteral("out"))) << emf << wmf);
  ASSERT_TRUE(office.waitForFinished(10 * 60 * 1000)) << "LibreOffice did not finish";
  ASSERT_EQ(office.exitCode(), 0) << office.readAll().toStdString();
  for (const char *page : {"out/golden-e.png", "out/golden-w.png"}) {
    const QImage picture = CutOut(QImage(dir.filePath(QString::fromLatin1(page))), golden);
    const QString problem = ComparePlayback(golden, picture, Match::Ink);
    EXPECT_TRUE(problem.isEmpty()) << page << ": " << problem.toStdString();
  }
}

}  // namespace
}  // namespace plomix::test
