#include "DataList/CsvImportForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "Common/ShiftJis.h"
#include "Common/UiText.h"

namespace plomix {
namespace {

constexpr int kPreviewRows = 8;
const char *const kFieldTitles[3] = {"バーコード文字列", "上部のコメント", "下部のコメント"};

}  // namespace

TCsvImportForm::TCsvImportForm(const QString &fileName, std::string bytes, const TCsvColumns &remembered,
                               QWidget *owner)
    : QDialog(owner), FBytes(std::move(bytes)) {
  setObjectName(QStringLiteral("CsvImportForm"));
  setWindowTitle(Text("CSVファイルの読み込み"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QFileInfo(fileName).fileName(), this));
  auto *form = new QFormLayout;
  layout->addLayout(form);
  EncodingBox = new QComboBox(this);
  EncodingBox->setObjectName(QStringLiteral("EncodingBox"));
  EncodingBox->addItems({QStringLiteral("UTF-8"), QStringLiteral("Shift-JIS")});
  EncodingBox->setCurrentIndex(DetectCsvEncoding(FBytes));
  form->addRow(Text("文字コード"), EncodingBox);
  HeaderBox = new QCheckBox(Text("1行目は見出し"), this);
  HeaderBox->setObjectName(QStringLiteral("HeaderBox"));
  form->addRow(HeaderBox);
  for (int col = 0; col < 3; ++col) {
    ColumnBoxes[col] = new QComboBox(this);
    ColumnBoxes[col]->setObjectName(QStringLiteral("ColumnBox%1").arg(col + 1));
    form->addRow(Text(kFieldTitles[col]), ColumnBoxes[col]);
  }
  Preview = new QTableWidget(this);
  Preview->setObjectName(QStringLiteral("Preview"));
  Preview->setColumnCount(3);
  Preview->setHorizontalHeaderLabels({Text(kFieldTitles[0]), Text(kFieldTitles[1]), Text(kFieldTitles[2])});
  Preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(Preview);

  auto *buttons = new QDialogButtonBox(this);
  QPushButton *append = buttons->addButton(Text("追加"), QDialogButtonBox::AcceptRole);
  append->setObjectName(QStringLiteral("AppendButton"));
  QPushButton *replace = buttons->addButton(Text("置き換え"), QDialogButtonBox::AcceptRole);
  replace->setObjectName(QStringLiteral("ReplaceButton"));
  QPushButton *cancel = buttons->addButton(Text("キャンセル"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  layout->addWidget(buttons);
  connect(append, &QPushButton::clicked, this, [this] { FMode = cimAppend; accept(); });
  connect(replace, &QPushButton::clicked, this, [this] { FMode = cimReplace; accept(); });
  connect(cancel, &QPushButton::clicked, this, [this] { FMode = cimCancel; reject(); });

  Reread();
  const bool header = !FTable.Rows.empty() && IsCsvHeader(FTable.Rows.front());
  HeaderBox->setChecked(header);
  FillColumnBoxes(header ? ColumnsFromHeader(FTable.Rows.front()) : remembered);
  connect(EncodingBox, &QComboBox::currentIndexChanged, this, [this] {
    const TCsvColumns columns = Columns();
    Reread();
    FillColumnBoxes(columns);
  });
  connect(HeaderBox, &QCheckBox::toggled, this, [this] { FillColumnBoxes(Columns()); });
  for (QComboBox *box : ColumnBoxes) connect(box, &QComboBox::activated, this, &TCsvImportForm::RefreshPreview);
  resize(480, 420);
}

TCsvEncoding TCsvImportForm::Encoding() const { return static_cast<TCsvEncoding>(EncodingBox->currentIndex()); }
bool TCsvImportForm::Header() const { return HeaderBox->isChecked(); }

TCsvColumns TCsvImportForm::Columns() const {
  int chosen[3];
  for (int col = 0; col < 3; ++col) chosen[col] = ColumnBoxes[col]->currentIndex() - 1;  // item 0: none
  return {chosen[0], chosen[1], chosen[2]};
}

std::vector<TDataRecord> TCsvImportForm::Records() const { return RecordsFromCsv(FTable.Rows, Header(), Columns()); }

void TCsvImportForm::Reread() { FTable = ReadCsv(FBytes, Encoding()); }

// Each box offers "none" and every field of the widest of the first records, named by
// the header's title or the first record's text.
void TCsvImportForm::FillColumnBoxes(const TCsvColumns &columns) {
  std::size_t fields = 0;
  for (std::size_t i = 0; i < FTable.Rows.size() && i < kPreviewRows; ++i)
    fields = std::max(fields, FTable.Rows[i].size());
  const int chosen[3] = {columns.Code, columns.Up, columns.Down};
  for (int col = 0; col < 3; ++col) {
    QComboBox *box = ColumnBoxes[col];
    box->clear();
    box->addItem(Text("(なし)"));
    for (std::size_t f = 0; f < fields; ++f) {
      const std::vector<std::string> &first = FTable.Rows.front();
      const QString sample = f < first.size() ? SjisToUnicode(first[f]).left(24) : QString();
      box->addItem(Text("%1列目: %2").arg(f + 1).arg(sample));
    }
    box->setCurrentIndex(chosen[col] >= 0 && static_cast<std::size_t>(chosen[col]) < fields ? chosen[col] + 1 : 0);
  }
  RefreshPreview();
}

void TCsvImportForm::RefreshPreview() {
  TDelimitedRows head(FTable.Rows.begin(),
                      FTable.Rows.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(FTable.Rows.size(), kPreviewRows + 1)));
  const std::vector<TDataRecord> records = RecordsFromCsv(head, Header(), Columns());
  const int shown = std::min(static_cast<int>(records.size()), kPreviewRows);
  Preview->setRowCount(shown);
  for (int row = 0; row < shown; ++row) {
    const TDataRecord &r = records[static_cast<std::size_t>(row)];
    const std::string *cells[3] = {&r.Code, &r.CommentUp, &r.CommentDown};
    for (int col = 0; col < 3; ++col) Preview->setItem(row, col, new QTableWidgetItem(SjisToUnicode(*cells[col])));
  }
}

}  // namespace plomix
