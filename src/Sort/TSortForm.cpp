#include "Sort/TSortForm.h"

#include <QScreen>

namespace plomix {

TSortForm::TSortForm(TSortKey &sortKey, int &sortDirection, QWidget *owner)
    : QDialog(owner), FSortKey(sortKey), FSortDirection(sortDirection) {
  setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(185, 167);
  connect(Button1, &QPushButton::clicked, this, &TSortForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, [this] { done(2); });
}

void TSortForm::showEvent(QShowEvent *event) {
  if (QScreen *screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  FormShow();
  QDialog::showEvent(event);
}

void TSortForm::FormShow() {
  switch (FSortKey) {
    case skCommentUp: RadioGroup1Item1->setChecked(true); break;
    case skCommentDown: RadioGroup1Item2->setChecked(true); break;
    default: RadioGroup1Item0->setChecked(true); break;
  }
  (FSortDirection == -1 ? RadioGroup2Item1 : RadioGroup2Item0)->setChecked(true);
}

void TSortForm::Button1Click() {
  switch (RadioGroup1ItemIndex()) {
    case 1: FSortKey = skCommentUp; break;
    case 2: FSortKey = skCommentDown; break;
    default: FSortKey = skCode; break;
  }
  FSortDirection = RadioGroup2ItemIndex() == 1 ? -1 : 1;
  accept();
}

int TSortForm::RadioGroup1ItemIndex() const {
  if (RadioGroup1Item0->isChecked()) return 0;
  if (RadioGroup1Item1->isChecked()) return 1;
  if (RadioGroup1Item2->isChecked()) return 2;
  return -1;
}

int TSortForm::RadioGroup2ItemIndex() const {
  if (RadioGroup2Item0->isChecked()) return 0;
  if (RadioGroup2Item1->isChecked()) return 1;
  return -1;
}

}  // namespace plomix
