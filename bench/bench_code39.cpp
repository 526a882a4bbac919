// Encode and draw a 20-character Code 39 at scale 2, with and without its text, beside
// libzint's encode-and-rasterise of the same data at a similar bitmap size.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <cstring>

#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"

namespace {

const std::string kData = "PLOMIX-CODE39-BENCH1";

void PlomixCode39(benchmark::State &state, bool withText) {
  plomix::TBarImage bar;
  plomix::ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(plomix::cbarCODE39);
  bar.SetScale(2);
  bar.SetSymbolDisp(withText);
  bar.SetCode(kData);
  bar.SetBarEnabled(true);
  for (auto _ : state) {
    bar.SetCode(kData);
    benchmark::DoNotOptimize(bar.Picture().BitmapOrNull());
  }
  state.counters["pixels"] = bar.Width() * bar.Height();
  if (!bar.BarDisped()) state.SkipWithError("not drawn");
}

void ZintCode39(benchmark::State &state, bool withText) {
  zint_symbol *symbol = ZBarcode_Create();
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    symbol->symbology = BARCODE_CODE39;
    symbol->option_2 = 1;         // check character, as the program's default
    symbol->scale = 1.0f;         // two pixels a module
    symbol->height = 50.0f;       // 100 pixels of bars
    symbol->show_hrt = withText ? 1 : 0;
    symbol->whitespace_width = 5; // 10-pixel quiet zones
    const int rc = ZBarcode_Encode_and_Buffer(
        symbol, reinterpret_cast<const unsigned char *>(kData.data()), static_cast<int>(kData.size()), 0);
    if (rc >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
    benchmark::DoNotOptimize(symbol->bitmap);
  }
  state.counters["pixels"] = symbol->bitmap_width * symbol->bitmap_height;
  ZBarcode_Delete(symbol);
}

BENCHMARK_CAPTURE(PlomixCode39, with_text, true);
BENCHMARK_CAPTURE(ZintCode39, with_text, true);
BENCHMARK_CAPTURE(PlomixCode39, without_text, false);
BENCHMARK_CAPTURE(ZintCode39, without_text, false);

}  // namespace
