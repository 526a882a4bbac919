// libzint as a peer encoder: its module rows for the symbologies the readers lack.
#include <zint.h>

#include <memory>

#include "tests/support/Oracles.h"

namespace plomix::test {

std::string ZintModules(int symbology, const std::string &data, int option2) {
  std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> symbol(ZBarcode_Create(), ZBarcode_Delete);
  symbol->symbology = symbology;
  symbol->option_2 = option2;
  symbol->input_mode = DATA_MODE;
  if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(data.data()),
                      static_cast<int>(data.size())) >= ZINT_ERROR)
    return {};
  // Run lengths of the first row, starting with a bar.
  std::string runs;
  int run = 0;
  bool previous = true;
  for (int x = 0; x < symbol->width; ++x) {
    const bool set = (symbol->encoded_data[0][x >> 3] >> (x & 7)) & 1;
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

}  // namespace plomix::test
