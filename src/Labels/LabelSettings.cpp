#include "Labels/LabelSettings.h"

#include <QStringList>

#include "Labels/SheetNotation.h"
#include "Labels/SheetTable.h"

namespace plomix {

std::optional<TLabelSheet> TLabelSettings::ChosenSheet() const {
  if (Sheet.isEmpty()) return std::nullopt;
  if (const TLabelSheet *sheet = FindSheet(Sheet, UserSheets)) return *sheet;
  return std::nullopt;
}

TPrinterOffset TLabelSettings::OffsetOf(const QString &printer) const {
  const auto found = Offsets.find(printer);
  return found == Offsets.end() ? TPrinterOffset{} : found->second;
}

QString EncodeUserSheets(const std::vector<TLabelSheet> &sheets) {
  QStringList fields;
  for (const TLabelSheet &sheet : sheets) fields << sheet.Name << FormatSheetNotation(sheet);
  return fields.join(QLatin1Char('\t'));
}

std::vector<TLabelSheet> DecodeUserSheets(const QString &text, QStringList *problems) {
  std::vector<TLabelSheet> sheets;
  if (text.isEmpty()) return sheets;
  const QStringList fields = text.split(QLatin1Char('\t'));
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    QString error;
    auto sheet = ParseSheetNotation(fields[i + 1], error);
    if (!sheet || SheetNameProblem(fields[i])) {
      if (problems) *problems << fields[i];
      continue;
    }
    sheet->Name = fields[i];
    sheets.push_back(*sheet);
  }
  if (fields.size() % 2 != 0 && problems) *problems << fields.last();
  return sheets;
}

QString EncodeOffsets(const std::map<QString, TPrinterOffset> &offsets) {
  QStringList fields;
  for (const auto &[printer, offset] : offsets)
    if (!(offset == TPrinterOffset{})) fields << printer << QString::number(offset.X) << QString::number(offset.Y);
  return fields.join(QLatin1Char('\t'));
}

std::map<QString, TPrinterOffset> DecodeOffsets(const QString &text) {
  std::map<QString, TPrinterOffset> offsets;
  if (text.isEmpty()) return offsets;
  const QStringList fields = text.split(QLatin1Char('\t'));
  for (qsizetype i = 0; i + 2 < fields.size(); i += 3) {
    bool xOk = false, yOk = false;
    const int x = fields[i + 1].toInt(&xOk), y = fields[i + 2].toInt(&yOk);
    // Beyond 5 cm no printer is off; such a value is a damaged line, not an offset.
    if (xOk && yOk && std::abs(x) <= 50000 && std::abs(y) <= 50000) offsets[fields[i]] = {x, y};
  }
  return offsets;
}

std::optional<QString> SheetNameProblem(const QString &name) {
  if (name.trimmed().isEmpty()) return QString::fromUtf8("用紙の名前を入力して下さい。");
  if (name.contains(QLatin1Char('\t'))) return QString::fromUtf8("用紙の名前にタブは使えません。");
  for (const TLabelSheet &sheet : ShippedSheets())
    if (sheet.Name == name) return QString::fromUtf8("「%1」は登録済みの用紙の名前です。").arg(name);
  return std::nullopt;
}

}  // namespace plomix
