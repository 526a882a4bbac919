#include "AddressForm/TAddressForm.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Address/CustomerData.h"
#include "AddressForm/PostalFileChoice.h"
#include "Symbol/SymbolDefaults.h"
#include "BarImage/TBarImage.h"
#include "Common/UiText.h"

namespace plomix {

TAddressForm::TAddressForm(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AddressForm"));
  setWindowTitle(Text("住所から作成"));
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setPlaceholderText(Text("例: 100-0013（住所の先頭に書いても可）"));
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName(QStringLiteral("Edit2"));
  Edit2->setPlaceholderText(Text("例: 東京都千代田区霞が関1丁目3番2号 郵便プラザ503室"));
  Edit2->setMinimumWidth(420);
  Panel1 = new QLabel(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Panel1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Panel2 = new QLabel(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setWordWrap(true);
  // The symbol sizes itself to its picture, so it stands in a holder of its own rather
  // than in a layout that would size it.
  FSymbolHolder = new QWidget(this);
  BarImage1 = new TBarImage(FSymbolHolder);
  BarImage1->setObjectName(QStringLiteral("BarImage1"));
  ApplySymbolDesignDefaults(*BarImage1);
  BarImage1->SetBarEnabled(false);
  BarImage1->SetBarType(cbarCUSTOMER);
  BarImage1->SetScale(static_cast<TSCale>(2));
  BarImage1->SetBarEnabled(true);
  CheckBox1 = new QCheckBox(Text("住所を上コメントに入れる"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  Label4 = new QLabel(this);
  Label4->setObjectName(QStringLiteral("Label4"));
  Label4->setWordWrap(true);
  Button3 = new QPushButton(Text("郵便番号データ..."), this);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button3->setAutoDefault(false);
  Button1 = new QPushButton(Text("OK"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setDefault(true);
  Button2 = new QPushButton(Text("キャンセル"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setAutoDefault(false);

  auto *fields = new QGridLayout;
  auto label = [this](const char *caption, QWidget *buddy) {
    auto *l = new QLabel(Text(caption), this);
    l->setBuddy(buddy);
    return l;
  };
  fields->addWidget(label("郵便番号(&P)", Edit1), 0, 0);
  fields->addWidget(Edit1, 0, 1);
  fields->addWidget(label("住所(&A)", Edit2), 1, 0);
  fields->addWidget(Edit2, 1, 1);
  fields->addWidget(new QLabel(Text("データ"), this), 2, 0);
  fields->addWidget(Panel1, 2, 1);
  fields->addWidget(Panel2, 3, 1);
  auto *file = new QHBoxLayout;
  file->addWidget(Label4, 1);
  file->addWidget(Button3);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(CheckBox1);
  buttons->addStretch(1);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(FSymbolHolder, 0, Qt::AlignHCenter);
  layout->addSpacing(8);
  layout->addLayout(file);
  layout->addLayout(buttons);

  connect(Edit1, &QLineEdit::textChanged, this, &TAddressForm::Edit1Change);
  connect(Edit2, &QLineEdit::textChanged, this, &TAddressForm::Edit1Change);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  connect(Button3, &QPushButton::clicked, this, &TAddressForm::Button3Click);
  ShowPostalFile();
  Edit1Change();
}

TAddressForm::~TAddressForm() = default;

QString TAddressForm::AddressLine() const {
  const QString code = Edit1->text().trimmed(), address = Edit2->text().trimmed();
  return code.isEmpty() ? address : Text("〒") + code + QLatin1Char(' ') + address;
}

void TAddressForm::Edit1Change() {
  const QByteArray code = Edit1->text().toUtf8(), address = Edit2->text().toUtf8();
  auto view = [](const QByteArray &bytes) { return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())); };
  address::CustomerData data = address::DeriveCustomerData(view(code), view(address), FDictionary.get());
  if (data.problem == address::AddressProblem::NoPostalCode && !code.isEmpty()) {
    // More than a code in the postal-code box (a whole line pasted there): read it as a line.
    const QByteArray line = code + ' ' + address;
    const address::CustomerData whole = address::DeriveCustomerDataFromLine(view(line), FDictionary.get());
    if (whole.ok()) data = whole;
  }
  const bool typed = !Edit1->text().trimmed().isEmpty() || !Edit2->text().trimmed().isEmpty();
  FData = data.ok() ? data.code : std::string();
  Panel1->setText(QString::fromStdString(FData));
  QString note;
  QString color = QStringLiteral("#a05000");
  if (!data.ok() && typed) {
    note = QString::fromStdString(address::ProblemText(data.problem));
    color = QStringLiteral("red");
  } else if (data.ok()) {
    QStringList lines;
    for (const std::string &warning : data.warnings) lines << QString::fromStdString(warning);
    note = lines.join(QLatin1Char('\n'));
  }
  Panel2->setStyleSheet(QStringLiteral("color: %1").arg(color));
  Panel2->setText(note);
  BarImage1->setVisible(!FData.empty());
  BarImage1->SetCode(FData);
  FSymbolHolder->setFixedSize(BarImage1->size().expandedTo(QSize(200, 60)));
  BarImage1->move((FSymbolHolder->width() - BarImage1->width()) / 2, 0);
  Button1->setEnabled(!FData.empty());
}

void TAddressForm::ShowPostalFile() {
  QString error;
  FDictionary = PostalDictionaryInUse(error);
  const QString path = PostalFileInUse();
  if (FDictionary)
    Label4->setText(Text("郵便番号データ: ") + QFileInfo(path).fileName());
  else if (!error.isEmpty())
    Label4->setText(Text("郵便番号データを読めません: ") + error);
  else
    Label4->setText(Text("郵便番号データなし（市区町村の後ろから番号を抜き出します）"));
  Label4->setToolTip(path);
}

void TAddressForm::Button3Click() {
  const QString path = QFileDialog::getOpenFileName(this, Text("郵便番号データ（KEN_ALL.CSV）"), PostalFileInUse(),
                                                    Text("郵便番号データ (*.csv *.CSV);;すべてのファイル (*)"));
  if (path.isEmpty()) return;
  SetChosenPostalFile(path);
  ShowPostalFile();
  Edit1Change();
}

}  // namespace plomix
