#include "Labels/LabelFill.h"

#include <algorithm>

namespace plomix {

TLabelFill::TLabelFill(int labelsPerSheet, int start)
    : FPerSheet(std::max(labelsPerSheet, 1)), FStart(std::clamp(start, 1, std::max(labelsPerSheet, 1))) {}

TLabelSlot TLabelFill::SlotOf(std::int64_t item) const {
  // The skipped labels count as used ones: item 0 lands on label start - 1.
  const std::int64_t position = item + FStart - 1;
  return {static_cast<int>(position / FPerSheet), static_cast<int>(position % FPerSheet)};
}

std::int64_t TLabelFill::SheetCount(std::int64_t items) const {
  if (items <= 0) return 0;
  return SlotOf(items - 1).Sheet + 1;
}

std::int64_t TLabelFill::FirstItemOn(std::int64_t sheet) const {
  if (sheet <= 0) return 0;
  return sheet * FPerSheet - (FStart - 1);
}

std::int64_t TLabelFill::ItemsOn(std::int64_t sheet, std::int64_t items) const {
  if (sheet < 0 || sheet >= SheetCount(items)) return 0;
  const std::int64_t first = FirstItemOn(sheet);
  const std::int64_t room = sheet == 0 ? FPerSheet - (FStart - 1) : FPerSheet;
  return std::min(room, items - first);
}

}  // namespace plomix
