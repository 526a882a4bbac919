#include "Labels/SheetNotation.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace plomix {
namespace {

struct PaperName {
  const char *name;
  int width, height;  // µm
};

constexpr std::array<PaperName, 8> kPapers{{
    {"A3", 297000, 420000},
    {"A4", 210000, 297000},
    {"A5", 148000, 210000},
    {"A6", 105000, 148000},
    {"B4", 257000, 364000},  // JIS B sizes, as Japanese paper is sold
    {"B5", 182000, 257000},
    {"LETTER", 215900, 279400},
    {"はがき", 100000, 148000},
}};

// "70", "37.125", ".5": millimetres to µm, at most three decimals.
std::optional<int> ParseMm(const QString &text) {
  static const QRegularExpression number(QStringLiteral("^(\\d{0,6})(?:\\.(\\d{0,3}))?$"));
  const auto match = number.match(text.trimmed());
  if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty())) return std::nullopt;
  const int whole = match.captured(1).isEmpty() ? 0 : match.captured(1).toInt();
  const QString fraction = (match.captured(2) + QStringLiteral("000")).left(3);
  return whole * kMicrometresPerMm + fraction.toInt();
}

// "AxB" (also "A×B", "AXB") as two parts.
std::optional<std::pair<QString, QString>> SplitPair(const QString &text) {
  static const QRegularExpression separator(QStringLiteral("[xX×]"));
  const QStringList parts = text.split(separator);
  if (parts.size() != 2) return std::nullopt;
  return std::pair{parts[0].trimmed(), parts[1].trimmed()};
}

std::optional<std::pair<int, int>> ParseMmPair(const QString &text) {
  const auto pair = SplitPair(text);
  if (!pair) return std::nullopt;
  const auto a = ParseMm(pair->first), b = ParseMm(pair->second);
  if (!a || !b) return std::nullopt;
  return std::pair{*a, *b};
}

}  // namespace

std::optional<TLabelSheet> ParseSheetNotation(const QString &text, QString &error) {
  const QStringList fields = text.split(QLatin1Char(','));
  auto fail = [&](const QString &why) {
    error = QStringLiteral("\"%1\": %2").arg(text, why);
    return std::nullopt;
  };
  if (fields.size() < 3 || fields.size() > 5)
    return fail(QStringLiteral("a sheet is PAPER,COLUMNSxROWS,WIDTHxHEIGHT[,PITCHXxPITCHY[,LEFTxTOP]]"));

  TLabelSheet sheet;
  const QString paper = fields[0].trimmed();
  bool named = false;
  for (const PaperName &p : kPapers)
    if (paper.compare(QString::fromUtf8(p.name), Qt::CaseInsensitive) == 0) {
      sheet.PaperWidth = p.width;
      sheet.PaperHeight = p.height;
      named = true;
    }
  if (!named) {
    const auto size = ParseMmPair(paper);
    if (!size) return fail(QStringLiteral("unknown paper \"%1\" (A3, A4, A5, A6, B4, B5, Letter, はがき or WIDTHxHEIGHT in mm)").arg(paper));
    sheet.PaperWidth = size->first;
    sheet.PaperHeight = size->second;
  }

  const auto grid = SplitPair(fields[1]);
  bool columnsOk = false, rowsOk = false;
  if (grid) {
    sheet.Columns = grid->first.toInt(&columnsOk);
    sheet.Rows = grid->second.toInt(&rowsOk);
  }
  if (!columnsOk || !rowsOk) return fail(QStringLiteral("\"%1\" is not COLUMNSxROWS").arg(fields[1]));

  const auto label = ParseMmPair(fields[2]);
  if (!label) return fail(QStringLiteral("\"%1\" is not WIDTHxHEIGHT in mm").arg(fields[2]));
  sheet.LabelWidth = label->first;
  sheet.LabelHeight = label->second;
  sheet.PitchX = sheet.LabelWidth;
  sheet.PitchY = sheet.LabelHeight;
  if (fields.size() >= 4) {
    const auto pitch = ParseMmPair(fields[3]);
    if (!pitch) return fail(QStringLiteral("\"%1\" is not PITCHXxPITCHY in mm").arg(fields[3]));
    sheet.PitchX = pitch->first;
    sheet.PitchY = pitch->second;
  }
  // The grid centred on the paper unless its margins are given.
  const long long gridWidth = static_cast<long long>(sheet.Columns - 1) * sheet.PitchX + sheet.LabelWidth;
  const long long gridHeight = static_cast<long long>(sheet.Rows - 1) * sheet.PitchY + sheet.LabelHeight;
  sheet.Left = static_cast<int>((sheet.PaperWidth - gridWidth) / 2);
  sheet.Top = static_cast<int>((sheet.PaperHeight - gridHeight) / 2);
  if (fields.size() == 5) {
    const auto margins = ParseMmPair(fields[4]);
    if (!margins) return fail(QStringLiteral("\"%1\" is not LEFTxTOP in mm").arg(fields[4]));
    sheet.Left = margins->first;
    sheet.Top = margins->second;
  }
  if (const auto problem = SheetProblem(sheet)) return fail(*problem);
  return sheet;
}

QString FormatMm(int um) {
  QString text = QString::number(um / kMicrometresPerMm);
  if (const int fraction = um % kMicrometresPerMm) {
    QString digits = QStringLiteral("%1").arg(fraction, 3, 10, QLatin1Char('0'));
    while (digits.endsWith(QLatin1Char('0'))) digits.chop(1);
    text += QLatin1Char('.') + digits;
  }
  return text;
}

QString FormatSheetNotation(const TLabelSheet &s) {
  const auto pair = [](int a, int b) { return FormatMm(a) + QLatin1Char('x') + FormatMm(b); };
  return QStringList{pair(s.PaperWidth, s.PaperHeight),
                     QStringLiteral("%1x%2").arg(s.Columns).arg(s.Rows),
                     pair(s.LabelWidth, s.LabelHeight), pair(s.PitchX, s.PitchY), pair(s.Left, s.Top)}
      .join(QLatin1Char(','));
}

}  // namespace plomix
