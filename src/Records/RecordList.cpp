#include "Records/RecordList.h"

#include <stdexcept>
#include <utility>

#include "Common/ShiftJis.h"

namespace plomix {

const std::vector<std::string> &TRecordList::List(TRecordField field) const {
  switch (field) {
    case rfCommentUp: return FCommentsUp;
    case rfCommentDown: return FCommentsDown;
    default: return FCodes;
  }
}

std::vector<std::string> &TRecordList::MutableList(TRecordField field) {
  return const_cast<std::vector<std::string> &>(std::as_const(*this).List(field));
}

TDataRecord TRecordList::Record(int index) const {
  return {FCodes[index], FCommentsUp[index], FCommentsDown[index]};
}

int TRecordList::FindCode(const std::string &code) const {
  for (std::size_t i = 0; i < FCodes.size(); ++i)
    if (FCodes[i] == code) return static_cast<int>(i);
  return -1;
}

void TRecordList::Insert(int index, const TDataRecord &record) {
  beginInsertRows({}, index, index);
  FCodes.insert(FCodes.begin() + index, record.Code);
  FCommentsUp.insert(FCommentsUp.begin() + index, record.CommentUp);
  FCommentsDown.insert(FCommentsDown.begin() + index, record.CommentDown);
  endInsertRows();
}

void TRecordList::Delete(int index) {
  beginRemoveRows({}, index, index);
  FCodes.erase(FCodes.begin() + index);
  FCommentsUp.erase(FCommentsUp.begin() + index);
  FCommentsDown.erase(FCommentsDown.begin() + index);
  endRemoveRows();
}

void TRecordList::Exchange(int first, int second) {
  for (int field = 0; field < kRecordFieldCount; ++field) {
    auto &list = MutableList(static_cast<TRecordField>(field));
    std::swap(list[first], list[second]);
  }
  emit dataChanged(index(first, 0), index(first, kRecordFieldCount - 1));
  emit dataChanged(index(second, 0), index(second, kRecordFieldCount - 1));
}

void TRecordList::SetComments(int index, const std::string &up, const std::string &down) {
  FCommentsUp[index] = up;
  FCommentsDown[index] = down;
  emit dataChanged(this->index(index, rfCommentUp), this->index(index, rfCommentDown));
}

void TRecordList::Replace(std::vector<std::string> codes, std::vector<std::string> ups,
                          std::vector<std::string> downs) {
  if (ups.size() != codes.size() || downs.size() != codes.size())
    throw std::invalid_argument("record lists of unequal length");
  beginResetModel();
  FCodes = std::move(codes);
  FCommentsUp = std::move(ups);
  FCommentsDown = std::move(downs);
  endResetModel();
}

void TRecordList::ReplaceComments(TRecordField field, std::vector<std::string> lines) {
  if (field == rfCode || lines.size() != FCodes.size())
    throw std::invalid_argument("comment list of another length than the codes");
  MutableList(field) = std::move(lines);
  if (!FCodes.empty()) emit dataChanged(index(0, field), index(Count() - 1, field));
}

int TRecordList::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : Count();
}

int TRecordList::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : kRecordFieldCount;
}

QVariant TRecordList::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= Count() || index.column() >= kRecordFieldCount) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return SjisToUnicode(Field(index.row(), static_cast<TRecordField>(index.column())));
}

QVariant TRecordList::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  static const char *const kTitles[kRecordFieldCount] = {"バーコード文字列", "上部のコメント",
                                                         "下部のコメント"};
  if (section < 0 || section >= kRecordFieldCount) return {};
  return QString::fromUtf8(kTitles[section]);
}

}  // namespace plomix
