#include "DataList/StringGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <climits>

namespace plomix {
namespace {

bool IsReturn(const QEvent *event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent *>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

QWidget *TCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                     const QModelIndex &) const {
  auto *editor = new QLineEdit(parent);
  editor->setFrame(false);
  editor->setMaxLength(INT_MAX);  // a long cell is edited whole, never cut
  auto *self = const_cast<TCellDelegate *>(this);
  connect(editor, &QLineEdit::textEdited, self, [self, editor] { emit self->commitData(editor); });
  FEditor = editor;
  return editor;
}

bool TCellDelegate::eventFilter(QObject *object, QEvent *event) {
  if (IsReturn(event)) {
    emit ReturnPressed();
    return true;
  }
  // The editor's own undo would change its text behind the cell's back.
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo) ||
                      (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier);
    if (undo || redo) {
      if (event->type() == QEvent::KeyPress) {
        if (undo) emit UndoPressed();
        else emit RedoPressed();
      }
      event->accept();
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

TStringGrid::TStringGrid(QWidget *parent) : QTableView(parent), FDelegate(new TCellDelegate(this)) {
  setItemDelegate(FDelegate);
  connect(FDelegate, &TCellDelegate::ReturnPressed, this, &TStringGrid::ReturnPressed);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);
  setTabKeyNavigation(true);
  QHeaderView *rows = verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(1);
  rows->setSectionsMovable(true);
  rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
}

void TStringGrid::ShowEditor() {
  if (!Editing() && currentIndex().isValid()) edit(currentIndex());
}

void TStringGrid::HideEditor() {
  if (!Editing()) return;
  if (QWidget *editor = FDelegate->Editor()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void TStringGrid::SetAlwaysShowEditor(bool on) {
  FAlwaysShowEditor = on;
  QAbstractItemView::EditTriggers triggers = QAbstractItemView::DoubleClicked |
                                             QAbstractItemView::EditKeyPressed |
                                             QAbstractItemView::AnyKeyPressed;
  if (on) triggers |= QAbstractItemView::CurrentChanged | QAbstractItemView::SelectedClicked;
  setEditTriggers(triggers);
  if (on) ShowEditor();
}

void TStringGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableView::closeEditor(editor, hint);
  emit EditorClosed();
}

void TStringGrid::keyPressEvent(QKeyEvent *event) {
  if (IsReturn(event)) {
    emit ReturnPressed();
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace plomix
