#include "DataList/GridUndo.h"

#include <algorithm>
#include <iterator>

namespace plomix {

void AppendSplice(std::vector<TRowSplice> &splices, TRowSplice next) {
  if (!splices.empty() && splices.back().Order.empty() && next.Order.empty()) {
    TRowSplice &last = splices.back();
    const std::size_t offset = static_cast<std::size_t>(next.First - last.First);
    if (next.First >= last.First && offset + next.Before.size() <= last.After.size()) {
      auto at = last.After.begin() + static_cast<std::ptrdiff_t>(offset);
      at = last.After.erase(at, at + static_cast<std::ptrdiff_t>(next.Before.size()));
      last.After.insert(at, std::make_move_iterator(next.After.begin()), std::make_move_iterator(next.After.end()));
      return;
    }
  }
  splices.push_back(std::move(next));
}

TGridCommand::TGridCommand(const QString &text, std::vector<TRowSplice> splices, TApply apply, TReorder reorder,
                           std::uint64_t mergeKey)
    : QUndoCommand(text),
      FSplices(std::move(splices)),
      FApply(std::move(apply)),
      FReorder(std::move(reorder)),
      FMergeKey(mergeKey) {}

void TGridCommand::undo() {
  for (auto it = FSplices.rbegin(); it != FSplices.rend(); ++it) {
    if (!it->Order.empty()) FReorder(it->First, it->Order, true);
    else FApply(it->First, static_cast<int>(it->After.size()), it->Before);
  }
  FDone = false;
}

void TGridCommand::redo() {
  if (std::exchange(FDone, true)) return;
  for (const TRowSplice &splice : FSplices) {
    if (!splice.Order.empty()) FReorder(splice.First, splice.Order, false);
    else FApply(splice.First, static_cast<int>(splice.Before.size()), splice.After);
  }
}

bool TGridCommand::mergeWith(const QUndoCommand *other) {
  const auto *next = static_cast<const TGridCommand *>(other);
  if (next->FMergeKey != FMergeKey) return false;
  for (const TRowSplice &splice : next->FSplices) AppendSplice(FSplices, splice);
  return true;
}

int TGridCommand::FirstRow() const {
  int first = 0;
  for (const TRowSplice &splice : FSplices) first = first == 0 ? splice.First : std::min(first, splice.First);
  return first;
}

}  // namespace plomix
