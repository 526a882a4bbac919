// TFrameForm's sort and list buttons: the record list sorted in place, and edited in the
// data list window.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <algorithm>

#include "BarImage/TBarImage.h"
#include "DataList/TDataListForm.h"
#include "Frame/TFrameForm.h"
#include "Param/TParameter.h"
#include "Sort/RecordSort.h"
#include "Sort/TSortForm.h"
#include "Common/UiText.h"
#include "DataList/TableDrop.h"

namespace plomix {
namespace {

}  // namespace

void TFrameForm::Button13Click() {
  if (FRecords->Count() <= 1 || CurrentIndex() == -1) return;
  {
    TSortForm dialog(SortKey, SortDirection, this);
    if (dialog.exec() != QDialog::Accepted) return;
  }
  BarImage1->SetBarEnabled(false);
  // Sorted on copies and put back in one step: the boxes see one change, not one per
  // exchange.
  std::vector<std::string> lists[kRecordFieldCount];
  for (int field = 0; field < kRecordFieldCount; ++field)
    lists[field] = FRecords->List(static_cast<TRecordField>(field));
  const std::vector<std::string> &keys = lists[SortKey];
  SortRecords(
      0, FRecords->Count() - 1, SortDirection,
      [&keys](int i) -> std::string_view { return keys[static_cast<std::size_t>(i)]; },
      [&lists](int i, int j) {
        for (auto &list : lists) std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
      });
  FRecords->Replace(std::move(lists[rfCode]), std::move(lists[rfCommentUp]), std::move(lists[rfCommentDown]));
  SelectRecord(0);
  PushRecord();
  ShownIndex = 0;
  StatusRefresh();
}

void TFrameForm::Button14Click() { OpenDataList({}); }

void TFrameForm::CsvImport1Click() {
  QFileDialog dialog(this, Text("CSVファイルの読み込み"));
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({Text("CSVファイル (*.csv *.txt)"), Text("すべてのファイル (*)")});
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    ImportCsvFile(dialog.selectedFiles().constFirst());
}

void TFrameForm::ImportCsvFile(const QString &path) { OpenDataList(path); }

void TFrameForm::dragEnterEvent(QDragEnterEvent *event) { AcceptTableDrag(event); }

void TFrameForm::dropEvent(QDropEvent *event) {
  OpenTableDrop(event, this, [this](const QString &path) { ImportCsvFile(path); });
}

void TFrameForm::OpenDataList(const QString &csvPath) {
  if (!Parameter1) Parameter1 = std::make_unique<TParameter>();
  bool replaced = false;
  {
    TDataListForm form(*FRecords, *Parameter1, SortKey, SortDirection, CurrentIndex(), this);
    form.setObjectName(QStringLiteral("DataListForm"));
    form.ChosenPrinter = PrinterChoice().Chosen();  // the list prints where the symbols do
    if (!csvPath.isEmpty())
      QMetaObject::invokeMethod(&form, [&form, csvPath] { form.ImportCsvFile(csvPath); }, Qt::QueuedConnection);
    replaced = form.exec() == QDialog::Accepted;
    SetListReturnIndex(form.ListReturnIndex());
  }
  int index = ListReturnIndex();
  if (FRecords->IsEmpty()) index = -1;
  else index = std::min(index, FRecords->Count() - 1);
  SetListReturnIndex(index);
  // A replaced list may hold other texts at the shown index: show the record anew.
  if (replaced) ShownIndex = -1;
  SelectRecord(index);
  ComboBox1Change(index);
  if (replaced && index == -1) {  // the list was emptied: nothing left to show
    for (QComboBox *box : {ComboBox1, ComboBox7, ComboBox8}) box->setEditText({});
    PushRecord();
    StatusRefresh();
  }
  SetListReturnIndex(0);
}

}  // namespace plomix
