#pragma once
// The validation of the data list's barcode column: no empty barcode string and no two
// equal ones (compared byte for byte). Only the first problem is reported, the one met
// first when each record R from the last down to the second is compared with every
// record above it, nearest first.
#include <functional>
#include <string_view>

namespace plomix {

struct TCheckResult {
  int First = 0;   // (0, 0): valid
  int Second = 0;  // First == Second != 0: that row's barcode string is empty;
                   // First < Second: the two rows hold the same barcode string
  bool operator==(const TCheckResult &) const = default;
};

// `code(r)` is the barcode string of record r, for r in 1..count. Linear time.
TCheckResult CheckData(int count, const std::function<std::string_view(int row)> &code);

}  // namespace plomix
