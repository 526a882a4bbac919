// TFrameForm's symbol settings: the symbology change and its control table, start and
// stop boxes, check boxes, picture formats, colour and font dialogs.
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>

#include "Encoders/SymbologyTable.h"
#include "BarImage/TBarImage.h"
#include "Common/Colors.h"
#include "Common/ShiftJis.h"
#include "Common/FontSizes.h"
#include "Frame/SymbologyControls.h"
#include "Frame/TFrameForm.h"

namespace plomix {

void TFrameForm::ComboBox2Change(int index) {
  if (index < 0 || index >= kBarTypeCount) return;
  const TBarTypes previous = BarImage1->BarType();
  const auto type = static_cast<TBarTypes>(index);
  BarImage1->SetBarType(type);
  ApplySymbologyControls(type);
  if (Symbology(previous).fixedBarHeight && !Symbology(type).fixedBarHeight) {
    Edit2->setEnabled(true);
    UpDown2->setEnabled(true);
    BarImage1->SetBarHeight(OrgHeight);
  }
  StatusRefresh();
  ReadmeScroll(type);
}

void TFrameForm::ApplySymbologyControls(TBarTypes type) {
  const SymbologyControls &row = SymbologyControlsOf(type);
  Edit2->setEnabled(row.heightEnabled);
  UpDown2->setEnabled(row.heightEnabled);
  if (row.checkDigit == cdForcedOn) {
    CheckBox1->setChecked(true);
    BarImage1->SetCD(true);
  } else {
    CheckBox1->setChecked(BarImage1->CD());
  }
  CheckBox1->setEnabled(row.checkDigit == cdUserChoice);
  Edit3->setEnabled(row.elementRatioEnabled);
  UpDown3->setEnabled(row.elementRatioEnabled);
  if (type == cbarCODE128 && BarImage1->StartChar() > 'C') BarImage1->SetStartChar('A');
  const struct { QComboBox *box; const char *fixedText; char current; } ends[] = {
      {ComboBox3, row.startText, BarImage1->StartChar()},
      {ComboBox4, row.stopText, BarImage1->StopChar()}};
  for (const auto &[box, fixedText, current] : ends) {
    if (fixedText) {
      box->setEditable(true);
      box->setCurrentIndex(-1);
      box->setEditText(QString::fromLatin1(fixedText));
      box->setEnabled(false);
    } else {
      box->setEditable(false);
      box->setCurrentIndex(current - 'A');
      box->setEnabled(true);
    }
  }
  Button7->setEnabled(type == cbarUPC);
}

void TFrameForm::ComboBox3Change(int index) {
  if (index < 0) return;
  if (BarImage1->BarType() == cbarCODE128 && index > 2) {
    index = 0;
    ComboBox3->setCurrentIndex(0);
  }
  BarImage1->SetStartChar(static_cast<char>('A' + index));
  StatusRefresh();
}

void TFrameForm::ComboBox4Change(int index) {
  if (index < 0) return;
  BarImage1->SetStopChar(static_cast<char>('A' + index));
  StatusRefresh();
}

void TFrameForm::CheckBox1Click() {
  BarImage1->SetCD(CheckBox1->isChecked());
  StatusRefresh();
}

void TFrameForm::CheckBox2Click() {
  BarImage1->SetSymbolDisp(CheckBox2->isChecked());
  if (!Symbology(BarImage1->BarType()).fixedBarHeight) OrgHeight = BarImage1->BarHeight();
  StatusRefresh();
}

void TFrameForm::CheckBox3Click() {
  const bool watch = CheckBox3->isChecked();
  BarImage1->SetClipWatch(watch);
  Button12->setEnabled(!watch);
  StatusRefresh();
}

void TFrameForm::ComboBox5Change(int index) {
  if (index < 0) return;
  BarImage1->SetBarPicture(static_cast<TPictures>(index));
  ComboBox6->setCurrentIndex(index);
  StatusRefresh();
}

void TFrameForm::ComboBox6Change(int index) {
  if (index < 0) return;
  BarImage1->SetBarPicture(static_cast<TPictures>(index));
  ComboBox5->setCurrentIndex(index == picWMF ? picEMF : index);
  StatusRefresh();
}

void TFrameForm::Button1Click() {
  QColorDialog dialog(ColorToQColor(BarImage1->BarColor()), this);
  dialog.setObjectName(QStringLiteral("ColorDialog1"));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() == QDialog::Accepted) BarImage1->SetBarColor(QColorToColor(dialog.selectedColor()));
  StatusRefresh();
}

void TFrameForm::Button2Click() {
  QColorDialog dialog(ColorToQColor(BarImage1->BackColor()), this);
  dialog.setObjectName(QStringLiteral("ColorDialog1"));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() == QDialog::Accepted) BarImage1->SetBackColor(QColorToColor(dialog.selectedColor()));
  StatusRefresh();
}

void TFrameForm::Button11Click() {
  const int dpi = logicalDpiY();
  QFont shown = FontDialog1Font.Font;
  shown.setPointSize(FontSizePoints(FontDialog1Font.Font, dpi));
  QFontDialog dialog(shown, this);
  dialog.setObjectName(QStringLiteral("FontDialog1"));
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  // The dialog lists installed families only, so a stored Windows name shows as the family
  // it is drawn with; keeping that family keeps the stored name.
  const QString shownFamily = dialog.currentFont().family();
  if (dialog.exec() == QDialog::Accepted) {
    QFont chosen = dialog.selectedFont();
    if (chosen.family() == shownFamily || chosen.family() == QFontInfo(shown).family())
      chosen.setFamily(FontDialog1Font.Font.family());
    SetFontSizePoints(chosen, FontSizePoints(chosen, dpi), dpi);
    FontDialog1Font.Font = chosen;
    BarImage1->SetBarFont(&FontDialog1Font);
  }
  StatusRefresh();
}

}  // namespace plomix
