#include "Preview/TSheetPreviewForm.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "Common/UiText.h"

namespace plomix {

TSheetPreviewForm::TSheetPreviewForm(const TSheetLayout &layout, std::int64_t items,
                                     std::function<const TSnapSource *(std::int64_t)> load, const TBarSymbol &shown,
                                     QWidget *parent)
    : QDialog(parent), FLayout(layout), FItems(items), FLoad(std::move(load)), FShown(shown) {
  setObjectName(QStringLiteral("SheetPreviewForm"));
  setWindowTitle(Text("印刷プレビュー（ラベル用紙）"));
  FLayout.DpiX = FLayout.DpiY = kPreviewDpi;
  FLayout.PaperOrigin = QPoint(0, 0);

  auto *scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("ScrollBox1"));
  SheetImage = new QLabel;
  SheetImage->setObjectName(QStringLiteral("SheetImage"));
  scroll->setWidget(SheetImage);
  scroll->setBackgroundRole(QPalette::Dark);

  const auto button = [this](const char *name, const char *caption) {
    auto *b = new QPushButton(Text(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    return b;
  };
  PriorButton = button("PriorButton", "前の用紙");
  NextButton = button("NextButton", "次の用紙");
  PrintButton = button("PrintButton", "印刷");
  CancelButton = button("CancelButton", "キャンセル");
  PrintButton->setDefault(true);
  SheetLabel = new QLabel(this);
  SheetLabel->setObjectName(QStringLiteral("SheetLabel"));
  VerdictLabel = new QLabel(this);
  VerdictLabel->setObjectName(QStringLiteral("VerdictLabel"));

  auto *bar = new QHBoxLayout;
  for (QWidget *w : {static_cast<QWidget *>(PriorButton), static_cast<QWidget *>(SheetLabel),
                     static_cast<QWidget *>(NextButton)})
    bar->addWidget(w);
  bar->addWidget(VerdictLabel, 1);
  bar->addWidget(PrintButton);
  bar->addWidget(CancelButton);
  auto *column = new QVBoxLayout(this);
  column->addLayout(bar);
  column->addWidget(scroll, 1);

  connect(PriorButton, &QPushButton::clicked, this, [this] { ShowSheet(FSheet - 1); });
  connect(NextButton, &QPushButton::clicked, this, [this] { ShowSheet(FSheet + 1); });
  connect(PrintButton, &QPushButton::clicked, this, &TSheetPreviewForm::PrintButtonClick);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  resize(960, 900);
  ShowSheet(0);
}

void TSheetPreviewForm::ShowSheet(int sheet) {
  if (sheet < 0) return;
  FSheet = sheet;
  FPicture = RenderSheet(FLayout, FItems, FSheet, FLoad, FShown);
  for (const TSheetMark &mark : FPicture.Marks)
    if (!mark.Ok) FUnreadable.insert(mark.Item);
  SheetImage->setPixmap(QPixmap::fromImage(FPicture.Page));
  SheetImage->adjustSize();
  SheetLabel->setText(Text("%1枚目").arg(FSheet + 1));
  PriorButton->setEnabled(FSheet > 0);
  NextButton->setEnabled(FPicture.More);
  const int unreadable = FPicture.Unreadable();
  QPalette palette = VerdictLabel->palette();
  palette.setColor(QPalette::WindowText, unreadable > 0 ? QColor(255, 0, 0) : QColor(0, 0, 255));
  VerdictLabel->setPalette(palette);
  VerdictLabel->setText(unreadable > 0 ? Text("読み取れないバーコード: %1個（×印）").arg(unreadable)
                                       : Text("読み取り確認: OK（%1個）").arg(FPicture.Marks.size()));
}

void TSheetPreviewForm::PrintButtonClick() {
  if (!FUnreadable.empty()) {
    QMessageBox box(QMessageBox::Warning, Text("Plomix"),
                    Text("読み取れないバーコードが%1個あります。このまま印刷しますか？").arg(FUnreadable.size()),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("UnreadableQuestion"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes) return;
  }
  accept();
}

}  // namespace plomix
