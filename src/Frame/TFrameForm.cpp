#include "Frame/TFrameForm.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "BarImage/TBarImage.h"
#include "Common/ShiftJis.h"
#include "Frame/SymbolDefaults.h"

namespace plomix {
namespace {

const char *const kSymbologyCaptions[kBarTypeCount] = {
    "JAN(EAN)/短縮", "UPC-A/UPC-E", "CODE-39", "NW-7(CODABAR)",
    "ITF(Interleaved 2of5)", "CTF(Code 2of5 | Industrial 2of5)", "IATA(IATA 2of5)",
    "MATRIX(Matrix 2of5)", "NEC(NEC 2of5 | COOP 2of5)", "カスタマーバーコード", "CODE-128",
    "CODE-93"};

}  // namespace

TFrameForm::TFrameForm(QWidget *parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FrameForm"));
  auto *central = new QWidget(this);
  auto *layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);

  ScrollBox1 = new QScrollArea(central);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setFixedHeight(112);
  ScrollBox1->setBackgroundRole(QPalette::Window);
  BarImage1 = new TBarImage;
  BarImage1->setObjectName(QStringLiteral("BarImage1"));
  ApplySymbolDesignDefaults(*BarImage1);
  ScrollBox1->setWidget(BarImage1);
  ScrollBox1->setWidgetResizable(false);
  layout->addWidget(ScrollBox1);

  auto *panel = new QWidget(central);
  auto *panelLayout = new QVBoxLayout(panel);
  auto *label1 = new QLabel(QStringLiteral("バーコード文字列"), panel);
  label1->setObjectName(QStringLiteral("Label1"));
  ComboBox1 = new QComboBox(panel);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setEditable(true);
  ComboBox1->setMaxVisibleItems(10);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->lineEdit()->installEventFilter(this);
  auto *label2 = new QLabel(QStringLiteral("バーコードの種類"), panel);
  ComboBox2 = new QComboBox(panel);
  ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
  ComboBox2->setMaxVisibleItems(12);
  for (const char *caption : kSymbologyCaptions) ComboBox2->addItem(QString::fromUtf8(caption));
  panelLayout->addWidget(label1);
  panelLayout->addWidget(ComboBox1);
  panelLayout->addWidget(label2);
  panelLayout->addWidget(ComboBox2);
  panelLayout->addStretch();
  layout->addWidget(panel);
  setCentralWidget(central);

  connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TFrameForm::ComboBox2Change);
  setWindowTitle(QStringLiteral("Plomix"));
  resize(368, 441);
}

bool TFrameForm::eventFilter(QObject *watched, QEvent *event) {
  if (watched == ComboBox1->lineEdit() && event->type() == QEvent::KeyPress) {
    const auto key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ComboBox1KeyDown();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TFrameForm::ComboBox1KeyDown() { BarImage1->SetCode(UnicodeToSjis(ComboBox1->currentText())); }

void TFrameForm::ComboBox2Change(int index) {
  if (index >= 0 && index < kBarTypeCount) BarImage1->SetBarType(static_cast<TBarTypes>(index));
}

}  // namespace plomix
