#include "SheetForm/TLabelSheetForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Labels/SheetNotation.h"
#include "Labels/SheetTable.h"
#include "Print/LabelSheetJob.h"
#include "Common/UiText.h"

namespace plomix {
namespace {

QDoubleSpinBox *OffsetBox(const char *name, int um) {
  auto *box = new QDoubleSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(-50, 50);
  box->setDecimals(2);
  box->setSingleStep(0.1);
  box->setSuffix(QStringLiteral(" mm"));
  box->setValue(um / 1000.0);
  return box;
}

}  // namespace

TLabelSheetForm::TLabelSheetForm(const TLabelSettings &settings, QPrinter &printer, QWidget *parent)
    : QDialog(parent), FSettings(settings), FPrinter(printer) {
  setObjectName(QStringLiteral("LabelSheetForm"));
  setWindowTitle(Text("ラベル用紙の設定"));
  SheetComboBox = new QComboBox;
  SheetComboBox->setObjectName(QStringLiteral("SheetComboBox"));
  SheetLabel = new QLabel;
  SheetLabel->setObjectName(QStringLiteral("SheetLabel"));
  StartSpinBox = new QSpinBox;
  StartSpinBox->setObjectName(QStringLiteral("StartSpinBox"));
  const TPrinterOffset offset = settings.OffsetOf(printer.printerName());
  OffsetXSpinBox = OffsetBox("OffsetXSpinBox", offset.X);
  OffsetYSpinBox = OffsetBox("OffsetYSpinBox", offset.Y);
  SnapCheckBox = new QCheckBox(Text("バーをプリンタのドットに合わせる"));
  SnapCheckBox->setObjectName(QStringLiteral("SnapCheckBox"));
  SnapCheckBox->setChecked(settings.SnapToDots);
  AddSheetButton = new QPushButton(Text("用紙の追加"));
  AddSheetButton->setObjectName(QStringLiteral("AddSheetButton"));
  EditSheetButton = new QPushButton(Text("用紙の編集"));
  EditSheetButton->setObjectName(QStringLiteral("EditSheetButton"));
  RemoveSheetButton = new QPushButton(Text("用紙の削除"));
  RemoveSheetButton->setObjectName(QStringLiteral("RemoveSheetButton"));
  CalibrationButton = new QPushButton(Text("調整用ページを印刷"));
  CalibrationButton->setObjectName(QStringLiteral("CalibrationButton"));
  PrinterLabel = new QLabel(Text("プリンタ「%1」の印刷位置の補正 (右・下が正)")
                                .arg(printer.printerName().isEmpty() ? Text("PDF") : printer.printerName()));

  auto *sheetButtons = new QHBoxLayout;
  sheetButtons->addWidget(AddSheetButton);
  sheetButtons->addWidget(EditSheetButton);
  sheetButtons->addWidget(RemoveSheetButton);
  auto *offsets = new QHBoxLayout;
  offsets->addWidget(new QLabel(Text("横")));
  offsets->addWidget(OffsetXSpinBox);
  offsets->addWidget(new QLabel(Text("縦")));
  offsets->addWidget(OffsetYSpinBox);
  offsets->addWidget(CalibrationButton);
  auto *form = new QFormLayout;
  form->addRow(Text("用紙"), SheetComboBox);
  form->addRow(QString(), SheetLabel);
  form->addRow(QString(), sheetButtons);
  form->addRow(Text("開始位置"), StartSpinBox);
  form->addRow(PrinterLabel);
  form->addRow(offsets);
  form->addRow(SnapCheckBox);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(SheetComboBox, &QComboBox::currentIndexChanged, this, &TLabelSheetForm::SheetComboBoxChange);
  connect(AddSheetButton, &QPushButton::clicked, this, &TLabelSheetForm::AddSheetButtonClick);
  connect(EditSheetButton, &QPushButton::clicked, this, &TLabelSheetForm::EditSheetButtonClick);
  connect(RemoveSheetButton, &QPushButton::clicked, this, &TLabelSheetForm::RemoveSheetButtonClick);
  connect(CalibrationButton, &QPushButton::clicked, this, &TLabelSheetForm::CalibrationButtonClick);
  FillSheets(settings.ChosenSheet() ? settings.Sheet : QString());
  StartSpinBox->setValue(settings.Start);
}

void TLabelSheetForm::FillSheets(const QString &select) {
  QSignalBlocker block(SheetComboBox);
  SheetComboBox->clear();
  SheetComboBox->addItem(Text("普通紙 (記号を並べて印刷)"), QString());
  for (const TLabelSheet &sheet : FSettings.UserSheets) SheetComboBox->addItem(sheet.Name, sheet.Name);
  for (const TLabelSheet &sheet : ShippedSheets()) SheetComboBox->addItem(sheet.Name, sheet.Name);
  SheetComboBox->setCurrentIndex(std::max(0, SheetComboBox->findData(select)));
  SheetComboBoxChange();
}

const TLabelSheet *TLabelSheetForm::UserSheetShown() const {
  const QString name = SheetComboBox->currentData().toString();
  for (const TLabelSheet &sheet : FSettings.UserSheets)
    if (sheet.Name == name) return &sheet;
  return nullptr;
}

void TLabelSheetForm::SheetComboBoxChange() {
  const TLabelSheet *sheet = FindSheet(SheetComboBox->currentData().toString(), FSettings.UserSheets);
  SheetLabel->setText(sheet ? FormatSheetNotation(*sheet) : QString());
  StartSpinBox->setEnabled(sheet != nullptr);
  StartSpinBox->setRange(1, sheet ? sheet->LabelsPerSheet() : 1);
  CalibrationButton->setEnabled(sheet != nullptr);
  EditSheetButton->setEnabled(UserSheetShown() != nullptr);
  RemoveSheetButton->setEnabled(UserSheetShown() != nullptr);
}

std::optional<TLabelSheet> TLabelSheetForm::AskSheet(const TLabelSheet *editing) {
  bool ok = false;
  const QString name = QInputDialog::getText(this, Text("用紙の名前"), Text("用紙の名前"), QLineEdit::Normal,
                                             editing ? editing->Name : QString(), &ok);
  if (!ok) return std::nullopt;
  auto problem = SheetNameProblem(name);
  if (!problem)
    for (const TLabelSheet &sheet : FSettings.UserSheets)
      if (sheet.Name == name && &sheet != editing) problem = Text("「%1」はもう使われています。").arg(name);
  if (problem) {
    QMessageBox::warning(this, Text("Plomix"), *problem);
    return std::nullopt;
  }
  const QString notation = QInputDialog::getText(
      this, Text("用紙のレイアウト"),
      Text("用紙,列x行,幅x高さ[,横間隔x縦間隔[,左余白x上余白]] (mm)\n例: A4,3x8,70x37"), QLineEdit::Normal,
      editing ? FormatSheetNotation(*editing) : QStringLiteral("A4,3x8,70x37"), &ok);
  if (!ok) return std::nullopt;
  QString error;
  auto sheet = ParseSheetNotation(notation, error);
  if (!sheet) {
    QMessageBox::warning(this, Text("Plomix"), error);
    return std::nullopt;
  }
  sheet->Name = name.trimmed() == name ? name : name.trimmed();
  return sheet;
}

void TLabelSheetForm::AddSheetButtonClick() {
  if (auto sheet = AskSheet(nullptr)) {
    FSettings.UserSheets.push_back(*sheet);
    FillSheets(sheet->Name);
  }
}

void TLabelSheetForm::EditSheetButtonClick() {
  const TLabelSheet *shown = UserSheetShown();
  if (!shown) return;
  if (auto sheet = AskSheet(shown)) {
    const auto index = shown - FSettings.UserSheets.data();
    FSettings.UserSheets[static_cast<std::size_t>(index)] = *sheet;
    FillSheets(sheet->Name);
  }
}

void TLabelSheetForm::RemoveSheetButtonClick() {
  const TLabelSheet *shown = UserSheetShown();
  if (!shown) return;
  FSettings.UserSheets.erase(FSettings.UserSheets.begin() + (shown - FSettings.UserSheets.data()));
  FillSheets(QString());
}

void TLabelSheetForm::CalibrationButtonClick() {
  const TLabelSettings settings = Settings();
  const auto sheet = settings.ChosenSheet();
  if (!sheet) return;
  UseSheetPaper(FPrinter, *sheet);
  TSheetLayout layout = SheetLayoutOn(FPrinter, *sheet);
  layout.Offset = settings.OffsetOf(FPrinter.printerName());
  QString error;
  if (!PrintCalibrationPage(FPrinter, layout, &error)) QMessageBox::warning(this, Text("Plomix"), error);
}

TLabelSettings TLabelSheetForm::Settings() const {
  TLabelSettings settings = FSettings;
  settings.Sheet = SheetComboBox->currentData().toString();
  settings.Start = StartSpinBox->value();
  settings.SnapToDots = SnapCheckBox->isChecked();
  const TPrinterOffset offset{static_cast<int>(std::lround(OffsetXSpinBox->value() * 1000)),
                              static_cast<int>(std::lround(OffsetYSpinBox->value() * 1000))};
  settings.Offsets[FPrinter.printerName()] = offset;
  return settings;
}

}  // namespace plomix
