#pragma once
// Which label each printed symbol takes: labels are filled row by row, left to right,
// sheet after sheet, the first sheet from label `start` (from 1) so that a partly used
// sheet is used up.
#include <cstdint>

namespace plomix {

struct TLabelSlot {
  int Sheet = 0;  // from 0
  int Label = 0;  // from 0, row by row on its sheet
  bool operator==(const TLabelSlot &) const = default;
};

class TLabelFill {
 public:
  // `start` is held within 1..labelsPerSheet.
  TLabelFill(int labelsPerSheet, int start);

  int LabelsPerSheet() const { return FPerSheet; }
  int Start() const { return FStart; }
  // The label of the `item`-th symbol (from 0).
  TLabelSlot SlotOf(std::int64_t item) const;
  // Sheets that `items` symbols take (0 for none).
  std::int64_t SheetCount(std::int64_t items) const;
  // Symbols on sheet `sheet` (from 0) out of `items`, and the first of them.
  std::int64_t FirstItemOn(std::int64_t sheet) const;
  std::int64_t ItemsOn(std::int64_t sheet, std::int64_t items) const;

 private:
  int FPerSheet;
  int FStart;
};

}  // namespace plomix
