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
  // Compatibility form: digits and minus typed full-width through an input method count
  // as the ASCII ones they stand for.
  const int value = FEdit->text().normalized(QString::NormalizationForm_KC).trimmed().toInt(&ok);
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
  // Leaving the box without Enter applies nothing, so the box goes back to the value in
  // force rather than show one the symbol does not use. A context menu of the box keeps it.
  if (watched == FEdit && event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
    ShowPosition();
  return QObject::eventFilter(watched, event);
}

}  // namespace plomix
