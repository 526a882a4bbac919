#include "DataList/DataGridModel.h"

#include <algorithm>
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

void TDataGridModel::SetRowCount(int count) {
  count = std::max(count, 2);
  const int current = RowCount();
  if (count > current) {
    beginInsertRows({}, current - 1, count - 2);
    FRows.resize(static_cast<std::size_t>(count - 1));
    endInsertRows();
  } else if (count < current) {
    beginRemoveRows({}, count - 1, current - 2);
    FRows.resize(static_cast<std::size_t>(count - 1));
    endRemoveRows();
  }
}

void TDataGridModel::Load(std::vector<TDataRecord> records) {
  beginResetModel();
  FRows = std::move(records);
  FRows.emplace_back();
  endResetModel();
}

std::vector<TDataRecord> TDataGridModel::Records() const {
  return {FRows.begin(), FRows.end() - 1};
}

std::string &TDataGridModel::MutableCell(int row, int col) {
  TDataRecord &record = FRows[static_cast<std::size_t>(row - 1)];
  switch (col) {
    case 2: return record.CommentUp;
    case 3: return record.CommentDown;
    default: return record.Code;
  }
}

const std::string &TDataGridModel::Cell(int row, int col) const {
  return const_cast<TDataGridModel *>(this)->MutableCell(row, col);
}

void TDataGridModel::SetCell(int row, int col, std::string text) {
  MutableCell(row, col) = std::move(text);
  const QModelIndex changed = index(row - 1, col - 1);
  emit dataChanged(changed, changed);
}

void TDataGridModel::SetRow(int row, const TDataRecord &record) {
  FRows[static_cast<std::size_t>(row - 1)] = record;
  RowsChanged(row, row);
}

void TDataGridModel::RowsChanged(int first, int last) {
  emit dataChanged(index(first - 1, 0), index(last - 1, 2));
}

void TDataGridModel::MoveRecord(int from, int to) {
  const int last = RowCount() - 1;
  if (from < 1 || from > last || to < 1 || to > last || from == to) return;
  const auto at = [this](int row) { return FRows.begin() + (row - 1); };
  if (from < to) std::rotate(at(from), at(from) + 1, at(to) + 1);
  else std::rotate(at(to), at(from), at(from) + 1);
  RowsChanged(std::min(from, to), std::max(from, to));
}

void TDataGridModel::ExchangeRecords(int a, int b) {
  std::swap(FRows[static_cast<std::size_t>(a - 1)], FRows[static_cast<std::size_t>(b - 1)]);
  RowsChanged(a, a);
  RowsChanged(b, b);
}

void TDataGridModel::RemoveRecord(int row) {
  if (row < 1 || row > RecordCount()) return;
  beginRemoveRows({}, row - 1, row - 1);
  FRows.erase(FRows.begin() + (row - 1));
  endRemoveRows();
}

void TDataGridModel::SortRecords(int col, int direction) {
  const int last = RecordCount();
  if (last < 2) return;
  plomix::SortRecords(
      1, last, direction, [this, col](int row) -> std::string_view { return Cell(row, col); },
      [this](int a, int b) {
        std::swap(FRows[static_cast<std::size_t>(a - 1)], FRows[static_cast<std::size_t>(b - 1)]);
      });
  RowsChanged(1, last);
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
  SetCell(row, col, UnicodeToSjis(text));
  emit CellEdited(row, col);
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
