#include "cli/CliOptions.h"

#include <QCommandLineParser>
#include <QHash>
#include <QRegularExpression>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <vector>
#include <cmath>

#include "Encoders/SymbologyTable.h"
#include "Symbol/SettingRanges.h"
#include "cli/front/OptionTable.h"

namespace plomix::cli {
namespace {

std::optional<TBarTypes> ParseType(const QString &text) {
  bool numeric = false;
  const int n = text.toInt(&numeric);
  if (numeric) {
    if (n >= 0 && n < kBarTypeCount) return static_cast<TBarTypes>(n);
    return std::nullopt;
  }
  const QByteArray name = text.toLatin1();
  if (QString::fromLatin1(name) != text) return std::nullopt;
  return SymbologyNamed(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
}

std::optional<TColor> ParseColor(const QString &text) {
  static const QRegularExpression pattern(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
  const auto match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const uint rgb = match.captured(1).toUInt(nullptr, 16);
  return RGBToColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                    static_cast<int>(rgb & 0xFF));
}

std::optional<char> ParseLetter(const QString &text) {
  if (text.size() != 1) return std::nullopt;
  const QChar c = text.at(0).toUpper();
  if (c < QLatin1Char('A') || c > QLatin1Char('D')) return std::nullopt;
  return static_cast<char>(c.unicode());
}

QString RangeText(IntRange range) { return QStringLiteral("%1..%2").arg(range.low).arg(range.high); }

// "0.5x-1.25": millimetres right and down as µm, each within ±50 mm.
bool ParseOffset(const QString &text, int &x, int &y) {
  static const QRegularExpression pattern(QStringLiteral("^([-+]?\\d{1,2}(?:\\.\\d{1,3})?)[xX×]([-+]?\\d{1,2}(?:\\.\\d{1,3})?)$"));
  const auto match = pattern.match(text);
  if (!match.hasMatch()) return false;
  auto um = [](const QString &mm) { return static_cast<int>(std::lround(mm.toDouble() * 1000)); };
  x = um(match.captured(1));
  y = um(match.captured(2));
  return std::abs(x) <= 50000 && std::abs(y) <= 50000;
}

}  // namespace

QString UsageText() {
  return QStringLiteral(
      "Usage: plomix-cli [options] [--] CODE\n"
      "       plomix-cli --batch FILE [options]\n"
      "Draws one barcode symbol, or one for each line of FILE.\n\n"
      "  --type T            jan upc code39 nw7 itf ctf iata matrix nec customer code128\n"
      "                      code93, or 0..11 (default jan)\n"
      "  --cd, --no-cd       add the optional check character (default on)\n"
      "  --start X, --stop X start and stop character, A..D\n"
      "  --scale N           module width in pixels, %1\n"
      "  --ratio N           wide-to-narrow ratio times 10, %2\n"
      "  --height N          bar height with the text, %3\n"
      "  --frame N           frame width, %4\n"
      "  --angle N           0, 90, 180 or 270\n"
      "  --reverse           mirror left to right\n"
      "  --no-text           no human-readable text\n"
      "  --up TEXT, --down TEXT   comments above and below\n"
      "  --space-left N, --space-right N, --space-up N, --space-down N   margins, %5\n"
      "  --bar-color #RRGGBB, --back-color #RRGGBB\n"
      "  --transparent       leave the background out\n"
      "  --picture P         bmp, emf or wmf\n"
      "  -o FILE             write the picture: .bmp (32 bits per pixel), .jpg/.jpeg, .png,\n"
      "                      .svg, .emf or .wmf (these two need --picture emf or wmf)\n"
      "  --info              print the result as one JSON object (one per line in a batch)\n"
      "  --verify            read every picture back (zxing-cpp, or the bar and space\n"
      "                      widths for the symbologies it does not read) and compare\n"
      "  --replace-unmappable  write \"?\" for a character Shift-JIS cannot hold (or for\n"
      "                      bytes that are not UTF-8) instead of refusing the code\n"
      "  --from-address      each code is an address, \"[〒]postal-code address\": drawn as\n"
      "                      its customer barcode (needs --type customer); --info adds\n"
      "                      \"code\" (the data) and \"address_number\"\n"
      "  --postal-dictionary FILE   Japan Post's KEN_ALL.CSV (Shift-JIS or UTF-8), to\n"
      "                      split addresses at the town name and check the postal code\n"
      "                      (default: KEN_ALL.CSV in ~/.local/share/Plomix/ when there)\n"
      "  -h, --help          this text\n\n"
      "Label sheets (a PDF with the symbols on the printer's dots):\n"
      "  --sheet S           a sheet by name (see --list-sheets) or as\n"
      "                      PAPER,COLSxROWS,WxH[,PITCHXxPITCHY[,LEFTxTOP]] in mm\n"
      "                      (PAPER: A3..A6, B4, B5, Letter or WxH; the pitch defaults to\n"
      "                      the label, without LEFTxTOP the grid is centred)\n"
      "  --dpi N             the printer's resolution, 72..2400 (default 600)\n"
      "  --start K           begin at label K of the first sheet (default 1); a number\n"
      "                      here, a letter A..D the start character\n"
      "  --copies N          labels of the one code, 1..100000 (default 1)\n"
      "  --offset XxY        move everything by X, Y mm (right and down; may be negative)\n"
      "  -o FILE.pdf         the PDF; with --batch one label per line\n"
      "  --list-sheets       the sheets Plomix knows, as name and layout\n\n"
      "Batch mode:\n"
      "  --batch FILE        one code per line of FILE (- reads standard input)\n"
      "  --csv               lines are CSV: code, upper comment, lower comment\n"
      "  --input-encoding E  sjis or utf8 (default: utf8 when the input is valid UTF-8)\n"
      "  --stop-on-error     stop at the first line that fails instead of skipping it\n"
      "  -o TEMPLATE         file names: {n} the line number, {code} the code made safe\n"
      "                      for a file name; the extension chooses the format\n\n"
      "Exit status: 0 drawn, 1 a code cannot be encoded or a picture cannot be drawn,\n"
      "2 usage error, 3 a picture does not read back (--verify), 4 an output file cannot\n"
      "be written.\n\n"
      "A bitmap larger than 1 GiB is not drawn; PLOMIX_PICTURE_MEMORY_LIMIT (bytes) sets\n"
      "another limit. BMP files hold at most 4 GiB, JPEG files 65,535 pixels a side and\n"
      "Windows metafiles 32,767.\n")
      .arg(RangeText(kScaleRange), RangeText(kElementRatioRange), RangeText(kBarHeightRange),
           RangeText(kFrameSizeRange), RangeText(kSpaceRange));
}

namespace {

// What an option does with its value (empty for a flag); false and `error` set when the
// value is out of its range. `arg` is the option as typed, for the message; `row` the option's
// entry in the shared option table (cli/front/OptionTable.h), which holds its range.
using Setter = std::function<bool(CliOptions &options, const OptionRow &row, const QString &value,
                                  const QString &arg, QString &error)>;

Setter Flag(std::function<void(CliOptions &)> set) {
  return [set](CliOptions &o, const OptionRow &, const QString &, const QString &, QString &) {
    set(o);
    return true;
  };
}

bool SetWhole(int &field, IntRange range, const QString &value, const QString &arg, QString &error) {
  bool ok = false;
  const int n = value.toInt(&ok);
  if (!ok || !range.Contains(n)) {
    error = QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                .arg(arg).arg(range.low).arg(range.high).arg(value);
    return false;
  }
  field = n;
  return true;
}

Setter Whole(int CliOptions::*field) {
  return [field](CliOptions &o, const OptionRow &row, const QString &value, const QString &arg, QString &error) {
    return SetWhole(o.*field, row.range, value, arg, error);
  };
}

Setter Text(QString CliOptions::*field) {
  return [field](CliOptions &o, const OptionRow &, const QString &value, const QString &, QString &) {
    o.*field = value;
    return true;
  };
}

bool SetLetter(char &field, const QString &value, const QString &arg, QString &error) {
  const auto letter = ParseLetter(value);
  if (!letter) error = QStringLiteral("%1 takes one of A, B, C, D, not \"%2\"").arg(arg, value);
  else field = *letter;
  return letter.has_value();
}

Setter Letter(char CliOptions::*field) {
  return [field](CliOptions &o, const OptionRow &, const QString &value, const QString &arg, QString &error) {
    return SetLetter(o.*field, value, arg, error);
  };
}

Setter Colour(std::optional<TColor> CliOptions::*field) {
  return [field](CliOptions &o, const OptionRow &, const QString &value, const QString &arg, QString &error) {
    const auto color = ParseColor(value);
    if (!color) error = QStringLiteral("%1 takes a colour as #RRGGBB, not \"%2\"").arg(arg, value);
    else o.*field = color;
    return color.has_value();
  };
}

// What each option of the shared table sets, by its long name.
const std::unordered_map<std::string_view, Setter> &Setters() {
  static const std::unordered_map<std::string_view, Setter> setters = {
      {"help", Flag([](CliOptions &o) { o.help = true; })},
      {"type",
       [](CliOptions &o, const OptionRow &, const QString &value, const QString &, QString &error) {
         const auto type = ParseType(value);
         if (!type) error = QStringLiteral("unknown symbology \"%1\"").arg(value);
         else o.type = *type;
         return type.has_value();
       }},
      {"cd", Flag([](CliOptions &o) { o.cd = true; })},
      {"no-cd", Flag([](CliOptions &o) { o.cd = false; })},
      {"start",
       [](CliOptions &o, const OptionRow &row, const QString &value, const QString &arg, QString &error) {
         // A number is a label position on a sheet; a letter the start character.
         if (value.isEmpty() || !value.at(0).isDigit()) return SetLetter(o.startChar, value, arg, error);
         o.startGiven = true;
         return SetWhole(o.start, row.range, value, arg, error);
       }},
      {"stop", Letter(&CliOptions::stopChar)},
      {"scale", Whole(&CliOptions::scale)},
      {"ratio", Whole(&CliOptions::ratio)},
      {"height", Whole(&CliOptions::height)},
      {"frame", Whole(&CliOptions::frame)},
      {"angle",
       [](CliOptions &o, const OptionRow &row, const QString &value, const QString &arg, QString &error) {
         if (!SetWhole(o.angle, row.range, value, arg, error)) return false;
         if (o.angle % 90 == 0) return true;
         error = QStringLiteral("--angle takes 0, 90, 180 or 270, not %1").arg(o.angle);
         return false;
       }},
      {"reverse", Flag([](CliOptions &o) { o.reverse = true; })},
      {"no-text", Flag([](CliOptions &o) { o.symbolDisp = false; })},
      {"up", Text(&CliOptions::up)},
      {"down", Text(&CliOptions::down)},
      {"space-left", Whole(&CliOptions::spaceLeft)},
      {"space-right", Whole(&CliOptions::spaceRight)},
      {"space-up", Whole(&CliOptions::spaceUp)},
      {"space-down", Whole(&CliOptions::spaceDown)},
      {"bar-color", Colour(&CliOptions::barColor)},
      {"back-color", Colour(&CliOptions::backColor)},
      {"transparent", Flag([](CliOptions &o) { o.transparent = true; })},
      {"picture",
       [](CliOptions &o, const OptionRow &, const QString &value, const QString &, QString &error) {
         const QString p = value.toLower();
         if (p == QLatin1String("bmp")) o.picture = picBMP;
         else if (p == QLatin1String("emf")) o.picture = picEMF;
         else if (p == QLatin1String("wmf")) o.picture = picWMF;
         else {
           error = QStringLiteral("--picture takes bmp, emf or wmf, not \"%1\"").arg(value);
           return false;
         }
         return true;
       }},
      {"output", Text(&CliOptions::output)},
      {"info", Flag([](CliOptions &o) { o.info = true; })},
      {"replace-unmappable", Flag([](CliOptions &o) { o.replaceUnmappable = true; })},
      {"verify", Flag([](CliOptions &o) { o.verify = true; })},
      {"batch", Text(&CliOptions::batch)},
      {"csv", Flag([](CliOptions &o) { o.csv = true; })},
      {"input-encoding",
       [](CliOptions &o, const OptionRow &, const QString &value, const QString &, QString &error) {
         o.inputEncoding = value;
         if (value == QLatin1String("sjis") || value == QLatin1String("utf8")) return true;
         error = QStringLiteral("--input-encoding takes sjis or utf8, not \"%1\"").arg(value);
         return false;
       }},
      {"stop-on-error", Flag([](CliOptions &o) { o.stopOnError = true; })},
      {"from-address", Flag([](CliOptions &o) { o.fromAddress = true; })},
      {"postal-dictionary", Text(&CliOptions::postalDictionary)},
      {"sheet", Text(&CliOptions::sheet)},
      {"dpi", Whole(&CliOptions::dpi)},
      {"copies",
       [](CliOptions &o, const OptionRow &row, const QString &value, const QString &arg, QString &error) {
         o.copiesGiven = true;
         return SetWhole(o.copies, row.range, value, arg, error);
       }},
      {"offset",
       [](CliOptions &o, const OptionRow &, const QString &value, const QString &, QString &error) {
         if (ParseOffset(value, o.offsetX, o.offsetY)) return true;
         error = QStringLiteral("--offset takes XxY in mm (for example 0.5x-1), not \"%1\"").arg(value);
         return false;
       }},
      {"list-sheets", Flag([](CliOptions &o) { o.listSheets = true; })},
  };
  return setters;
}

// The names QCommandLineParser takes for an option: the one letter and the long name.
QStringList NamesOf(const OptionRow &row) {
  QStringList names;
  if (row.shortName) names << QString(QLatin1Char(row.shortName));
  names << QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size()));
  return names;
}

// The argument a parser error is about, as the user typed it: the first one before "--"
// that names `name` (with or without a value glued on).
QString ArgumentNaming(const QStringList &args, const QString &name) {
  for (const QString &arg : args) {
    if (arg == QLatin1String("--")) break;
    if (!arg.startsWith(QLatin1Char('-'))) continue;
    const QString bare = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1).section(QLatin1Char('='), 0, 0);
    if (bare == name || (name.size() == 1 && !arg.startsWith(QLatin1String("--")) && bare.contains(name)))
      return arg;
  }
  return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

}  // namespace

std::optional<CliOptions> ParseCliOptions(const QStringList &args, QString &error) {
  QCommandLineParser parser;
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  for (const OptionRow &row : OptionRows())
    parser.addOption(row.kind != OptionKind::Flag ? QCommandLineOption(NamesOf(row), QString(), QStringLiteral("value"))
                                                   : QCommandLineOption(NamesOf(row)));
  // QCommandLineParser expects the program name first.
  if (!parser.parse(QStringList{QStringLiteral("plomix-cli")} + args)) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
      error = QStringLiteral("unknown option %1").arg(ArgumentNaming(args, unknown.first()));
    else  // the only other refusal: a value option is the last argument
      error = QStringLiteral("option %1 needs a value").arg(args.isEmpty() ? QString() : args.last());
    return std::nullopt;
  }

  CliOptions options;
  // Options apply in the order given, so that a later one wins (--cd ... --no-cd).
  QHash<QString, qsizetype> seen;
  for (const QString &name : parser.optionNames()) {
    const QString arg = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    const QString value = parser.values(name).value(seen[name]++);
    const OptionRow &row = *OptionNamed(name.toStdString());
    if (!Setters().at(row.name)(options, row, value, arg, error)) return std::nullopt;
  }

  if (!options.postalDictionary.isEmpty() && !options.fromAddress) {
    error = QStringLiteral("--postal-dictionary needs --from-address");
    return std::nullopt;
  }
  if (options.fromAddress && options.type != cbarCUSTOMER) {
    error = QStringLiteral("--from-address draws the customer barcode: add --type customer");
    return std::nullopt;
  }
  const QStringList codes = parser.positionalArguments();
  const bool batch = !options.batch.isEmpty();
  if (batch && !codes.isEmpty()) {
    error = QStringLiteral("a code (\"%1\") cannot go with --batch, which reads the codes from its file")
                .arg(codes.first());
    return std::nullopt;
  }
  if (!batch && (options.csv || options.stopOnError || !options.inputEncoding.isEmpty())) {
    error = QStringLiteral("--csv, --input-encoding and --stop-on-error need --batch");
    return std::nullopt;
  }
  if ((options.copiesGiven || options.startGiven || options.offsetX || options.offsetY) && options.sheet.isEmpty()) {
    error = QStringLiteral("--copies, --offset and --start K need --sheet");
    return std::nullopt;
  }
  if (batch && options.copiesGiven) {
    error = QStringLiteral("--copies prints one code; a batch prints one label per line");
    return std::nullopt;
  }
  if (batch) return options;
  if (codes.size() > 1) {
    error = QStringLiteral("only one code may be given (\"%1\" is a second one)").arg(codes[1]);
    return std::nullopt;
  }
  if (options.listSheets) return options;
  if (codes.isEmpty() && !options.help) {
    error = QStringLiteral("no code given");
    return std::nullopt;
  }
  if (!codes.isEmpty()) options.code = codes.first();
  return options;
}

}  // namespace plomix::cli
