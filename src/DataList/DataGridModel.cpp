#include "DataList/DataGridModel.h"

#include <QUndoStack>
#include <algorithm>
#include <iterator>
#include <utility>

#include "Common/ShiftJis.h"
#include "Sort/RecordSort.h"

namespace plomix {
namespace {

// A cell shows at most this many bytes: more never fits a column, and laying out a
// megabyte of text on every repaint would stall the window.
constexpr std::size_t kShownBytes = 2048;

}  // namespace

QString CellTextFromInput(QString text) {
  for (QChar &c : text)
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0)) c = QLatin1Char(' ');
  return text;
}

TDataGridModel::TDataGridModel(QObject *parent) : QAbstractTableModel(parent), FUndo(new QUndoStack(this)) {}

void TDataGridModel::SetRowCount(int count) {
  count = std::max(count, 2);
  const int current = RowCount();
  if (count > current) ReplaceRows(current, 0, std::vector<TDataRecord>(static_cast<std::size_t>(count - current)));
  else if (count < current) ReplaceRows(count, current - count, {});
}

void TDataGridModel::Load(std::vector<TDataRecord> records) {
  beginResetModel();
  FRows = std::move(records);
  FRows.emplace_back();
  endResetModel();
  FUndo->clear();
}

std::vector<TDataRecord> TDataGridModel::Records() const {
  return {FRows.begin(), FRows.end() - 1};
}

std::string &RecordField(TDataRecord &record, int col) {
  switch (col) {
    case 2: return record.CommentUp;
    case 3: return record.CommentDown;
    default: return record.Code;
  }
}

std::string &TDataGridModel::MutableCell(int row, int col) {
  return RecordField(FRows[static_cast<std::size_t>(row - 1)], col);
}

const std::string &TDataGridModel::Cell(int row, int col) const {
  return const_cast<TDataGridModel *>(this)->MutableCell(row, col);
}

void TDataGridModel::SetCell(int row, int col, std::string text) {
  TDataRecord record = Row(row);
  RecordField(record, col) = std::move(text);
  SetRow(row, record);
}

void TDataGridModel::SetRow(int row, const TDataRecord &record) { ReplaceRows(row, 1, {record}); }

void TDataGridModel::RowsChanged(int first, int last) {
  emit dataChanged(index(first - 1, 0), index(last - 1, 2));
}

void TDataGridModel::MoveRecord(int from, int to) {
  const int last = RowCount() - 1;
  if (from < 1 || from > last || to < 1 || to > last || from == to) return;
  const int low = std::min(from, to), high = std::max(from, to);
  std::vector<TDataRecord> rows(FRows.begin() + (low - 1), FRows.begin() + high);
  if (from < to) std::rotate(rows.begin(), rows.begin() + 1, rows.end());
  else std::rotate(rows.begin(), rows.end() - 1, rows.end());
  ReplaceRows(low, high - low + 1, std::move(rows));
}

void TDataGridModel::ExchangeRecords(int a, int b) {
  const TDataRecord first = Row(a);
  SetRow(a, Row(b));
  SetRow(b, first);
}

void TDataGridModel::RemoveRecord(int row) {
  if (row < 1 || row > RecordCount()) return;
  ReplaceRows(row, 1, {});
}

void TDataGridModel::SortRecords(int col, int direction) {
  const int last = RecordCount();
  if (last < 2) return;
  // The records stay where they are while the keys are made and sorted; then each moves
  // once, and the undo step keeps the order instead of copies of the rows.
  std::vector<int> order = plomix::SortedOrder(
      1, last, direction, [this, col](int row) -> std::string_view { return Cell(row, col); });
  for (int &row : order) row -= 1;  // grid rows to offsets from row 1
  ReorderRows(1, order, false);
  TRowSplice splice;
  splice.First = 1;
  splice.Order = std::move(order);
  RecordSplice(std::move(splice));
}

void TDataGridModel::ReorderRows(int first, const std::vector<int> &order, bool inverse) {
  // In place, cycle by cycle: each record moves once and no second row array is made.
  const auto at = FRows.begin() + (first - 1);
  const std::size_t count = order.size();
  std::vector<bool> placed(count);
  for (std::size_t start = 0; start < count; ++start) {
    if (placed[start]) continue;
    TDataRecord carried = std::move(at[static_cast<std::ptrdiff_t>(start)]);
    std::size_t hole = start;
    for (;;) {
      placed[hole] = true;
      if (inverse) {
        // The carried record belongs at order[hole]; the one there is carried on.
        hole = static_cast<std::size_t>(order[hole]);
        std::swap(carried, at[static_cast<std::ptrdiff_t>(hole)]);
        if (hole == start) break;
      } else {
        // The hole receives the record at order[hole], which leaves a hole there.
        const auto from = static_cast<std::size_t>(order[hole]);
        if (from == start) {
          at[static_cast<std::ptrdiff_t>(hole)] = std::move(carried);
          break;
        }
        at[static_cast<std::ptrdiff_t>(hole)] = std::move(at[static_cast<std::ptrdiff_t>(from)]);
        hole = from;
      }
    }
  }
  RowsChanged(first, first + static_cast<int>(count) - 1);
}

void TDataGridModel::PasteBlock(int row, int col, const std::vector<std::vector<std::string>> &block) {
  if (block.empty() || row < 1 || row > RowCount() - 1 || col < 1 || col > 3) return;
  const int overwritten = std::clamp(RecordCount() - row + 1, 0, static_cast<int>(block.size()));
  std::vector<TDataRecord> rows;
  rows.reserve(block.size());
  for (std::size_t i = 0; i < block.size(); ++i) {
    TDataRecord record = static_cast<int>(i) < overwritten ? Row(row + static_cast<int>(i)) : TDataRecord{};
    for (std::size_t c = 0; c < block[i].size() && col + static_cast<int>(c) <= 3; ++c)
      RecordField(record, col + static_cast<int>(c)) = block[i][c];
    rows.push_back(std::move(record));
  }
  ReplaceRows(row, overwritten, std::move(rows));
}

std::vector<std::vector<std::string>> TDataGridModel::Block(int top, int left, int bottom, int right) const {
  std::vector<std::vector<std::string>> block;
  for (int row = top; row <= bottom; ++row) {
    std::vector<std::string> cells;
    for (int col = left; col <= right; ++col) cells.push_back(Cell(row, col));
    block.push_back(std::move(cells));
  }
  return block;
}

void TDataGridModel::AppendRecords(std::vector<TDataRecord> records) {
  if (!records.empty()) ReplaceRows(RowCount() - 1, 0, std::move(records));
}

void TDataGridModel::ReplaceRecords(std::vector<TDataRecord> records) {
  ReplaceRows(1, RecordCount(), std::move(records));
}

// ---------------------------------------------------------------- splices and undo

void TDataGridModel::ReplaceRows(int first, int count, std::vector<TDataRecord> rows) {
  if (count == 0 && rows.empty()) return;
  const auto at = FRows.begin() + (first - 1);
  TRowSplice splice{first, std::vector<TDataRecord>(at, at + count), rows, {}};
  SpliceRows(first, count, std::move(rows));
  RecordSplice(std::move(splice));
}

void TDataGridModel::RecordSplice(TRowSplice splice) {
  const bool alone = FChangeDepth == 0;
  if (alone) BeginChange(QString());
  AppendSplice(FPending, std::move(splice));
  if (alone) EndChange();
}

void TDataGridModel::SpliceRows(int first, int count, std::vector<TDataRecord> rows) {
  const int size = static_cast<int>(rows.size());
  const int common = std::min(count, size);
  std::move(rows.begin(), rows.begin() + common, FRows.begin() + (first - 1));
  if (common > 0) RowsChanged(first, first + common - 1);
  const int at = first - 1 + common;  // model row of the first row added or removed
  if (size > count) {
    beginInsertRows({}, at, at + size - count - 1);
    FRows.insert(FRows.begin() + at, std::make_move_iterator(rows.begin() + common),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
  } else if (count > size) {
    beginRemoveRows({}, at, at + count - size - 1);
    FRows.erase(FRows.begin() + at, FRows.begin() + at + (count - size));
    endRemoveRows();
  }
}

void TDataGridModel::BeginChange(const QString &label, std::uint64_t mergeKey) {
  if (FChangeDepth++ > 0) return;
  FChangeLabel = label;
  FMergeKey = mergeKey;
  FPending.clear();
}

void TDataGridModel::EndChange() {
  if (--FChangeDepth > 0 || FPending.empty()) return;
  auto apply = [this](int first, int count, std::vector<TDataRecord> rows) {
    SpliceRows(first, count, std::move(rows));
  };
  auto reorder = [this](int first, const std::vector<int> &order, bool inverse) { ReorderRows(first, order, inverse); };
  FUndo->push(new TGridCommand(FChangeLabel, std::move(FPending), apply, reorder, FMergeKey));
  FPending.clear();
}

int TDataGridModel::Undo() {
  if (!FUndo->canUndo() || FChangeDepth > 0) return 0;
  FUndo->undo();
  return static_cast<const TGridCommand *>(FUndo->command(FUndo->index()))->FirstRow();
}

int TDataGridModel::Redo() {
  if (!FUndo->canRedo() || FChangeDepth > 0) return 0;
  FUndo->redo();
  return static_cast<const TGridCommand *>(FUndo->command(FUndo->index() - 1))->FirstRow();
}

int TDataGridModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : RowCount() - 1;
}

int TDataGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 3; }

QVariant TDataGridModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const std::string &text = Cell(index.row() + 1, index.column() + 1);
  if (role == Qt::EditRole) return SjisToUnicode(text);
  if (role == Qt::DisplayRole) return SjisToUnicode(SjisPrefix(text, kShownBytes));
  return {};
}

bool TDataGridModel::setData(const QModelIndex &index, const QVariant &value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const int row = index.row() + 1;
  const int col = index.column() + 1;
  const QString text = CellTextFromInput(value.toString());
  // An editor closed without a change leaves the bytes as they were (also invalid ones).
  if (text == SjisToUnicode(Cell(row, col))) return true;
  // Typing into one cell, keystroke after keystroke, is one undo step; the entry row's
  // growth that typing causes belongs to it.
  BeginChange(QStringLiteral("入力"), (FTypingSession << 32) | (static_cast<std::uint64_t>(row) << 2) |
                                        static_cast<std::uint64_t>(col));
  SetCell(row, col, UnicodeToSjis(text));
  emit CellEdited(row, col);
  EndChange();
  return true;
}

QVariant TDataGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return QString::number(section + 1);
  static const char *const kTitles[3] = {"バーコード文字列", "上部のコメント", "下部のコメント"};
  if (section < 0 || section > 2) return {};
  return QString::fromUtf8(kTitles[section]);
}

Qt::ItemFlags TDataGridModel::flags(const QModelIndex &index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // Only the barcode cell of the entry row can be selected.
  if (index.row() == rowCount() - 1 && index.column() > 0) return Qt::ItemNeverHasChildren;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemNeverHasChildren;
}

}  // namespace plomix
