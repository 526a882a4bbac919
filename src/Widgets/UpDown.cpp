#include "Widgets/UpDown.h"

#include <QToolButton>
#include <algorithm>

namespace plomix {

TUpDown::TUpDown(QWidget *parent) : QWidget(parent) {
  FUpButton = new QToolButton(this);
  FUpButton->setObjectName(QStringLiteral("UpButton"));
  FUpButton->setArrowType(Qt::UpArrow);
  FDownButton = new QToolButton(this);
  FDownButton->setObjectName(QStringLiteral("DownButton"));
  FDownButton->setArrowType(Qt::DownArrow);
  // Arrow glyphs have no text: name them for screen readers (the pair takes its
  // name from the control it steps).
  FUpButton->setAccessibleName(QStringLiteral("上"));
  FDownButton->setAccessibleName(QStringLiteral("下"));
  for (QToolButton *button : {FUpButton, FDownButton}) {
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  connect(FUpButton, &QToolButton::clicked, this, [this] { PressArrow(btNext); });
  connect(FDownButton, &QToolButton::clicked, this, [this] { PressArrow(btPrev); });
}

void TUpDown::setMin(int value) {
  FMin = value;
  FPosition = std::max(FPosition, FMin);
}

void TUpDown::setMax(int value) {
  FMax = value;
  FPosition = std::min(FPosition, FMax);
}

void TUpDown::setPosition(int value) { FPosition = std::clamp(value, FMin, std::max(FMin, FMax)); }

void TUpDown::PressArrow(TUDBtnType button) {
  if (FResetGuard > 0 && (FPosition > FResetGuard || FPosition < -FResetGuard)) {
    FPosition = 0;
    return;
  }
  setPosition(FPosition + (button == btNext ? 1 : -1));
  emit Click(button);
}

void TUpDown::resizeEvent(QResizeEvent *) {
  const int half = height() / 2;
  FUpButton->setGeometry(0, 0, width(), half);
  FDownButton->setGeometry(0, half, width(), height() - half);
}

}  // namespace plomix
