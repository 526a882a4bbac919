#include "cli/AddressCode.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "Address/CustomerData.h"

namespace plomix::cli {

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
  QJsonObject info = QJsonDocument::fromJson(json).object();
  info.insert(QStringLiteral("code"), code.data);
  info.insert(QStringLiteral("address_number"), code.addressNumber);
  json = QJsonDocument(info).toJson(QJsonDocument::Compact);
}

QByteArray AddressRefusalJson(qsizetype line, const AddressCode &code) {
  QJsonObject info{{"displayed", false}, {"code", QString()}, {"address_number", QString()},
                   {"problem", code.problem}};
  if (line > 0) info.insert(QStringLiteral("line"), line);
  return QJsonDocument(info).toJson(QJsonDocument::Compact);
}

}  // namespace plomix::cli
