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
      form->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
  }

  template <typename T> T *Find(const char *name) const {
    return form->findChild<T *>(QString::fromLatin1(name));
  }
  QComboBox *Box(const char *name) const { return Find<QComboBox>(name); }

  // Focuses a control as a user does, by clicking it (an editable box in its text field).
  // Keys then go to QApplication::focusWidget(), wherever Qt put the focus.
  void Focus(const char *name) const {
    auto *target = Find<QWidget>(name);
    if (auto *box = qobject_cast<QComboBox *>(target); box && box->lineEdit()) target = box->lineEdit();
    // A click in a window activates it (the offscreen platform leaves that to the test).
    if (!form->isActiveWindow()) {
      form->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    QTest::mouseClick(target, Qt::LeftButton);
    EXPECT_NE(QApplication::focusWidget(), nullptr) << name;
  }
  // A key pressed on the keyboard: it goes to the focus widget.
  static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget *focus = QApplication::focusWidget();
    EXPECT_NE(focus, nullptr);
    if (focus) QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
  }
  // Text typed on the keyboard (or committed by an input method) into the focus widget.
  static void Type(const QString &text) {
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
  }
  // Clicks a box, replaces its text by typing and presses Enter, as a user does.
  void TypeEnter(const char *box, const QString &text) const {
    TypeText(box, text);
    Key(Qt::Key_Return);
  }
  void TypeText(const char *box, const QString &text) const {
    Focus(box);
    Key(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) Key(Qt::Key_Delete);
    Type(text);
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
