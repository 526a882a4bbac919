#include "cli/AddressCode.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "Address/CustomerData.h"

namespace plomix::cli {
namespace {

// "key":"value" with the value escaped as JSON.
QByteArray Member(const char *key, const QString &value) {
  const QByteArray object = QJsonDocument(QJsonObject{{QLatin1String(key), value}}).toJson(QJsonDocument::Compact);
  return object.mid(1, object.size() - 2);
}

}  // namespace

AddressCode DeriveAddressCode(const QString &line, const address::PostalDictionary *dictionary) {
  const QByteArray utf8 = line.toUtf8();
  const address::CustomerData data =
      address::DeriveCustomerDataFromLine(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                                          dictionary);
  AddressCode code;
  code.ok = data.ok();
  code.data = QString::fromStdString(data.code);
  code.addressNumber = QString::fromStdString(data.addressNumber);
  code.problem = QString::fromStdString(address::ProblemTextEnglish(data.problem));
  QStringList warnings;
  for (const std::string &warning : data.warnings) warnings << QString::fromStdString(warning);
  code.warnings = warnings.join(QStringLiteral("; "));
  return code;
}

void AppendAddressKeys(QByteArray &json, const AddressCode &code) {
  json.chop(1);
  json += ", " + Member("code", code.data) + ", " + Member("address_number", code.addressNumber) + "}";
}

QByteArray AddressRefusalJson(qsizetype line, const AddressCode &code) {
  QByteArray json = "{";
  if (line > 0) json += "\"line\": " + QByteArray::number(line) + ", ";
  json += "\"displayed\": false, " + Member("code", QString()) + ", " + Member("address_number", QString()) + ", " +
          Member("problem", code.problem) + "}";
  return json;
}

}  // namespace plomix::cli
