// Writing the picture files of a Code 39 symbol with comments at scale 2: our 32-bit
// bitmap and JPEG encoders beside Qt's image writers of the same image, and our EMF
// file beside libzint's EMF file of the same data (both written to /tmp).
#include <QBuffer>
#include <QDir>
#include <benchmark/benchmark.h>
#include <zint.h>

#include "PictureFiles/BmpWriter.h"
#include "PictureFiles/EmfWriter.h"
#include "PictureFiles/JpegWriter.h"
#include "PictureFiles/PictureFiles.h"
#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"

namespace {

const std::string kData = "PLOMIX-CODE39-BENCH1";

std::unique_ptr<plomix::TBarImage> Symbol(plomix::TPictures picture) {
  auto bar = std::make_unique<plomix::TBarImage>();
  plomix::ApplySymbolDesignDefaults(*bar);
  bar->SetBarEnabled(false);
  bar->SetBarType(plomix::cbarCODE39);
  bar->SetScale(2);
  bar->SetBarPicture(picture);
  bar->SetCommentUp("UPPER");
  bar->SetCommentDown("LOWER");
  bar->SetCode(kData);
  bar->SetBarEnabled(true);
  return bar;
}

void PlomixBmp32(benchmark::State &state) {
  const auto bar = Symbol(plomix::picBMP);
  const QImage image = *bar->Picture().BitmapOrNull();
  for (auto _ : state) benchmark::DoNotOptimize(plomix::EncodeBmp32(image));
  state.counters["pixels"] = image.width() * image.height();
}

// The peer: Qt's own image writer into memory.
QByteArray EncodeWithQt(const QImage &image, const char *format, int quality = -1) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return bytes;
}

void QtBmp(benchmark::State &state) {
  const auto bar = Symbol(plomix::picBMP);
  const QImage image = *bar->Picture().BitmapOrNull();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeWithQt(image, "BMP"));  // 24 bits per pixel
  state.counters["pixels"] = image.width() * image.height();
}

void PlomixJpeg(benchmark::State &state) {
  const auto bar = Symbol(plomix::picBMP);
  const QImage image = *bar->Picture().BitmapOrNull();
  std::string out;
  for (auto _ : state) {
    plomix::EncodeJpeg(image, out, nullptr);
    benchmark::DoNotOptimize(out);
  }
}

void QtJpeg(benchmark::State &state) {
  const auto bar = Symbol(plomix::picBMP);
  const QImage image = *bar->Picture().BitmapOrNull();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeWithQt(image, "JPG", 90));
}

void PlomixEmfFile(benchmark::State &state) {
  const auto bar = Symbol(plomix::picEMF);
  const QString path = QDir::temp().filePath(QStringLiteral("plomix-bench.emf"));
  for (auto _ : state)
    if (!plomix::SavePictureAs(bar->Picture(), plomix::picEMF, path, nullptr)) state.SkipWithError("not written");
}

// The EMF bytes alone, without the file: how much of the file time is the encoding.
void PlomixEmfBytes(benchmark::State &state) {
  const auto bar = Symbol(plomix::picEMF);
  const plomix::TReferenceDevice device = plomix::ScreenReferenceDevice();
  for (auto _ : state)
    benchmark::DoNotOptimize(plomix::EncodeEnhancedMetafile(*bar->Picture().MetafileOrNull(), device));
}

void ZintEmfFile(benchmark::State &state) {
  zint_symbol *symbol = ZBarcode_Create();
  const std::string path = QDir::temp().filePath(QStringLiteral("zint-bench.emf")).toStdString();
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    symbol->symbology = BARCODE_CODE39;
    symbol->option_2 = 1;
    symbol->scale = 1.0f;
    symbol->height = 50.0f;
    std::snprintf(symbol->outfile, sizeof symbol->outfile, "%s", path.c_str());
    const int rc = ZBarcode_Encode_and_Print(
        symbol, reinterpret_cast<const unsigned char *>(kData.data()), static_cast<int>(kData.size()), 0);
    if (rc >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
  }
  ZBarcode_Delete(symbol);
}

BENCHMARK(PlomixBmp32);
BENCHMARK(QtBmp);
BENCHMARK(PlomixJpeg);
BENCHMARK(QtJpeg);
BENCHMARK(PlomixEmfFile);
BENCHMARK(PlomixEmfBytes);
BENCHMARK(ZintEmfFile);

}  // namespace
