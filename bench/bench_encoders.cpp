// Encode and draw, side by side with libzint's ZBarcode_Encode_and_Buffer for the same
// data and a bitmap of about the same size: Code 128, EAN-13 and the customer barcode,
// each with the human-readable text and without. Compare the pairs as ratios.
#include <benchmark/benchmark.h>
#include <zint.h>

#include <memory>
#include <string>

#include "BarImage/TBarImage.h"

namespace {

using plomix::TBarImage;
using plomix::TBarTypes;

struct Case {
  TBarTypes type;
  char startChar;
  std::string code;     // as TBarImage takes it
  int zintSymbology;
  std::string zintData; // the same content for zint
  float zintHeight;     // in modules, to match our bar height
  float zintScale;      // zint's raster X-dimension is 2 pixels per scale unit
};

const Case kCode128{plomix::cbarCODE128, 'B', "ABC123456789DEFGHIJK", BARCODE_CODE128,
                    "ABC123456789DEFGHIJK", 100.0f, 0.5f};
const Case kEan13{plomix::cbarJAN, 'A', "490123456789", BARCODE_EANX, "490123456789",
                  100.0f, 0.5f};
const Case kCustomer{plomix::cbarCUSTOMER, 'A', "1000013-3-2-1", BARCODE_JAPANPOST,
                     "1000013-3-2-1", 8.0f, 1.0f};

void Plomix(benchmark::State &state, const Case &c, bool text) {
  TBarImage bar;
  bar.SetBarEnabled(false);
  bar.SetMatch(true);
  bar.SetBarType(c.type);
  bar.SetStartChar(c.startChar);
  bar.SetScale(c.type == plomix::cbarCUSTOMER ? 2 : 1);
  bar.SetSymbolDisp(text);
  bar.SetBarEnabled(true);
  for (auto _ : state) {
    // Each code change encodes and draws the whole symbol.
    bar.SetCode(c.code);
    benchmark::DoNotOptimize(bar.Picture().Bitmap().constBits());
  }
  if (!bar.BarDisped()) state.SkipWithError("not drawn");
  state.counters["width"] = bar.width();
  state.counters["height"] = bar.height();
}

void Zint(benchmark::State &state, const Case &c, bool text) {
  int width = 0, height = 0;
  for (auto _ : state) {
    std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> symbol(ZBarcode_Create(),
                                                                     ZBarcode_Delete);
    symbol->symbology = c.zintSymbology;
    symbol->height = c.zintHeight;
    symbol->scale = c.zintScale;
    symbol->whitespace_width = 10;
    symbol->show_hrt = text ? 1 : 0;
    if (ZBarcode_Encode_and_Buffer(symbol.get(),
                                   reinterpret_cast<const unsigned char *>(c.zintData.data()),
                                   static_cast<int>(c.zintData.size()), 0) >= ZINT_ERROR) {
      state.SkipWithError(symbol->errtxt);
      break;
    }
    benchmark::DoNotOptimize(symbol->bitmap);
    width = symbol->bitmap_width;
    height = symbol->bitmap_height;
  }
  state.counters["width"] = width;
  state.counters["height"] = height;
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
