#pragma once
// A main window in a temporary program directory, driven through its named controls.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "BarImage/TBarImage.h"
#include "Common/ShiftJis.h"
#include "Frame/TFrameForm.h"

namespace plomix::test {

inline QString U(const char *utf8) { return QString::fromUtf8(utf8); }

struct FrameFixture {
  QTemporaryDir dir;
  std::unique_ptr<TFrameForm> form;

  explicit FrameFixture(bool show = true) {
    form = std::make_unique<TFrameForm>(dir.path());
    if (show) {
      form->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
  }

  template <typename T> T *Find(const char *name) const {
    return form->findChild<T *>(QString::fromLatin1(name));
  }
  QComboBox *Box(const char *name) const { return Find<QComboBox>(name); }

  // Types text into an editable box and presses Enter, as a user does.
  void TypeEnter(const char *box, const QString &text) const {
    TypeText(box, text);
    QTest::keyClick(Box(box)->lineEdit(), Qt::Key_Return);
  }
  void TypeText(const char *box, const QString &text) const {
    QLineEdit *edit = Box(box)->lineEdit();
    edit->selectAll();
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Delete);
    for (const QChar c : text) {  // key events carrying text, as an input method sends them
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
    }
  }
  // Chooses an entry from a drop-down list, as a click in its list does.
  void Choose(const char *box, int index) const {
    QComboBox *combo = Box(box);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  void SetSymbology(TBarTypes type) const { Choose("ComboBox2", type); }
  void AddCodes(std::initializer_list<const char *> codes) const {
    for (const char *code : codes) TypeEnter("ComboBox1", U(code));
  }
  std::vector<std::string> Codes() const { return form->Records()->List(rfCode); }
};

}  // namespace plomix::test
