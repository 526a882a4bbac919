#include "Widgets/Spinner.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "Widgets/UpDown.h"

namespace plomix {

TSpinner::TSpinner(QLineEdit *edit, TUpDown *upDown, ApplyFunction apply)
    : QObject(edit), FEdit(edit), FUpDown(upDown), FApply(std::move(apply)) {
  FEdit->installEventFilter(this);
  connect(FUpDown, &TUpDown::Click, this, [this] {
    ShowPosition();
    FApply(FUpDown->Position());
  });
  ShowPosition();
}

void TSpinner::SetPosition(int value) {
  FUpDown->setPosition(value);
  ShowPosition();
}

int TSpinner::Position() const { return FUpDown->Position(); }

void TSpinner::ShowPosition() { FEdit->setText(QString::number(FUpDown->Position())); }

void TSpinner::ApplyEditText() {
  bool ok = false;
  const int value = FEdit->text().trimmed().toInt(&ok);
  if (ok) FUpDown->setPosition(value);
  ShowPosition();
  FApply(FUpDown->Position());
}

bool TSpinner::eventFilter(QObject *watched, QEvent *event) {
  if (watched == FEdit && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ApplyEditText();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace plomix
