// Encode and draw beside libzint's encode-and-rasterise (ZBarcode_Encode_and_Buffer) of
// the same data at a similar bitmap size: Code 128 from start B, EAN-13 and the customer
// barcode, each with its human-readable text and without. Read the pairs as ratios.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <string>

#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"

namespace {

struct Case {
  plomix::TBarTypes type;
  char startChar;
  std::string code;       // as TBarImage takes it
  int zintSymbology;
  std::string zintData;   // the same content for zint
  float zintHeight;       // modules: 50 at two pixels a module is our 100-pixel bar height
};

const Case kCode128{plomix::cbarCODE128, 'B', "ABC123456789DEFGHIJK", BARCODE_CODE128,
                    "ABC123456789DEFGHIJK", 50.0f};
const Case kEan13{plomix::cbarJAN, 'A', "490123456789", BARCODE_EANX, "490123456789", 50.0f};
// zint draws the postal code at its fixed height (8 modules, 16 pixels); ours is 12 pixels.
const Case kCustomer{plomix::cbarCUSTOMER, 'A', "1000013-3-2-1", BARCODE_JAPANPOST,
                     "1000013-3-2-1", 8.0f};

void Plomix(benchmark::State &state, const Case &c, bool withText) {
  plomix::TBarImage bar;
  plomix::ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(c.type);
  bar.SetStartChar(c.startChar);
  bar.SetScale(2);
  bar.SetSymbolDisp(withText);
  bar.SetCode(c.code);
  bar.SetBarEnabled(true);
  for (auto _ : state) {
    // Each code change encodes and draws the whole symbol.
    bar.SetCode(c.code);
    benchmark::DoNotOptimize(bar.Picture().BitmapOrNull());
  }
  state.counters["pixels"] = bar.Width() * bar.Height();
  if (!bar.BarDisped()) state.SkipWithError("not drawn");
}

void Zint(benchmark::State &state, const Case &c, bool withText) {
  zint_symbol *symbol = ZBarcode_Create();
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    symbol->symbology = c.zintSymbology;
    symbol->scale = 1.0f;          // two pixels a module, as Scale 2
    symbol->height = c.zintHeight;
    symbol->show_hrt = withText ? 1 : 0;
    symbol->whitespace_width = 5;  // 10-pixel quiet zones
    symbol->whitespace_height = 5; // and the 10-pixel margins above and below
    const int rc = ZBarcode_Encode_and_Buffer(
        symbol, reinterpret_cast<const unsigned char *>(c.zintData.data()),
        static_cast<int>(c.zintData.size()), 0);
    if (rc >= ZINT_ERROR) state.SkipWithError(symbol->errtxt);
    benchmark::DoNotOptimize(symbol->bitmap);
  }
  state.counters["pixels"] = symbol->bitmap_width * symbol->bitmap_height;
  ZBarcode_Delete(symbol);
}

BENCHMARK_CAPTURE(Plomix, Code128_text, kCode128, true);
BENCHMARK_CAPTURE(Zint, Code128_text, kCode128, true);
BENCHMARK_CAPTURE(Plomix, Code128_no_text, kCode128, false);
BENCHMARK_CAPTURE(Zint, Code128_no_text, kCode128, false);
BENCHMARK_CAPTURE(Plomix, EAN13_text, kEan13, true);
BENCHMARK_CAPTURE(Zint, EAN13_text, kEan13, true);
BENCHMARK_CAPTURE(Plomix, EAN13_no_text, kEan13, false);
BENCHMARK_CAPTURE(Zint, EAN13_no_text, kEan13, false);
BENCHMARK_CAPTURE(Plomix, Customer_text, kCustomer, true);
BENCHMARK_CAPTURE(Zint, Customer_text, kCustomer, true);
BENCHMARK_CAPTURE(Plomix, Customer_no_text, kCustomer, false);
BENCHMARK_CAPTURE(Zint, Customer_no_text, kCustomer, false);

}  // namespace
