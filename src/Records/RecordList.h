#pragma once
// The record list: barcode strings with their upper and lower comments, kept as three
// parallel lists of Shift-JIS strings that always have the same length. It is an item
// model with one column per field, so the three boxes of the main window (and any grid)
// show it without copying it item by item.
#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace plomix {

enum TRecordField { rfCode = 0, rfCommentUp = 1, rfCommentDown = 2 };
constexpr int kRecordFieldCount = 3;

struct TDataRecord {
  std::string Code;
  std::string CommentUp;
  std::string CommentDown;
};

class TRecordList : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int Count() const { return static_cast<int>(FCodes.size()); }
  bool IsEmpty() const { return FCodes.empty(); }
  const std::vector<std::string> &List(TRecordField field) const;
  const std::string &Field(int index, TRecordField field) const { return List(field)[index]; }
  TDataRecord Record(int index) const;

  // The first record whose code equals `code` byte for byte, or -1.
  int FindCode(const std::string &code) const;

  void Insert(int index, const TDataRecord &record);
  void Delete(int index);
  void Exchange(int first, int second);
  void SetComments(int index, const std::string &up, const std::string &down);

  // Replaces the whole list in one step. The three lists must have the same length.
  void Replace(std::vector<std::string> codes, std::vector<std::string> ups,
               std::vector<std::string> downs);
  // Replaces one comment list (same length as the codes) in one step.
  void ReplaceComments(TRecordField field, std::vector<std::string> lines);

  // QAbstractItemModel
  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<std::string> &MutableList(TRecordField field);

  std::vector<std::string> FCodes;
  std::vector<std::string> FCommentsUp;
  std::vector<std::string> FCommentsDown;
};

}  // namespace plomix
