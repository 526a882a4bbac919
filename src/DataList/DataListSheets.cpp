// TDataListForm's spreadsheet work: undo and redo of every change, blocks of cells
// copied to and pasted from the clipboard, CSV files read and written, and CSV files
// dropped on the window.
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <algorithm>

#include "Common/AtomicFile.h"
#include "Common/FileRead.h"
#include "Common/ShiftJis.h"
#include "DataList/CsvImportForm.h"
#include "DataList/DataListDefaults.h"
#include "DataList/TDataListForm.h"
#include "Param/TParameter.h"
#include "Common/UiText.h"
#include "DataList/TableDrop.h"

namespace plomix {
namespace {

// A CSV file bigger than this is no list of labels; it would only fill the memory.
constexpr qint64 kCsvFileLimit = 1024LL * 1024 * 1024;

// The clipboard's cells: a spreadsheet's tab-separated text, or CSV when only that is there.
bool ClipboardCells(const QMimeData *mime, QByteArray &text, char &separator) {
  if (!mime) return false;
  separator = kTsvSeparator;
  if (mime->hasFormat(QStringLiteral("text/tab-separated-values"))) {
    text = mime->data(QStringLiteral("text/tab-separated-values"));
  } else if (mime->hasText()) {
    text = mime->text().toUtf8();
  } else if (mime->hasFormat(QStringLiteral("text/csv"))) {
    text = mime->data(QStringLiteral("text/csv"));
    separator = kCsvSeparator;
  } else {
    return false;
  }
  return true;
}

}  // namespace

void TDataListForm::CreateSheetActions() {
  auto item = [this](const char *name, const char *caption, QKeySequence key) {
    QAction *action = PopupMenu1->addAction(Text(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    StringGrid1->addAction(action);
    return action;
  };
  PopupMenu1->addSeparator();
  Undo1 = item("Undo1", "元に戻す", QKeySequence(Qt::CTRL | Qt::Key_Z));
  Redo1 = item("Redo1", "やり直し", QKeySequence(Qt::CTRL | Qt::Key_Y));
  PopupMenu1->addSeparator();
  Copy1 = item("Copy1", "コピー", QKeySequence(Qt::CTRL | Qt::Key_C));
  Paste1 = item("Paste1", "貼り付け", QKeySequence(Qt::CTRL | Qt::Key_V));
  PopupMenu1->addSeparator();
  CsvImport1 = item("CsvImport1", "CSVファイルの読み込み...", {});
  CsvExport1 = item("CsvExport1", "CSVファイルへの書き出し...", {});
  connect(Undo1, &QAction::triggered, this, &TDataListForm::Undo1Click);
  connect(Redo1, &QAction::triggered, this, &TDataListForm::Redo1Click);
  connect(Copy1, &QAction::triggered, this, &TDataListForm::Copy1Click);
  connect(Paste1, &QAction::triggered, this, &TDataListForm::Paste1Click);
  connect(CsvImport1, &QAction::triggered, this, &TDataListForm::CsvImport1Click);
  connect(CsvExport1, &QAction::triggered, this, &TDataListForm::CsvExport1Click);
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] {
    Undo1->setEnabled(FGrid->UndoStack()->canUndo());
    Redo1->setEnabled(FGrid->UndoStack()->canRedo());
  });
  // Undo and redo pressed in an open cell editor act on the grid (the editor's text is
  // the cell's already); the editor closes first.
  connect(StringGrid1->Delegate(), &TCellDelegate::UndoPressed, this, &TDataListForm::Undo1Click);
  connect(StringGrid1->Delegate(), &TCellDelegate::RedoPressed, this, &TDataListForm::Redo1Click);
  connect(StringGrid1, &TStringGrid::EditorClosed, FGrid, &TDataGridModel::BreakTyping);
  setAcceptDrops(true);
}

// ---------------------------------------------------------------- undo

void TDataListForm::Undo1Click() {
  StringGrid1->HideEditor();
  const int col = Col();
  if (const int row = FGrid->Undo(); row > 0) SetCurrent(std::min(row, FGrid->RowCount() - 1), col);
  RefreshCaption();
  StringGrid1->setFocus();
}

void TDataListForm::Redo1Click() {
  StringGrid1->HideEditor();
  const int col = Col();
  if (const int row = FGrid->Redo(); row > 0) SetCurrent(std::min(row, FGrid->RowCount() - 1), col);
  RefreshCaption();
  StringGrid1->setFocus();
}

// ---------------------------------------------------------------- clipboard

void TDataListForm::Copy1Click() {
  StringGrid1->HideEditor();
  QModelIndexList selected = StringGrid1->selectionModel()->selectedIndexes();
  if (selected.isEmpty() && StringGrid1->currentIndex().isValid()) selected << StringGrid1->currentIndex();
  if (selected.isEmpty()) return;
  int top = INT_MAX, left = INT_MAX, bottom = 0, right = 0;
  for (const QModelIndex &index : selected) {
    top = std::min(top, index.row() + 1);
    bottom = std::max(bottom, index.row() + 1);
    left = std::min(left, index.column() + 1);
    right = std::max(right, index.column() + 1);
  }
  const auto block = FGrid->Block(top, left, bottom, right);
  auto *mime = new QMimeData;
  const QByteArray tsv = TsvText(block);
  mime->setText(QString::fromUtf8(tsv));
  mime->setData(QStringLiteral("text/tab-separated-values"), tsv);
  mime->setData(QStringLiteral("text/csv"), CsvText(block));
  QApplication::clipboard()->setMimeData(mime);
}

void TDataListForm::Paste1Click() {
  StringGrid1->HideEditor();
  QByteArray text;
  char separator = kTsvSeparator;
  if (!ClipboardCells(QApplication::clipboard()->mimeData(), text, separator) || text.isEmpty()) return;
  const int row = Row(), col = Col();
  const TCellTable cells = CellsFromUtf8(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                                         separator);
  if (cells.Unclosed != 0) {
    ShowSheetMessage(Text("貼り付ける文字列の %1 行目の引用符 (\") が閉じていません。何も変更しませんでした。")
                         .arg(cells.Unclosed));
    return;
  }
  if (cells.Unmappable && !AcceptUnmappable(*cells.Unmappable, row + cells.Unmappable->Row - 1)) return;
  FGrid->BeginChange(Text("貼り付け"));
  FGrid->PasteBlock(row, col, cells.Rows);
  FGrid->EndChange();
  RefreshCaption();
  // The pasted block stays selected, the cursor on its first cell.
  SetCurrent(row, col);
  const int bottom = std::min(row + static_cast<int>(cells.Rows.size()) - 1, FGrid->RecordCount());
  std::size_t width = 0;
  for (const auto &cellsOfRow : cells.Rows) width = std::max(width, cellsOfRow.size());
  const int right = std::min(col + static_cast<int>(width) - 1, 3);
  if (bottom >= row && right >= col)
    StringGrid1->selectionModel()->select(QItemSelection(FGrid->index(row - 1, col - 1), FGrid->index(bottom - 1, right - 1)),
                                          QItemSelectionModel::ClearAndSelect);
  StringGrid1->setFocus();
}

bool TDataListForm::AcceptUnmappable(const TUnmappable &unmappable, int row) {
  QMessageBox box(QMessageBox::Question, windowTitle(),
                  Text("%1 行目の「%2」(U+%3) は Shift-JIS で表せません。\n"
                       "表せない文字を「?」にして続けますか？")
                      .arg(row)
                      .arg(unmappable.Character)
                      .arg(unmappable.Character.toUcs4().value(0), 4, 16, QLatin1Char('0')),
                  QMessageBox::NoButton, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  QPushButton *go = box.addButton(Text("「?」にして続ける"), QMessageBox::AcceptRole);
  go->setObjectName(QStringLiteral("ReplaceButton"));
  box.addButton(Text("キャンセル"), QMessageBox::RejectRole)->setObjectName(QStringLiteral("CancelButton"));
  box.exec();
  return box.clickedButton() == go;
}

void TDataListForm::ShowSheetMessage(const QString &text, bool warning) {
  QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Information, windowTitle(), text, QMessageBox::Ok,
                  this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

// ---------------------------------------------------------------- CSV files

TCsvColumns TDataListForm::RememberedCsvColumns() const {
  TCsvColumns columns;
  int *fields[3] = {&columns.Code, &columns.Up, &columns.Down};
  for (int col = 0; col < 3; ++col) {
    try {
      *fields[col] = std::clamp(FEnvironment.ReadInteger(dlkey::CsvColumns[col]), -1, 1000);
    } catch (const std::exception &) {
      // never chosen, or a damaged value: the usual order
    }
  }
  return columns;
}

void TDataListForm::CsvImport1Click() {
  StringGrid1->HideEditor();
  QFileDialog dialog(this, Text("CSVファイルの読み込み"));
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({Text("CSVファイル (*.csv *.txt)"), Text("すべてのファイル (*)")});
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    ImportCsvFile(dialog.selectedFiles().constFirst());
  StringGrid1->setFocus();
}

bool TDataListForm::ImportCsvFile(const QString &path) {
  StringGrid1->HideEditor();
  FileReadResult file = ReadRegularFile(path, kCsvFileLimit);
  if (!file.Read) {
    ShowSheetMessage(Text("CSVファイルを読み込めませんでした。\n%1\n%2").arg(path, file.Error));
    return false;
  }
  TCsvImportForm form(path, file.Bytes.toStdString(), RememberedCsvColumns(), this);
  form.exec();
  if (form.Mode() == cimCancel) return false;
  const TCellTable &table = form.Table();
  if (table.Unclosed != 0) {
    ShowSheetMessage(Text("%1 行目の引用符 (\") が閉じていません。何も変更しませんでした。").arg(table.Unclosed));
    return false;
  }
  if (table.Unmappable && !AcceptUnmappable(*table.Unmappable, table.Unmappable->Row)) return false;
  const TCsvColumns columns = form.Columns();
  const int chosen[3] = {columns.Code, columns.Up, columns.Down};
  for (int col = 0; col < 3; ++col) FEnvironment.WriteInteger(dlkey::CsvColumns[col], chosen[col]);
  FGrid->BeginChange(Text("CSVファイルの読み込み"));
  if (form.Mode() == cimReplace) FGrid->ReplaceRecords(form.Records());
  else FGrid->AppendRecords(form.Records());
  FGrid->EndChange();
  RefreshCaption();
  SetCurrent(1, 1);
  StringGrid1->setFocus();
  return true;
}

void TDataListForm::CsvExport1Click() {
  StringGrid1->HideEditor();
  const QStringList filters = {Text("CSV UTF-8 BOM付き (*.csv)"), Text("CSV Shift-JIS (*.csv)")};
  int encoding = ceUtf8;
  try {
    encoding = std::clamp(FEnvironment.ReadInteger(dlkey::CsvExportEncoding), 0, 1);
  } catch (const std::exception &) {  // never chosen: UTF-8
  }
  QFileDialog dialog(this, Text("CSVファイルへの書き出し"));
  dialog.setObjectName(QStringLiteral("SaveDialog1"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters[encoding]);
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    encoding = std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    FEnvironment.WriteInteger(dlkey::CsvExportEncoding, encoding);
    ExportCsvFile(dialog.selectedFiles().constFirst(), static_cast<TCsvEncoding>(encoding));
  }
  StringGrid1->setFocus();
}

bool TDataListForm::ExportCsvFile(const QString &path, TCsvEncoding encoding) {
  StringGrid1->HideEditor();
  QString error;
  if (WriteFileAtomically(path, CsvFileBytes(FGrid->Records(), encoding), &error)) return true;
  ShowSheetMessage(Text("CSVファイルを書き出せませんでした。\n%1").arg(error));
  return false;
}

// ---------------------------------------------------------------- drops

void TDataListForm::dragEnterEvent(QDragEnterEvent *event) { AcceptTableDrag(event); }

void TDataListForm::dropEvent(QDropEvent *event) {
  OpenTableDrop(event, this, [this](const QString &path) { ImportCsvFile(path); });
}

}  // namespace plomix
