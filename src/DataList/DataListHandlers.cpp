// TDataListForm's handlers: Enter and validation, OK, delete, insert, drag, swap, search,
// the counter panels, font, sort and print.
#include <QColorDialog>
#include <QFontDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>

#include "Common/Colors.h"
#include "Common/UiText.h"
#include "Common/ShiftJis.h"
#include "DataList/GridSearch.h"
#include "DataList/TDataListForm.h"
#include "Records/RecordList.h"
#include "Sort/TSortForm.h"

namespace plomix {
namespace {

int PanelStep(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  int step = 1;
  if (modifiers & Qt::ShiftModifier) step = 4;
  else if (modifiers & Qt::ControlModifier) step = 3;
  else if (modifiers & Qt::AltModifier) step = 2;
  if (buttons & Qt::LeftButton) return -step;
  if (buttons & Qt::RightButton) return step;
  return 0;
}

}  // namespace

// ---------------------------------------------------------------- editing

void TDataListForm::StringGrid1SetEditText(int col, int row) {
  const int rowCount = FGrid->RowCount();
  if (col != 1 || row != rowCount - 1 || FGrid->Cell(row, col).empty()) return;
  FGrid->SetRowCount(rowCount + 1);
  RefreshCaption();
}

TCheckResult TDataListForm::CheckData() const {
  return plomix::CheckData(FGrid->RecordCount(),
                           [this](int row) -> std::string_view { return FGrid->Cell(row, 1); });
}

void TDataListForm::ShowCheckMessage(const TCheckResult &result) {
  QString text;
  if (result.First != result.Second)
    text = QString::number(result.Second) + Text("行目と ") + QString::number(result.First) +
           Text("行目のデータが重複しています。");
  else
    text = QString::number(result.First) + Text("行目のバーコード文字列が入力されていません。");
  QMessageBox box(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

void TDataListForm::StringGrid1KeyDown(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  const int row = Row();
  const int col = Col();
  const int rowCount = FGrid->RowCount();
  if (row < rowCount - 1 && CheckBox1->isChecked()) SetRow(row + 1);
  TCheckResult result;
  if (col == 1 && (row == rowCount - 2 || CheckBox3->isChecked())) result = CheckData();
  if (result.First != result.Second) {
    ShowCheckMessage(result);
    if (row != result.First && row != result.Second) SetRow(result.Second);
  } else if (result.First != 0) {
    ShowCheckMessage(result);
    SetRow(result.First);
  }
}

// Enter reaches the window first; then, as in any grid, it opens a closed cell editor or
// closes an open one, unless the editor is always shown. An editor that was open on a
// cell the handler moved away from counts as closed by the move. A message box in
// between may already have taken the editor down; it still counts as open.
void TDataListForm::ReturnPressed() {
  const bool wasEditing = StringGrid1->Editing();
  const QModelIndex before = StringGrid1->currentIndex();
  StringGrid1KeyDown(Qt::Key_Return);
  if (StringGrid1->AlwaysShowEditor()) return;
  if (!wasEditing || StringGrid1->currentIndex() != before) StringGrid1->ShowEditor();
  else StringGrid1->HideEditor();
}

void TDataListForm::Button1Click() {
  const TCheckResult result = CheckData();
  if (result.First != 0) {
    ShowCheckMessage(result);
    StringGrid1->setFocus();
    SetCurrent(result.Second, 1);
    return;
  }
  std::vector<std::string> codes, ups, downs;
  const int count = FGrid->RecordCount();
  for (auto *list : {&codes, &ups, &downs}) list->reserve(static_cast<std::size_t>(count));
  for (int row = 1; row <= count; ++row) {
    const TDataRecord &record = FGrid->Row(row);
    codes.push_back(record.Code);
    ups.push_back(record.CommentUp);
    downs.push_back(record.CommentDown);
  }
  FRecords.Replace(std::move(codes), std::move(ups), std::move(downs));
  done(QDialog::Accepted);
}

// ---------------------------------------------------------------- rows

void TDataListForm::Button3Click() {
  const int row = Row();
  const int rowCount = FGrid->RowCount();
  if (row < rowCount - 1 && rowCount > 2) {
    FGrid->RemoveRecord(row);
    SetCurrent(row, 1);
    RefreshCaption();
  }
  StringGrid1->setFocus();
}

void TDataListForm::Button7MouseDown(Qt::KeyboardModifiers modifiers) {
  const int row = Row();
  FGrid->SetRowCount(FGrid->RowCount() + 1);
  const int last = FGrid->RowCount() - 1;
  SetCol(1);
  int current = row;
  if (modifiers & Qt::ControlModifier) {  // a copy of the current record after it
    MoveRecord(last, row + 1);
    FGrid->SetRow(row + 1, FGrid->Row(row));
    current = row + 1;
  } else if (modifiers & Qt::ShiftModifier) {  // a copy of the current record before it
    MoveRecord(last, row);
    FGrid->SetRow(row, FGrid->Row(row + 1));
  } else if (modifiers & Qt::AltModifier) {  // an empty record after the current one
    MoveRecord(last, row + 1);
    current = row + 1;
  } else {  // an empty record before the current one
    MoveRecord(last, row);
  }
  SetCurrent(current, 1);
  StringGrid1->setFocus();
  RefreshCaption();
}

// The grid's header lets the user drag a row by its number. The header only moves its
// sections on screen; the records move in the model, and the header is put back.
void TDataListForm::HeaderSectionMoved(int, int oldVisual, int newVisual) {
  if (FRestoringHeader) return;
  FRestoringHeader = true;
  StringGrid1->verticalHeader()->moveSection(newVisual, oldVisual);
  FRestoringHeader = false;
  const int from = oldVisual + 1;
  const int to = newVisual + 1;
  const int current = Row();
  const int col = Col();
  MoveRecord(from, to);  // the grid's own move; the current row follows its record
  int moved = current;
  if (current == from) moved = to;
  else if (from < current && current <= to) moved = current - 1;
  else if (to <= current && current < from) moved = current + 1;
  SetCurrent(moved, col);
  StringGrid1RowMoved(from, to);
  if (Row() != current && (from == FGrid->RowCount() - 1 || to == FGrid->RowCount() - 1))
    SetCurrent(current, col);  // undone: the cursor goes back with the records
}

void TDataListForm::StringGrid1RowMoved(int from, int to) {
  const int entryRow = FGrid->RowCount() - 1;
  if (from == entryRow || to == entryRow) MoveRecord(to, from);
  // Column 0 numbers the rows by their position: nothing to renumber.
}

void TDataListForm::UpDown1Click(TUDBtnType button) {
  const int rowCount = FGrid->RowCount();
  if (rowCount < 4) return;
  const int row = Row();
  if (button == btNext) {
    if (row > 1 && row < rowCount - 1) {
      ExchangeRecords(row - 1, row);
      SetRow(row - 1);
    }
  } else if (row < rowCount - 2) {
    ExchangeRecords(row, row + 1);
    SetRow(row + 1);
  }
}

// ---------------------------------------------------------------- search

bool TDataListForm::FindCell(const std::string &text, bool forward) {
  const bool exact = CheckBox4->isChecked() || text.empty();
  const int start = (Row() - 1) * 3 + (Col() - 1);
  const int last = 3 * (FGrid->RowCount() - 2);  // the entry row's barcode cell
  const int found = FindCellIndex(start, last, forward, text, exact, [this](int k) -> std::string_view {
    return FGrid->Cell(k / 3 + 1, k % 3 + 1);
  });
  if (found < 0) return false;
  SetCurrent(found / 3 + 1, found % 3 + 1);
  return true;
}

void TDataListForm::UpDown2Click(TUDBtnType button) {
  FindCell(UnicodeToSjis(Edit1->text()), button == btPrev);
}

void TDataListForm::N1Click() {
  QInputDialog dialog(this);
  dialog.setObjectName(QStringLiteral("InputQuery"));
  dialog.setWindowTitle(Text("検索文字列の入力"));
  dialog.setLabelText(Text("検索文字列入力を入力して下さい。"));
  dialog.setTextValue(Edit1->text());
  if (dialog.exec() != QDialog::Accepted) return;
  Edit1->setText(dialog.textValue());
  FindCell(UnicodeToSjis(Edit1->text()), true);
}

void TDataListForm::N3Click() { FindCell(UnicodeToSjis(Edit1->text()), true); }
void TDataListForm::N4Click() { FindCell(UnicodeToSjis(Edit1->text()), false); }
void TDataListForm::N6Click() { SetCurrent(1, 1); }
void TDataListForm::N7Click() { SetCurrent(FGrid->RowCount() - 1, 1); }

// ---------------------------------------------------------------- panels and check boxes

void TDataListForm::Panel2MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  SetRowHeight(std::clamp(RowHeight() + PanelStep(buttons, modifiers), 6, 80));
  Panel2->setText(Text("行間隔 = ") + QString::number(RowHeight()));
}

void TDataListForm::Panel3MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  PrintColumns = std::clamp(PrintColumns + PanelStep(buttons, modifiers), 1, 24);
  Panel3->setText(Text("印刷の段数 = ") + QString::number(PrintColumns));
}

void TDataListForm::CheckBox1Click() { StringGrid1->setFocus(); }
void TDataListForm::CheckBox2Click() {
  StringGrid1->SetAlwaysShowEditor(CheckBox2->isChecked());
  StringGrid1->setFocus();
}
void TDataListForm::CheckBox3Click() { StringGrid1->setFocus(); }
void TDataListForm::CheckBox4Click() { StringGrid1->setFocus(); }

// ---------------------------------------------------------------- font, sort, print

void TDataListForm::Button4Click() {
  QFontDialog dialog(FGridFont.Font, this);
  dialog.setObjectName(QStringLiteral("FontDialog1"));
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  if (dialog.exec() == QDialog::Accepted) {
    // Qt's font dialog has no colour: the text's colour is chosen right after the font.
    TColor color = FGridFont.Color;
    QColorDialog colors(ColorToQColor(color), this);
    colors.setObjectName(QStringLiteral("ColorDialog1"));
    colors.setOption(QColorDialog::DontUseNativeDialog);
    if (colors.exec() == QDialog::Accepted) color = QColorToColor(colors.selectedColor());
    SetGridFont({dialog.selectedFont(), color});
  }
  StringGrid1->setFocus();
}

void TDataListForm::Button5Click() {
  if (FGrid->RowCount() < 4) return;
  int result;
  {
    TSortForm dialog(FSortKey, FSortDirection, this);
    result = dialog.exec();
  }
  StringGrid1->setFocus();
  if (result != QDialog::Accepted) return;
  SortDirection = FSortDirection;
  SortColumn = FSortKey == skCommentUp ? 2 : FSortKey == skCommentDown ? 3 : 1;
  FGrid->SortRecords(SortColumn, SortDirection);
  SetCurrent(1, 1);
}

void TDataListForm::Button6Click() {
  TListPrintJob job;
  job.Text = ListPrintText(FGrid->Rows(), FGrid->RecordCount());
  job.Title = UnicodeToSjis(Text("データ一覧"));
  job.BodyFont = FGridFont.Font;
  job.BodyColor = ColorToQColor(FGridFont.Color);
  job.TabWidth = 8;
  job.LineNumberWidth = 0;
  job.LeftMargin = 76;
  job.RightMargin = 76;
  job.TopMargin = 76;
  job.BottomMargin = 92;
  job.Columns = PrintColumns;
  job.ColumnGap = 32;
  job.HeaderFlags = hfTitle | hfDate | hfColumnNumber;
  job.HeaderFont = font();
  job.Copies = 1;
  if (PrintList) PrintList(job);
  else PrintOnProgramPrinter(job);
  StringGrid1->setFocus();
}

// The printer chosen in the program, else the system's default printer, else a new PDF
// file: a failure, and a PDF written for want of a printer, are told to the user.
void TDataListForm::PrintOnProgramPrinter(const TListPrintJob &job) {
  const TPrintTextResult result = PrintText(job, ChosenPrinter);
  QString text;
  if (!result.Error.isEmpty()) text = Text("印刷できませんでした。\n") + result.Error;
  else if (!result.OutputFile.isEmpty())
    text = Text("プリンタがないため、PDF ファイルに印刷しました。\n") + result.OutputFile;
  if (text.isEmpty()) return;
  QMessageBox box(result.Error.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
                  windowTitle(), text, QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

}  // namespace plomix
