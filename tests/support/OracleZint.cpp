// libzint as a peer encoder: its module rows for the symbologies the readers lack.
#include <zint.h>

#include <memory>

#include "tests/support/Oracles.h"

namespace plomix::test {
namespace {

using ZintSymbol = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

ZintSymbol Encode(int symbology, const std::string &data, int option2) {
  ZintSymbol symbol(ZBarcode_Create(), ZBarcode_Delete);
  symbol->symbology = symbology;
  symbol->option_2 = option2;
  symbol->input_mode = DATA_MODE;
  if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(data.data()),
                      static_cast<int>(data.size())) >= ZINT_ERROR)
    symbol.reset();
  return symbol;
}

bool ModuleSet(const zint_symbol &symbol, int row, int x) {
  return (symbol.encoded_data[row][x >> 3] >> (x & 7)) & 1;
}

}  // namespace

std::string ZintModules(int symbology, const std::string &data, int option2) {
  const ZintSymbol symbol = Encode(symbology, data, option2);
  if (!symbol) return {};
  // Run lengths of the first row, starting with a bar.
  std::string runs;
  int run = 0;
  bool previous = true;
  for (int x = 0; x < symbol->width; ++x) {
    const bool set = ModuleSet(*symbol, 0, x);
    if (set != previous && run > 0) {
      runs += static_cast<char>('0' + run);
      run = 0;
    }
    previous = set;
    ++run;
  }
  if (run > 0) runs += static_cast<char>('0' + run);
  return runs;
}

std::vector<std::string> ZintRows(int symbology, const std::string &data, int option2) {
  const ZintSymbol symbol = Encode(symbology, data, option2);
  if (!symbol) return {};
  std::vector<std::string> rows;
  for (int row = 0; row < symbol->rows; ++row) {
    std::string modules;
    for (int x = 0; x < symbol->width; ++x) modules += ModuleSet(*symbol, row, x) ? '1' : '0';
    rows.push_back(std::move(modules));
  }
  return rows;
}

}  // namespace plomix::test
