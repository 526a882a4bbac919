// TFrameForm's "住所から作成…": the customer barcode's data from a postal address,
// entered as a new record the way Enter enters a typed code.
#include <QComboBox>
#include <QLineEdit>
#include <QCheckBox>

#include "AddressForm/PostalFileChoice.h"
#include "AddressForm/TAddressForm.h"
#include "Common/ShiftJis.h"
#include "Frame/PostalFileSetting.h"
#include "Param/TParameter.h"
#include "BarImage/TBarImage.h"
#include "Frame/TFrameForm.h"

namespace plomix {

void TFrameForm::N5Click() {
  if (BarImage1->BarType() != cbarCUSTOMER) return;  // the shortcut with another symbology
  TAddressForm form(this);
  if (form.exec() != QDialog::Accepted || form.Data().empty()) return;
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setEditText(QString::fromStdString(form.Data()));
  // The upper comment is the address or nothing: the shown record's comment belongs to
  // another address.
  ComboBox7->setCurrentIndex(-1);
  ComboBox7->setEditText(form.CheckBox1->isChecked() ? form.AddressLine() : QString());
  ComboBox1KeyDown();
}

}  // namespace plomix

namespace plomix {

void RestorePostalFileSetting(const TParameter &parameters) {
  const std::string prefix = std::string(kPostalFileKey) + "=";
  for (const std::string &line : parameters.AllLines())
    if (line.starts_with(prefix)) {
      SetChosenPostalFile(SjisToUnicode(std::string_view(line).substr(prefix.size())));
      return;
    }
}

void SavePostalFileSetting(TParameter &parameters) {
  if (!ChosenPostalFile().isEmpty()) parameters.WriteString(kPostalFileKey, UnicodeToSjis(ChosenPostalFile()));
}

}  // namespace plomix
