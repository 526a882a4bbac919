#pragma once
// --from-address: a line "[〒]postal-code address" as the customer barcode's data, and
// the keys it adds to the --info answer.
#include <QByteArray>
#include <QString>

namespace plomix::address {
class PostalDictionary;
}

namespace plomix::cli {

struct AddressCode {
  bool ok = false;
  QString data;           // the customer barcode's data: postal code and address number
  QString addressNumber;  // the address number alone
  QString problem;        // why there is no data
  QString warnings;       // what the postal-code file disagrees with, "; " between
};

AddressCode DeriveAddressCode(const QString &line, const address::PostalDictionary *dictionary);

// Adds "code" and "address_number" to an --info object.
void AppendAddressKeys(QByteArray &json, const AddressCode &code);

// The --info object of a line whose address gives no data.
QByteArray AddressRefusalJson(qsizetype line, const AddressCode &code);

}  // namespace plomix::cli
