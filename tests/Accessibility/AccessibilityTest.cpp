// Every window as a screen reader and a keyboard-only user meet it: each control a user
// can reach has a name in the accessibility tree, Tab visits every control in the
// order of the layout, and dialogs answer Enter and Escape.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QLabel>
#include <QPrinter>

#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"
#include "DataList/TDataListForm.h"
#include "Frame/TFrameForm.h"
#include "Preview/TPreviewForm.h"
#include "Print/PrintState.h"
#include "Param/TParameter.h"
#include "Records/RecordList.h"
#include "Sort/TSortForm.h"
#include "Progress/TProgressForm.h"

namespace plomix {
namespace {

// Every window the program can open, built as the program builds it. A new window
// adds its row here; windows a window creates on its own are found as top-levels.
struct WindowRow {
  const char *name;
  std::function<std::unique_ptr<QWidget>(const QString &dir)> make;
};
// The main window's sort settings and an environment with no keys: the windows it opens
// refer to these.
TSortKey gSortKey = skCode;
int gSortDirection = 1;
TRecordList gRecords;
TParameter gEnvironment;

// What the preview is shown for: one symbol printed to a PDF file.
struct PreviewHost : TPrintHost {
  TBarImage bar;
  TPrintState state;
  QPrinter printer{QPrinter::HighResolution};
  int scale = 100;
  PreviewHost() {
    printer.setOutputFormat(QPrinter::PdfFormat);
    ApplySymbolDesignDefaults(bar);
    bar.SetCode("123");
  }
  TPrintState &PrintState() override { return state; }
  const TBarSymbol &PrintSymbol() const override { return bar; }
  const TRecordList &PrintRecords() const override { return gRecords; }
  int PrintScale() const override { return scale; }
  void SetPrintScale(int percent) override { scale = percent; }
  int PrintCopies() const override { return 1; }
  QPrinter &Printer() override { return printer; }
};

const WindowRow kWindows[] = {
    {"TFrameForm", [](const QString &dir) { return std::make_unique<TFrameForm>(dir); }},
    {"TProgressForm", [](const QString &) { return std::make_unique<TProgressForm>(); }},
    {"TSortForm", [](const QString &) { return std::make_unique<TSortForm>(gSortKey, gSortDirection); }},
    {"TDataListForm",
     [](const QString &) {
       gRecords.Replace({"A1", "B2"}, {"up", ""}, {"", "down"});
       return std::make_unique<TDataListForm>(gRecords, gEnvironment, gSortKey, gSortDirection, 0);
     }},
    {"TPreviewForm",
     [](const QString &) {
       static PreviewHost host;
       return std::make_unique<TPreviewForm>(host, nullptr);
     }},
};

QString Describe(QAccessibleInterface *item) {
  QObject *object = item->object();
  return QStringLiteral("%1 (%2, role %3)")
      .arg(object ? object->objectName() + QStringLiteral(" in ") +
                        (object->parent() ? object->parent()->objectName() : QString())
                  : QString(),
           object ? QString::fromLatin1(object->metaObject()->className()) : QString())
      .arg(item->role());
}

// A name as an assistive technology finds it: the item's own, or its label's. On Linux
// Qt names a drop-down box by its current value, so a box needs a label.
bool HasName(QAccessibleInterface *item) {
  if (!item->text(QAccessible::Name).trimmed().isEmpty()) return true;
  for (const auto &[label, relation] : item->relations(QAccessible::Label))
    if (!label->text(QAccessible::Name).trimmed().isEmpty()) return true;
  return false;
}

// The controls of the tree a user can reach by keyboard or press, without a name.
void CollectNameless(QAccessibleInterface *item, QStringList &nameless) {
  const QAccessible::State state = item->state();
  if (state.invisible) return;
  QAccessibleActionInterface *actions = item->actionInterface();
  const bool pressable =
      actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
  // A grid cell's name is its text, empty for an empty cell.
  if ((state.focusable || pressable) && item->role() != QAccessible::Cell && !HasName(item))
    nameless << Describe(item);
  // A value panel's name is its value: its description says what the value is.
  if (state.focusable && qobject_cast<QLabel *>(item->object()) &&
      item->text(QAccessible::Description).trimmed().isEmpty())
    nameless << Describe(item) + QStringLiteral(" has no description");
  for (int i = 0; i < item->childCount(); ++i)
    if (QAccessibleInterface *child = item->child(i)) CollectNameless(child, nameless);
}

class EveryWindow : public ::testing::TestWithParam<WindowRow> {
 protected:
  QTemporaryDir dir_;
};

TEST_P(EveryWindow, NoReachableControlWithoutAName) {
  std::unique_ptr<QWidget> window = GetParam().make(dir_.path());
  window->resize(900, 600);  // room for every pane, so none is hidden by its size
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QStringList nameless;
  for (QWidget *top : QApplication::topLevelWidgets()) {
    if (!top->isVisible()) continue;
    CollectNameless(QAccessible::queryAccessibleInterface(top), nameless);
  }
  EXPECT_TRUE(nameless.isEmpty()) << nameless.join(QLatin1Char('\n')).toStdString();
}

// Controls that a symbology shows only when chosen (the start and stop characters of
// NW-7, the check digit's and the frame's boxes) are named as well: each symbology in turn.
TEST(HiddenControls, EverySymbologyShowsOnlyNamedControls) {
  QTemporaryDir dir;
  TFrameForm form(dir.path());
  form.resize(900, 600);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  for (int index = 0; index < form.ComboBox2->count(); ++index) {
    form.ComboBox2->setCurrentIndex(index);
    emit form.ComboBox2->activated(index);
    QStringList nameless;
    CollectNameless(QAccessible::queryAccessibleInterface(&form), nameless);
    EXPECT_TRUE(nameless.isEmpty()) << form.ComboBox2->currentText().toStdString() << ":\n"
                                    << nameless.join(QLatin1Char('\n')).toStdString();
  }
}

// A dialog has at most one default button for Enter (none where Enter belongs to its
// grid and search box, as in the data list) and closes on Escape.
TEST_P(EveryWindow, DialogsHaveOneDefaultButtonAtMostAndCloseOnEscape) {
  std::unique_ptr<QWidget> window = GetParam().make(dir_.path());
  std::vector<QDialog *> dialogs = {qobject_cast<QDialog *>(window.get())};
  for (QDialog *child : window->findChildren<QDialog *>()) dialogs.push_back(child);
  for (QDialog *dialog : dialogs) {
    if (!dialog) continue;
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    int defaults = 0;
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) defaults += button->isDefault();
    EXPECT_LE(defaults, 1) << dialog->objectName().toStdString();
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible()) << dialog->objectName().toStdString() << " stays open on Escape";
  }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindow, ::testing::ValuesIn(kWindows),
                         [](const auto &info) { return std::string(info.param.name); });

// The reading position of a control: its top-left in the window.
QPoint At(const QWidget *w) { return w->mapTo(w->window(), QPoint(0, 0)); }

// The control a user sees focused: an editable box rather than its inner line edit.
QWidget *Control(QWidget *w) {
  if (auto *box = qobject_cast<QComboBox *>(w->parentWidget()); box && box->lineEdit() == w) return box;
  return w;
}

// Tab from the first control around to it again, pressing keys where the focus is.
TEST(KeyboardOnly, TabVisitsEveryControlOfTheMainWindowInLayoutOrder) {
  QTemporaryDir dir;
  TFrameForm form(dir.path());
  form.resize(900, 600);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QApplication::setActiveWindow(&form);
  QTest::mouseClick(form.ComboBox1->lineEdit(), Qt::LeftButton);
  ASSERT_EQ(Control(QApplication::focusWidget()), form.ComboBox1);

  std::vector<QWidget *> chain;
  for (int i = 0; i < 200; ++i) {
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QWidget *focus = Control(QApplication::focusWidget());
    if (!chain.empty() && focus == chain.front()) break;
    chain.push_back(focus);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }

  // Every control that takes Tab is visited once.
  std::vector<QWidget *> reachable;
  for (QWidget *w : form.findChildren<QWidget *>()) {
    if (!w->isVisibleTo(&form) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
    if (Control(w) != w) continue;
    reachable.push_back(w);
  }
  for (QWidget *w : reachable)
    EXPECT_EQ(std::count(chain.begin(), chain.end(), w), 1) << w->objectName().toStdString();

  // Within each panel the order reads left to right, row by row, and a panel's
  // controls come one after another.
  std::map<QWidget *, QWidget *> lastIn;
  std::vector<QWidget *> panelsSeen;
  for (QWidget *w : chain) {
    QWidget *panel = w->parentWidget();
    auto last = lastIn.find(panel);
    if (last == lastIn.end()) {
      panelsSeen.push_back(panel);
    } else {
      EXPECT_EQ(panelsSeen.back(), panel) << w->objectName().toStdString() << " comes back to its panel";
      const QPoint a = At(last->second), b = At(w);
      const bool sameRow = std::abs(a.y() - b.y()) <= 4;
      EXPECT_TRUE(sameRow ? b.x() > a.x() : b.y() > a.y())
          << last->second->objectName().toStdString() << " -> " << w->objectName().toStdString();
    }
    lastIn[panel] = w;
  }
}

}  // namespace
}  // namespace plomix
