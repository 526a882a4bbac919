#pragma once
// The data list's grid content: the records being edited plus the entry row below them.
// Grid coordinates as the window uses them: row 0 is the header, rows 1..RowCount() - 2
// hold records, row RowCount() - 1 is the entry row; columns 1..3 are barcode string,
// upper and lower comment (column 0, the row numbers, is the vertical header).
// Model row m is grid row m + 1, model column c is grid column c + 1.
#include <QAbstractTableModel>
#include <cstdint>
#include <string>
#include <vector>

#include "DataList/GridUndo.h"
#include "Records/RecordList.h"

class QUndoStack;

namespace plomix {

class TDataGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TDataGridModel(QObject *parent = nullptr);

  // The grid's row count: records + 2, never less than 2.
  int RowCount() const { return static_cast<int>(FRows.size()) + 1; }
  int RecordCount() const { return RowCount() - 2; }
  // Grows with empty rows at the end or drops rows from the end.
  void SetRowCount(int count);

  // Replaces the content by `records` and an empty entry row; nothing to undo then.
  void Load(std::vector<TDataRecord> records);
  // Rows 1..RowCount() - 2.
  std::vector<TDataRecord> Records() const;
  // Rows 1..RowCount() - 1, the entry row last.
  const std::vector<TDataRecord> &Rows() const { return FRows; }

  const std::string &Cell(int row, int col) const;
  void SetCell(int row, int col, std::string text);
  const TDataRecord &Row(int row) const { return FRows[static_cast<std::size_t>(row - 1)]; }
  void SetRow(int row, const TDataRecord &record);

  // Moves the data of row `from` to row `to`, shifting the rows between by one. Only
  // for 1 <= from, to <= RowCount() - 1 and from != to.
  void MoveRecord(int from, int to);
  void ExchangeRecords(int a, int b);
  // Removes record `row` (1..RowCount() - 2): the rows below move up by one.
  void RemoveRecord(int row);
  // Sorts rows 1..RowCount() - 2 by column `col` (1..3), direction +1 or -1.
  void SortRecords(int col, int direction);

  // A block of cells (rows of code, upper, lower comment from column `col` on; cells
  // beyond column 3 are dropped) over the records from grid row `row`; rows past the
  // last record are added before the entry row.
  void PasteBlock(int row, int col, const std::vector<std::vector<std::string>> &block);
  // The cells of rows top..bottom, columns left..right (grid coordinates).
  std::vector<std::vector<std::string>> Block(int top, int left, int bottom, int right) const;
  // Records added after the last one, or put in place of all of them.
  void AppendRecords(std::vector<TDataRecord> records);
  void ReplaceRecords(std::vector<TDataRecord> records);

  // Replaces `count` grid rows from `first` (1..RowCount()) by `rows`. Every change
  // above goes through here and is recorded for undo.
  void ReplaceRows(int first, int count, std::vector<TDataRecord> rows);

  // --- undo ---
  // The changes between BeginChange and EndChange (the outermost pair, when nested) are
  // one undo step; a change made outside any pair is a step of its own. Consecutive
  // steps with the same non-zero `mergeKey` become one.
  void BeginChange(const QString &label, std::uint64_t mergeKey = 0);
  void EndChange();
  // Typing into a cell after this starts a new undo step, even in the same cell.
  void BreakTyping() { ++FTypingSession; }
  QUndoStack *UndoStack() const { return FUndo; }
  // Undo or redo one step; the first grid row it changed, or 0 when there was none.
  int Undo();
  int Redo();

  // QAbstractItemModel
  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

 signals:
  // A cell changed through the editor (grid coordinates).
  void CellEdited(int row, int col);

 private:
  std::string &MutableCell(int row, int col);
  void RowsChanged(int first, int last);
  // ReplaceRows without recording: what undo and redo replay.
  void SpliceRows(int first, int count, std::vector<TDataRecord> rows);
  // Rearranges the rows from `first` by `order` (TRowSplice::Order), or back when
  // `inverse`, without recording.
  void ReorderRows(int first, const std::vector<int> &order, bool inverse);
  // Adds a change already made to the open undo step (or one of its own).
  void RecordSplice(TRowSplice splice);

  std::vector<TDataRecord> FRows{1};  // grid rows 1..RowCount() - 1
  QUndoStack *FUndo;
  int FChangeDepth = 0;
  QString FChangeLabel;
  std::uint64_t FMergeKey = 0;
  std::vector<TRowSplice> FPending;  // the splices of the open change
  std::uint64_t FTypingSession = 1;
};

// One undo step for the scope it lives in.
class TGridChange {
 public:
  TGridChange(TDataGridModel &grid, const QString &label) : FGrid(grid) { FGrid.BeginChange(label); }
  ~TGridChange() { FGrid.EndChange(); }
  TGridChange(const TGridChange &) = delete;
  TGridChange &operator=(const TGridChange &) = delete;

 private:
  TDataGridModel &FGrid;
};

// Field `col` (1 code, 2 upper, 3 lower comment) of a record.
std::string &RecordField(TDataRecord &record, int col);

// A typed or pasted text as a cell keeps it: line breaks and NUL characters, which would
// split a record in the data files, become spaces.
QString CellTextFromInput(QString text);

}  // namespace plomix
