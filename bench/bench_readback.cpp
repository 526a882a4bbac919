// The status line's read-back verdict against the drawing it follows: each window
// drawing of a symbol (the peer) and the same drawing with its verdict, for the
// symbologies zxing-cpp reads, the element check and the customer barcode's shapes.
// The verdict's own cost is the difference; read_back_ratio is verdict time over
// drawing time.
#include <benchmark/benchmark.h>

#include <chrono>

#include "ReadBack/ReadBack.h"
#include "Symbol/Picture.h"
#include "Symbol/SymbolDefaults.h"
#include "Symbol/TBarSymbol.h"

namespace {

using namespace plomix;

struct Case {
  TBarTypes type;
  const char *code;
  TPictures picture;
};

const Case kCases[] = {
    {cbarCODE39, "PLOMIX-24", picBMP},  {cbarJAN, "490123456789", picBMP},    {cbarNW7, "123456", picBMP},
    {cbarMATRIX, "12345678", picBMP},   {cbarCUSTOMER, "1234567-8", picBMP},  {cbarCODE39, "PLOMIX-24", picEMF},
};

void Prepare(TBarSymbol &bar, const Case &c) {
  ApplySymbolDesignDefaults(bar);
  bar.SetBarEnabled(false);
  bar.SetBarType(c.type);
  bar.SetBarPicture(c.picture);
  bar.SetCode(c.code);
  bar.SetBarEnabled(true);
}

// Draws, and with `verdict` reads back, as the window does after every drawing; the
// reading is timed on its own so the ratio needs no second run.
void BM_DrawingWithVerdict(benchmark::State &state) {
  const Case &c = kCases[state.range(0)];
  TBarSymbol bar;
  Prepare(bar, c);
  state.SetLabel(std::string(c.code) + (c.picture == picBMP ? " bmp" : " emf"));
  double drawing = 0, reading = 0;
  bool ok = true;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    bar.RedrawBar();
    const auto t1 = std::chrono::steady_clock::now();
    const auto result = readback::ReadBackSymbol(PictureToImage(bar.Picture()), c.picture == picBMP, bar);
    const auto t2 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(result.ok);
    ok = ok && result.ok;
    drawing += std::chrono::duration<double>(t1 - t0).count();
    reading += std::chrono::duration<double>(t2 - t1).count();
  }
  if (!ok) state.SkipWithError("a symbol did not read back");
  const double n = static_cast<double>(state.iterations());
  state.counters["drawing_us"] = drawing / n * 1e6;
  state.counters["read_back_us"] = reading / n * 1e6;
  state.counters["read_back_ratio"] = drawing > 0 ? reading / drawing : 0;
}
BENCHMARK(BM_DrawingWithVerdict)->DenseRange(0, std::size(kCases) - 1)->Unit(benchmark::kMicrosecond);

}  // namespace
