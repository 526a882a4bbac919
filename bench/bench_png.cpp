// PNG files of a table of symbols: bytes and time per file of our writer against Qt's own
// PNG writer of the same pixels and libzint's PNG file of the same data. Ours in turn:
// "rows" (the default: palette and grey pictures wholly in run blocks of our own, see
// RasterFiles/RunBlocks.h; colour pictures with long runs of blank rows in blocks of our own
// and the rest through zlib at level 3, see RasterFiles/PngDeflate.h), for colour pictures
// the same copying shorter or only longer runs (rows_<least bytes copied>) and at other zlib
// levels (rows_level_<n>), then the whole rows through libdeflate and through zlib at
// several levels.
// Counters: bytes (the file's size), us_per_file (processor time).
#include <QBuffer>
#include <benchmark/benchmark.h>
#include <zint.h>

#include <cstdio>
#include <fstream>

#include "Common/Colors.h"
#include "PictureFiles/PngWriter.h"
#include "Symbol/Picture.h"
#include "Symbol/SymbolDefaults.h"
#include "Symbol/TBarSymbol.h"

namespace {

struct PngSymbol {
  const char *name;
  const char *code;
  bool text;
  plomix::TColor bar, back;
  int angle;
  int scale;
};

// The same symbols in both programs: Code 128, its text under it or not.
const PngSymbol kSymbols[] = {
    {"batch_line", "PLX-00001", true, plomix::clBlack, plomix::clWhite, 0, 2},  // bench/cli_batch.py's files
    {"code128_text", "PLOMIX-128-BENCH", true, plomix::clBlack, plomix::clWhite, 0, 2},
    {"coloured", "PLOMIX-128-BENCH", true, plomix::clBlue, 0x80FFFF, 0, 2},
    {"bars_only", "PLOMIX-128-BENCH", false, plomix::clBlack, plomix::clWhite, 0, 2},
    {"rotated_90", "PLOMIX-128-BENCH", true, plomix::clBlack, plomix::clWhite, 90, 2},
    {"scale_8", "PLOMIX-128-BENCH", true, plomix::clBlack, plomix::clWhite, 0, 8},
};

QImage SymbolImage(const PngSymbol &symbol) {
  plomix::TBarSymbol bar;
  plomix::ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(plomix::cbarCODE128);
  bar.SetScale(symbol.scale);
  bar.SetSymbolDisp(symbol.text);
  bar.SetBarColor(symbol.bar);
  bar.SetBackColor(symbol.back);
  bar.SetAngle(symbol.angle);
  bar.SetCode(symbol.code);
  bar.SetBarEnabled(true);
  return plomix::PictureToImage(bar.Picture());
}

void Ours(benchmark::State &state, const PngSymbol &symbol, plomix::PngCompression compression) {
  const QImage image = SymbolImage(symbol);
  std::string out;
  for (auto _ : state) {
    if (!plomix::EncodePng(image, out, nullptr, compression)) state.SkipWithError("not encoded");
    benchmark::DoNotOptimize(out);
  }
  state.counters["bytes"] = static_cast<double>(out.size());
  state.counters["us_per_file"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e-6,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The peer: Qt's PNG writer at its default settings, into memory.
void Qt(benchmark::State &state, const PngSymbol &symbol) {
  const QImage image = SymbolImage(symbol);
  QByteArray bytes;
  for (auto _ : state) {
    bytes.clear();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
  state.counters["us_per_file"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e-6,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The other peer: libzint drawing and writing its own PNG file of the same data (to /tmp,
// as zint writes files only); its file includes the drawing, ours does not.
void Zint(benchmark::State &state, const PngSymbol &symbol) {
  const std::string path = "/tmp/plomix-bench-zint.png";
  for (auto _ : state) {
    zint_symbol *z = ZBarcode_Create();
    z->symbology = BARCODE_CODE128;
    z->scale = static_cast<float>(symbol.scale) / 2.0F;
    z->show_hrt = symbol.text ? 1 : 0;
    std::snprintf(z->fgcolour, sizeof z->fgcolour, "%06X",
                  ((symbol.bar & 0xFF) << 16) | (symbol.bar & 0xFF00) | ((symbol.bar >> 16) & 0xFF));
    std::snprintf(z->bgcolour, sizeof z->bgcolour, "%06X",
                  ((symbol.back & 0xFF) << 16) | (symbol.back & 0xFF00) | ((symbol.back >> 16) & 0xFF));
    std::snprintf(z->outfile, sizeof z->outfile, "%s", path.c_str());
    if (ZBarcode_Encode_and_Print(z, reinterpret_cast<const unsigned char *>(symbol.code), 0, symbol.angle) >= ZINT_ERROR)
      state.SkipWithError(z->errtxt);
    ZBarcode_Delete(z);
  }
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  state.counters["bytes"] = static_cast<double>(file.tellg());
  state.counters["us_per_file"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1e-6,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const bool kRegistered = [] {
  using plomix::PngCompression;
  for (const PngSymbol &symbol : kSymbols) {
    const std::string name = symbol.name;
    benchmark::RegisterBenchmark(("Png/" + name + "/rows").c_str(), Ours, symbol, PngCompression{});
    for (std::size_t least : {std::size_t{1024}, std::size_t{16384}})
      benchmark::RegisterBenchmark(("Png/" + name + "/rows_" + std::to_string(least)).c_str(), Ours, symbol,
                                   PngCompression{PngCompression::RowCopies, 3, least});
    for (int level : {1, 6})
      benchmark::RegisterBenchmark(("Png/" + name + "/rows_level_" + std::to_string(level)).c_str(), Ours, symbol,
                                   PngCompression{PngCompression::RowCopies, level});
    for (int level : {1, 6, 9, 12})
      benchmark::RegisterBenchmark(("Png/" + name + "/libdeflate_" + std::to_string(level)).c_str(), Ours, symbol,
                                   PngCompression{PngCompression::LibDeflate, level});
    for (int level : {1, 6, 9})
      benchmark::RegisterBenchmark(("Png/" + name + "/zlib_" + std::to_string(level)).c_str(), Ours, symbol,
                                   PngCompression{PngCompression::Zlib, level});
    benchmark::RegisterBenchmark(("Png/" + name + "/qt").c_str(), Qt, symbol);
    benchmark::RegisterBenchmark(("Png/" + name + "/zint").c_str(), Zint, symbol);
  }
  return true;
}();

}  // namespace
