#pragma once
// The data list window: the whole record list in an editable grid with an entry row at
// the bottom; insert, delete, swap and drag records, search, sort and print them. It
// edits a copy: the record list is replaced only by OK. Every close writes the window's
// settings into the environment store and leaves the current record's index behind.
#include <QDialog>
#include <string>

#include "Common/Fonts.h"
#include "DataList/CheckData.h"
#include "DataList/DataGridModel.h"
#include "DataList/ListPrintText.h"
#include "Widgets/UpDown.h"
#include "Sort/SortKey.h"
#include "ui_TDataListForm.h"

class QAction;
class QMenu;
class QPrinter;

namespace plomix {

class TParameter;
class TRecordList;

class TDataListForm : public QDialog, public Ui::TDataListForm {
  Q_OBJECT

 public:
  // `sortKey` and `sortDirection` are the main window's sort settings, which the sort
  // dialog reads and changes.
  TDataListForm(TRecordList &records, TParameter &environment, TSortKey &sortKey,
                int &sortDirection, int currentIndex, QWidget *owner = nullptr);
  ~TDataListForm() override;

  TDataGridModel *Grid() const { return FGrid; }
  int SortColumn = 1;
  int SortDirection = 1;
  int PrintColumns = 1;

  // The index the main window takes back at close (current row - 1).
  int ListReturnIndex() const { return FListReturnIndex; }
  // Prints the list as text; empty: PrintText on the program's printer.
  TListPrinter PrintList;
  // The printer the user chose in the main window's set-up; null before any choice, when
  // the list goes to the system's default printer.
  QPrinter *ChosenPrinter = nullptr;

  // The current cell in grid coordinates (row 1.., column 1..3).
  int Row() const;
  int Col() const;
  // Makes the cell current unless the selection rule forbids it.
  void SetCurrent(int row, int col);
  void SetRow(int row) { SetCurrent(row, Col()); }
  void SetCol(int col) { SetCurrent(Row(), col); }
  void RefreshCaption();

  QMenu *PopupMenu1 = nullptr;
  QAction *N1 = nullptr, *N3 = nullptr, *N4 = nullptr, *N6 = nullptr, *N7 = nullptr;
  QAction *N9 = nullptr;  // 住所からカスタマバーコード: the chosen rows' upper comments as addresses

  // --- handlers ---
  void FormShow();
  void FormCloseQuery();
  bool StringGrid1SelectCell(int col, int row) const;
  void StringGrid1SetEditText(int col, int row);
  void StringGrid1KeyDown(int key);
  void StringGrid1RowMoved(int from, int to);
  void Button1Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7MouseDown(Qt::KeyboardModifiers modifiers);
  void UpDown1Click(TUDBtnType button);
  void UpDown2Click(TUDBtnType button);
  void Panel2MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void Panel3MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void CheckBox4Click();
  void N1Click();
  void N3Click();
  void N4Click();
  void N6Click();
  void N7Click();
  void N9Click();

  // --- operations on grid rows ---
  void MoveRecord(int from, int to) { FGrid->MoveRecord(from, to); }
  void ExchangeRecords(int a, int b) { FGrid->ExchangeRecords(a, b); }
  TCheckResult CheckData() const;
  bool FindCell(const std::string &text, bool forward);

  // The grid's font with its colour.
  TFont GridFont() const { return FGridFont; }
  void SetGridFont(const TFont &font);
  int RowHeight() const;

  void done(int result) override;
  void reject() override { done(2); }

 protected:
  void showEvent(QShowEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void CreatePopupMenu();
  void ConnectHandlers();
  void ReadSettings();
  void WriteSettings();
  void ShowCheckMessage(const TCheckResult &result);
  void PrintOnProgramPrinter(const TListPrintJob &job);
  void SetRowHeight(int height);
  void ReturnPressed();
  void HeaderSectionMoved(int logical, int oldVisual, int newVisual);

  TRecordList &FRecords;
  TParameter &FEnvironment;
  TSortKey &FSortKey;
  int &FSortDirection;
  int FCurrentIndex;
  TDataGridModel *FGrid;
  TFont FGridFont;
  int FListReturnIndex = 0;
  bool FShownOnce = false;
  bool FRestoringHeader = false;
};

}  // namespace plomix
