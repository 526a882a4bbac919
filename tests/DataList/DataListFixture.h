#pragma once
// A data list window over a record list of its own, driven through its named controls:
// clicks on cells and buttons, keys to the focus widget.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "Common/ShiftJis.h"
#include "DataList/TDataListForm.h"
#include "Records/RecordList.h"
#include "Param/TParameter.h"
#include "tests/support/ModalDialog.h"

namespace plomix::test {

inline QString U(const char *utf8) { return QString::fromUtf8(utf8); }
inline std::string S(const char *utf8) { return UnicodeToSjis(QString::fromUtf8(utf8)); }

inline std::vector<TDataRecord> CodesOnly(std::initializer_list<const char *> codes) {
  std::vector<TDataRecord> records;
  for (const char *code : codes) records.push_back({S(code), {}, {}});
  return records;
}

struct ListFixture {
  TRecordList records;
  TParameter environment;
  TSortKey sortKey = skCode;
  int sortDirection = 1;
  std::unique_ptr<TDataListForm> form;
  std::vector<TListPrintJob> printed;
  QStringList messages;  // texts of the message boxes answered so far

  void Open(const std::vector<TDataRecord> &list, int current = 0) {
    std::vector<std::string> codes, ups, downs;
    for (const TDataRecord &r : list) {
      codes.push_back(r.Code);
      ups.push_back(r.CommentUp);
      downs.push_back(r.CommentDown);
    }
    records.Replace(codes, ups, downs);
    form = std::make_unique<TDataListForm>(records, environment, sortKey, sortDirection,
                                           list.empty() ? -1 : current);
    form->PrintList = [this](const TListPrintJob &job) { printed.push_back(job); };
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::setActiveWindow(form.get());
  }

  TStringGrid *Grid() const { return form->StringGrid1; }
  TDataGridModel *Model() const { return form->Grid(); }
  int RowCount() const { return Model()->RowCount(); }

  // A click on a cell, which also gives the grid the focus.
  void ClickCell(int row, int col) const {
    const QModelIndex index = Model()->index(row - 1, col - 1);
    Grid()->scrollTo(index);
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, Grid()->visualRect(index).center());
  }
  void Click(QWidget *widget, Qt::KeyboardModifiers modifiers = {}) const {
    QTest::mouseClick(widget, Qt::LeftButton, modifiers);
  }
  // Keys go to whatever has the focus, as a user's keys do.
  // The offscreen platform has no window manager to give the window back its activation
  // when a dialog over it closes: do what the window manager does.
  void Reactivate() const {
    if (QApplication::activeWindow() != form.get()) {
      QApplication::setActiveWindow(form.get());
      QApplication::processEvents();
    }
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
    Reactivate();
    QWidget *focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
  }
  void Type(const QString &text) const {
    for (qsizetype i = 0; i < text.size(); ++i) {  // one event per character
      const qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
      Reactivate();
      QWidget *focus = QApplication::focusWidget();
      ASSERT_NE(focus, nullptr);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
      QApplication::sendEvent(focus, &press);
      i += length - 1;
    }
  }
  // Answers the next message box with OK, remembering its text.
  void ExpectMessage() {
    AnswerNextModal([this](QWidget *modal) {
      if (auto *box = qobject_cast<QMessageBox *>(modal)) messages << box->text();
      static_cast<QDialog *>(modal)->accept();
    });
  }

  std::pair<int, int> Current() const { return {form->Row(), form->Col()}; }
  std::vector<std::string> Column(int col) const {
    std::vector<std::string> cells;
    for (int row = 1; row <= RowCount() - 2; ++row) cells.push_back(Model()->Cell(row, col));
    return cells;
  }
  std::vector<std::string> Codes() const { return Column(1); }
};

}  // namespace plomix::test
