#pragma once
// The data list's conversion of addresses: for chosen rows whose upper comment holds
// "[〒]postal-code address", the barcode string becomes the customer barcode's data.
#include <QStringList>

namespace plomix {

class TDataGridModel;
namespace address {
class PostalDictionary;
}

struct TAddressRowsResult {
  int Converted = 0;
  QStringList Skipped;  // "行 N: why", one per row left as it was
};

// Converts grid rows first..last (record rows only; the entry row is left alone).
TAddressRowsResult ConvertAddressRows(TDataGridModel &grid, int first, int last,
                                      const address::PostalDictionary *dictionary);

}  // namespace plomix
