// TDataListForm's "住所からカスタマバーコード": the chosen rows' barcode strings from the
// addresses in their upper comments.
#include <QItemSelectionModel>
#include <QMessageBox>
#include <algorithm>

#include "AddressForm/PostalFileChoice.h"
#include "DataList/AddressRows.h"
#include "DataList/TDataListForm.h"

namespace plomix {

void TDataListForm::N9Click() {
  StringGrid1->HideEditor();
  int first = Row(), last = Row();
  for (const QModelIndex &index : StringGrid1->selectionModel()->selectedIndexes()) {
    first = std::min(first, index.row() + 1);
    last = std::max(last, index.row() + 1);
  }
  QString error;
  const auto dictionary = PostalDictionaryInUse(error);
  const TAddressRowsResult result = ConvertAddressRows(*FGrid, first, last, dictionary.get());
  if (result.Skipped.isEmpty() && error.isEmpty()) return;
  QString text = QString::fromUtf8("%1 行を変換しました。").arg(result.Converted);
  if (!error.isEmpty()) text += QString::fromUtf8("\n郵便番号データを読めません: ") + error;
  if (!result.Skipped.isEmpty())
    text += QString::fromUtf8("\n上コメントから変換できなかった行:\n") + result.Skipped.mid(0, 10).join(QLatin1Char('\n'));
  QMessageBox box(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
  box.exec();
}

}  // namespace plomix
