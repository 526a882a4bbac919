#pragma once
// "住所から作成": a postal code and an address turned into the customer barcode's data,
// shown with its symbol as the user types.
#include <QDialog>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plomix {

class TBarImage;
namespace address {
class PostalDictionary;
}

class TAddressForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAddressForm(QWidget *parent = nullptr);
  ~TAddressForm() override;

  // --- controls, by their designer names ---
  QLineEdit *Edit1;      // postal code (may be left empty when the address starts with it)
  QLineEdit *Edit2;      // address
  QLabel *Panel1;        // the derived data
  QLabel *Panel2;        // why there is none, or what the postal-code file disagrees with
  TBarImage *BarImage1;  // the symbol of the data
  QCheckBox *CheckBox1;  // the address into the upper comment
  QLabel *Label4;        // the postal-code file in use
  QPushButton *Button1;  // OK
  QPushButton *Button2;  // cancel
  QPushButton *Button3;  // choose the postal-code file

  // After OK: the data (Shift-JIS bytes, ASCII) and the address as one line.
  const std::string &Data() const { return FData; }
  QString AddressLine() const;

  void Edit1Change();
  void Button3Click();

 private:
  void ShowPostalFile();

  QWidget *FSymbolHolder;
  std::shared_ptr<const address::PostalDictionary> FDictionary;
  std::string FData;
};

}  // namespace plomix
