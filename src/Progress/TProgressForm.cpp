#include "Progress/TProgressForm.h"

#include <QFrame>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace plomix {

TProgressForm *ProgressForm = nullptr;

TProgressForm::TProgressForm(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("ProgressForm"));
  setWindowTitle(QString::fromUtf8("ただいま計算中です。  ---  しばらくお待ち下さい。"));
  setFixedSize(267, 72);
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);
  auto *outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(Panel1);
  ProgressBar1 = new QProgressBar(Panel1);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  auto *inner = new QVBoxLayout(Panel1);
  inner->setContentsMargins(16, 0, 16, 0);
  inner->addWidget(ProgressBar1);
}

void TProgressForm::StepIt() {
  int next = ProgressBar1->value() + Step;
  if (next > ProgressBar1->maximum()) next = ProgressBar1->minimum();  // wraps like a step bar
  ProgressBar1->setValue(next);
}

void TProgressForm::showEvent(QShowEvent *event) {
  if (const QScreen *screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
  QWidget::showEvent(event);
}

}  // namespace plomix
