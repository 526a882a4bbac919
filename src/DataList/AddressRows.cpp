#include "DataList/AddressRows.h"

#include <algorithm>

#include "Address/CustomerData.h"
#include "Common/ShiftJis.h"
#include "DataList/DataGridModel.h"

namespace plomix {

TAddressRowsResult ConvertAddressRows(TDataGridModel &grid, int first, int last,
                                      const address::PostalDictionary *dictionary) {
  TAddressRowsResult result;
  first = std::max(first, 1);
  last = std::min(last, grid.RowCount() - 2);
  for (int row = first; row <= last; ++row) {
    const QByteArray comment = SjisToUnicode(grid.Cell(row, 2)).toUtf8();
    const address::CustomerData data = address::DeriveCustomerDataFromLine(
        std::string_view(comment.constData(), static_cast<std::size_t>(comment.size())), dictionary);
    if (!data.ok()) {
      result.Skipped << QString::fromUtf8("行 %1: %2").arg(row).arg(
          QString::fromStdString(address::ProblemText(data.problem)));
      continue;
    }
    grid.SetCell(row, 1, data.code);  // ASCII: the same bytes in Shift-JIS
    ++result.Converted;
  }
  return result;
}

}  // namespace plomix
