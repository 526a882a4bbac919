#pragma once
// Undo for the data list's grid. Every change of the grid's rows is a splice: the rows
// from `First` on that were there (`Before`) replaced by new ones (`After`). One user
// action (a paste, a sort, a drag, typing into one cell) is one command holding the
// splices it made, so undoing it restores the rows exactly, entry row and row count too.
#include <QUndoCommand>
#include <cstdint>
#include <functional>
#include <vector>

#include "Records/RecordList.h"

namespace plomix {

struct TRowSplice {
  int First = 1;  // grid row
  std::vector<TDataRecord> Before, After;
  // A reordering instead (a sort): Before and After stay empty, and the rows from First
  // on are rearranged so that row First + k receives the row that was at First + Order[k].
  // Keeping the order rather than two copies of every row makes sorting a long list cheap.
  std::vector<int> Order;
};

// Adds `next` to `splices`, folded into the last one when it changes only rows that the
// last one wrote (typing into one cell again and again keeps one splice of one row).
void AppendSplice(std::vector<TRowSplice> &splices, TRowSplice next);

class TGridCommand : public QUndoCommand {
 public:
  // `apply` replaces `count` rows from `first` by `rows` without recording.
  using TApply = std::function<void(int first, int count, std::vector<TDataRecord> rows)>;
  // `reorder` rearranges the rows from `first` by `order` (see TRowSplice), or undoes
  // that when `inverse`, without recording.
  using TReorder = std::function<void(int first, const std::vector<int> &order, bool inverse)>;
  // `mergeKey` != 0: consecutive commands with the same key become one (typing).
  TGridCommand(const QString &text, std::vector<TRowSplice> splices, TApply apply, TReorder reorder,
               std::uint64_t mergeKey);

  void undo() override;
  void redo() override;
  int id() const override { return FMergeKey == 0 ? -1 : 1; }
  bool mergeWith(const QUndoCommand *other) override;
  // The first grid row the last undo or redo changed.
  int FirstRow() const;

 private:
  std::vector<TRowSplice> FSplices;
  TApply FApply;
  TReorder FReorder;
  std::uint64_t FMergeKey;
  bool FDone = true;  // pushed after the change was made: the first redo does nothing
};

}  // namespace plomix
