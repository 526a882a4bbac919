#include "Widgets/StepPanel.h"

#include <QEvent>
#include <QKeyEvent>

namespace plomix {
namespace {

class StepPanelKeys : public QObject {
 public:
  StepPanelKeys(QLabel *panel, TPanelStep step) : QObject(panel), FPanel(panel), FStep(std::move(step)) {}

  bool eventFilter(QObject *, QEvent *event) override {
    switch (event->type()) {
      case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        switch (key->key()) {
          case Qt::Key_Up: case Qt::Key_Right: case Qt::Key_Plus:
            FStep(Qt::RightButton, modifiers);
            return true;
          case Qt::Key_Down: case Qt::Key_Left: case Qt::Key_Minus:
            FStep(Qt::LeftButton, modifiers);
            return true;
          default:
            return false;
        }
      }
      case QEvent::FocusIn:
        FPanel->setLineWidth(2);
        return false;
      case QEvent::FocusOut:
        FPanel->setLineWidth(1);
        return false;
      default:
        return false;
    }
  }

 private:
  QLabel *FPanel;
  TPanelStep FStep;
};

}  // namespace

void MakeKeyboardSteppable(QLabel *panel, TPanelStep step, const QString &description) {
  panel->setFocusPolicy(Qt::StrongFocus);
  panel->setAccessibleDescription(description);
  panel->installEventFilter(new StepPanelKeys(panel, std::move(step)));
}

}  // namespace plomix
