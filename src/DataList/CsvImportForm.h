#pragma once
// The choices of a CSV import: the file's encoding (detected, changeable), whether its
// first line holds titles, which field fills the code and each comment, and whether the
// records are added to the list or replace it. A preview shows the first records as
// they would arrive.
#include <QDialog>
#include <string>

#include "DataList/SheetText.h"

class QCheckBox;
class QComboBox;
class QTableWidget;

namespace plomix {

enum TCsvImportMode { cimCancel = 0, cimAppend = 1, cimReplace = 2 };

class TCsvImportForm : public QDialog {
  Q_OBJECT

 public:
  // `remembered`: the columns chosen last time, used unless the file has a header.
  TCsvImportForm(const QString &fileName, std::string bytes, const TCsvColumns &remembered,
                 QWidget *owner = nullptr);

  TCsvImportMode Mode() const { return FMode; }
  TCsvEncoding Encoding() const;
  bool Header() const;
  TCsvColumns Columns() const;
  const TCellTable &Table() const { return FTable; }
  // The records as chosen.
  std::vector<TDataRecord> Records() const;

  QComboBox *EncodingBox = nullptr;
  QCheckBox *HeaderBox = nullptr;
  QComboBox *ColumnBoxes[3] = {};
  QTableWidget *Preview = nullptr;

 private:
  void Reread();
  void FillColumnBoxes(const TCsvColumns &columns);
  void RefreshPreview();

  std::string FBytes;
  TCellTable FTable;
  TCsvImportMode FMode = cimCancel;
};

}  // namespace plomix
