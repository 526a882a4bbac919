#pragma once
// The data list's grid: a table view over TDataGridModel with a line editor whose every
// keystroke reaches the cell at once. Enter is handed to the window (ReturnPressed)
// whether or not the editor is open; the window decides what follows.
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

namespace plomix {

class TCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override;
  QWidget *Editor() const { return FEditor; }

 signals:
  void ReturnPressed();
  void UndoPressed();
  void RedoPressed();

 protected:
  bool eventFilter(QObject *object, QEvent *event) override;

 private:
  mutable QPointer<QWidget> FEditor;
};

class TStringGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TStringGrid(QWidget *parent = nullptr);

  TCellDelegate *Delegate() const { return FDelegate; }
  bool Editing() const { return state() == QAbstractItemView::EditingState; }
  // Opens the editor on the current cell, or closes the open one keeping its text.
  void ShowEditor();
  void HideEditor();
  // The editor is opened on every cell that becomes current.
  void SetAlwaysShowEditor(bool on);
  bool AlwaysShowEditor() const { return FAlwaysShowEditor; }

 signals:
  void ReturnPressed();
  // The cell editor closed: what is typed next is a new change.
  void EditorClosed();

 protected:
  void keyPressEvent(QKeyEvent *event) override;
  void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  TCellDelegate *FDelegate;
  bool FAlwaysShowEditor = false;
};

}  // namespace plomix
